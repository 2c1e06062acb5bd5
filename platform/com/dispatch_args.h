// How a dispatch argument reaches a C++ parameter, and how a C++ result becomes the caller's
// VARIANT. Used by DispatchMap; each supported C++ type names the declared VARTYPEs it accepts.
//
//   parameter type              declared           receives
//   const char*                 VT_BSTR            the text in the ANSI code page, alive for the call
//   BSTR, const OLECHAR*        VT_BSTR            the text as a BSTR (not owned by the member)
//   short                       VT_I2 / VT_BOOL    the number / VARIANT_TRUE or VARIANT_FALSE
//   LONG, int                   VT_I4 / VT_BOOL    the number / TRUE or FALSE
//   long                        VT_I4              the number
//   bool, double, float, BYTE   VT_BOOL, VT_R8, VT_R4, VT_UI1
//   IDispatch*                  VT_DISPATCH        the object (not owned by the member)
//   const VARIANT&              VT_VARIANT         a copy of the value, references followed
//   VARIANT*                    VT_VARIANT|VT_BYREF  the caller's own VARIANT, so it can be
//                                                  changed (see com::AssignVariant)
//   short*, LONG*, BSTR*, ...   VT_X|VT_BYREF      the caller's variable of that type; a value of
//                                                  another type is converted into a local copy
//
//   result type                 declared
//   void                        VT_EMPTY
//   BOOL / LONG / int           VT_BOOL (-1 or 0) / VT_I4
//   short                       VT_I2 / VT_BOOL
//   long                        VT_I4 (out of range: DISP_E_OVERFLOW)
//   bool, double, float         VT_BOOL, VT_R8, VT_R4
//   BSTR, com::BStr             VT_BSTR, handed to the caller; a null BSTR stays null
//   IDispatch*                  VT_DISPATCH, the member's reference handed to the caller
//   VARIANT                     VT_VARIANT, handed to the caller
#pragma once

#include <string>
#include <type_traits>

#include "platform/com/com_ptr.h"
#include "platform/com/interfaces.h"
#include "platform/com/types.h"
#include "platform/com/variant_util.h"

namespace com::dispatch_detail {

std::string ToAnsi(BSTR text);

// Holds an argument converted to a declared type until the call returns.
class Converted {
public:
    Converted() { VariantInit(&value_); }
    ~Converted() { VariantClear(&value_); }
    Converted(const Converted&) = delete;
    Converted& operator=(const Converted&) = delete;
    HRESULT Load(const VARIANT* arg, VARTYPE vt) { return VariantChangeType(&value_, arg, 0, vt); }
    VARIANT& value() { return value_; }

private:
    VARIANT value_;
};

template <class A, class = void>
struct ArgSlot;  // a parameter type without a specialisation is not supported

// Plain values: the argument converted to the declared type, read through a member of VARIANT.
template <class A>
struct ValueSlot {
    Converted c;
    HRESULT Load(const VARIANT* arg, VARTYPE vt) { return c.Load(arg, vt); }
};

template <>
struct ArgSlot<const char*> : ValueSlot<const char*> {
    std::string ansi;
    static bool Accepts(VARTYPE vt) { return vt == VT_BSTR; }
    HRESULT Load(const VARIANT* arg, VARTYPE vt) {
        HRESULT hr = c.Load(arg, vt);
        if (SUCCEEDED(hr)) ansi = ToAnsi(c.value().bstrVal);
        return hr;
    }
    const char* Get() { return ansi.c_str(); }
};

template <>
struct ArgSlot<BSTR> : ValueSlot<BSTR> {
    static bool Accepts(VARTYPE vt) { return vt == VT_BSTR; }
    BSTR Get() { return c.value().bstrVal; }
};
template <>
struct ArgSlot<const OLECHAR*> : ArgSlot<BSTR> {};

template <>
struct ArgSlot<short> : ValueSlot<short> {
    VARTYPE vt_ = VT_I2;
    static bool Accepts(VARTYPE vt) { return vt == VT_I2 || vt == VT_BOOL; }
    HRESULT Load(const VARIANT* arg, VARTYPE vt) { return c.Load(arg, vt_ = vt); }
    short Get() { return vt_ == VT_BOOL ? c.value().boolVal : c.value().iVal; }
};

template <>
struct ArgSlot<int> : ValueSlot<int> {
    VARTYPE vt_ = VT_I4;
    static bool Accepts(VARTYPE vt) { return vt == VT_I4 || vt == VT_BOOL; }
    HRESULT Load(const VARIANT* arg, VARTYPE vt) { return c.Load(arg, vt_ = vt); }
    int Get() { return vt_ == VT_BOOL ? (c.value().boolVal ? TRUE : FALSE) : c.value().lVal; }
};

template <>
struct ArgSlot<long> : ValueSlot<long> {
    static bool Accepts(VARTYPE vt) { return vt == VT_I4; }
    long Get() { return c.value().lVal; }
};

template <>
struct ArgSlot<bool> : ValueSlot<bool> {
    static bool Accepts(VARTYPE vt) { return vt == VT_BOOL; }
    bool Get() { return c.value().boolVal != 0; }
};

template <>
struct ArgSlot<double> : ValueSlot<double> {
    static bool Accepts(VARTYPE vt) { return vt == VT_R8; }
    double Get() { return c.value().dblVal; }
};

template <>
struct ArgSlot<float> : ValueSlot<float> {
    static bool Accepts(VARTYPE vt) { return vt == VT_R4; }
    float Get() { return c.value().fltVal; }
};

template <>
struct ArgSlot<BYTE> : ValueSlot<BYTE> {
    static bool Accepts(VARTYPE vt) { return vt == VT_UI1; }
    BYTE Get() { return c.value().bVal; }
};

template <>
struct ArgSlot<IDispatch*> : ValueSlot<IDispatch*> {
    static bool Accepts(VARTYPE vt) { return vt == VT_DISPATCH; }
    IDispatch* Get() { return c.value().pdispVal; }
};

template <>
struct ArgSlot<const VARIANT&> {
    Converted c;
    static bool Accepts(VARTYPE vt) { return vt == VT_VARIANT; }
    HRESULT Load(const VARIANT* arg, VARTYPE) { return VariantCopyInd(&c.value(), arg); }
    const VARIANT& Get() { return c.value(); }
};

// The caller's VARIANT itself; one VT_BYREF|VT_VARIANT level is followed.
template <>
struct ArgSlot<VARIANT*> {
    VARIANT* target = nullptr;
    static bool Accepts(VARTYPE vt) { return vt == (VT_VARIANT | VT_BYREF); }
    HRESULT Load(VARIANT* arg, VARTYPE) {
        target = arg;
        if (arg->vt == (VT_BYREF | VT_VARIANT)) {
            if (arg->pvarVal == nullptr) return DISP_E_TYPEMISMATCH;
            target = arg->pvarVal;
        }
        return S_OK;
    }
    VARIANT* Get() { return target; }
};

// The place a typed by-reference parameter points at: the caller's variable when it has the
// declared type, otherwise a converted local copy (changes to it are not seen by the caller).
template <class P>
struct RefSlot {
    Converted local;
    void* place = nullptr;
    HRESULT Load(VARIANT* arg, VARTYPE vt) {
        const VARTYPE base = vt & ~VT_BYREF;
        if (arg->vt == vt && arg->byref != nullptr) {
            place = arg->byref;
            return S_OK;
        }
        VARIANT* inner = arg->vt == (VT_BYREF | VT_VARIANT) ? arg->pvarVal : nullptr;
        if (inner != nullptr && inner->vt == base) {
            place = &inner->lVal;  // every member of the union starts at the same place
            return S_OK;
        }
        if (inner != nullptr && inner->vt == vt && inner->byref != nullptr) {
            place = inner->byref;
            return S_OK;
        }
        HRESULT hr = local.Load(arg, base);
        place = &local.value().lVal;
        return hr;
    }
    P* Get() { return static_cast<P*>(place); }
};

template <>
struct ArgSlot<short*> : RefSlot<short> {
    static bool Accepts(VARTYPE vt) { return vt == (VT_I2 | VT_BYREF) || vt == (VT_BOOL | VT_BYREF); }
};
template <>
struct ArgSlot<int*> : RefSlot<int> {
    static bool Accepts(VARTYPE vt) { return vt == (VT_I4 | VT_BYREF); }
};
template <>
struct ArgSlot<BSTR*> : RefSlot<BSTR> {
    static bool Accepts(VARTYPE vt) { return vt == (VT_BSTR | VT_BYREF); }
};
template <>
struct ArgSlot<double*> : RefSlot<double> {
    static bool Accepts(VARTYPE vt) { return vt == (VT_R8 | VT_BYREF); }
};

// Results ---------------------------------------------------------------------------------------

template <class R, class = void>
struct ResultSlot;  // a result type without a specialisation is not supported

template <>
struct ResultSlot<void> {
    static bool Accepts(VARTYPE vt) { return vt == VT_EMPTY; }
};

template <>
struct ResultSlot<BSTR> {
    static bool Accepts(VARTYPE vt) { return vt == VT_BSTR; }
    static HRESULT Store(BSTR r, VARTYPE, VARIANT* out) {
        if (out == nullptr) {
            SysFreeString(r);
            return S_OK;
        }
        out->vt = VT_BSTR;
        out->bstrVal = r;
        return S_OK;
    }
};

template <>
struct ResultSlot<BStr> {
    static bool Accepts(VARTYPE vt) { return vt == VT_BSTR; }
    static HRESULT Store(BStr r, VARTYPE vt, VARIANT* out) {
        return ResultSlot<BSTR>::Store(r.release(), vt, out);
    }
};

template <>
struct ResultSlot<int> {
    static bool Accepts(VARTYPE vt) { return vt == VT_I4 || vt == VT_BOOL; }
    static HRESULT Store(int r, VARTYPE vt, VARIANT* out) {
        if (out == nullptr) return S_OK;
        out->vt = vt;
        if (vt == VT_BOOL)
            out->boolVal = r ? VARIANT_TRUE : VARIANT_FALSE;
        else
            out->lVal = r;
        return S_OK;
    }
};

template <>
struct ResultSlot<short> {
    static bool Accepts(VARTYPE vt) { return vt == VT_I2 || vt == VT_BOOL; }
    static HRESULT Store(short r, VARTYPE vt, VARIANT* out) {
        if (out == nullptr) return S_OK;
        out->vt = vt;
        if (vt == VT_BOOL)
            out->boolVal = r ? VARIANT_TRUE : VARIANT_FALSE;
        else
            out->iVal = r;
        return S_OK;
    }
};

template <>
struct ResultSlot<long> {
    static bool Accepts(VARTYPE vt) { return vt == VT_I4; }
    static HRESULT Store(long r, VARTYPE vt, VARIANT* out) {
        if (r < INT32_MIN || r > INT32_MAX) return DISP_E_OVERFLOW;
        return ResultSlot<int>::Store(static_cast<int>(r), vt, out);
    }
};

template <>
struct ResultSlot<bool> {
    static bool Accepts(VARTYPE vt) { return vt == VT_BOOL; }
    static HRESULT Store(bool r, VARTYPE, VARIANT* out) {
        if (out == nullptr) return S_OK;
        out->vt = VT_BOOL;
        out->boolVal = r ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
};

template <>
struct ResultSlot<double> {
    static bool Accepts(VARTYPE vt) { return vt == VT_R8; }
    static HRESULT Store(double r, VARTYPE, VARIANT* out) {
        if (out == nullptr) return S_OK;
        out->vt = VT_R8;
        out->dblVal = r;
        return S_OK;
    }
};

template <>
struct ResultSlot<float> {
    static bool Accepts(VARTYPE vt) { return vt == VT_R4; }
    static HRESULT Store(float r, VARTYPE, VARIANT* out) {
        if (out == nullptr) return S_OK;
        out->vt = VT_R4;
        out->fltVal = r;
        return S_OK;
    }
};

template <>
struct ResultSlot<IDispatch*> {
    static bool Accepts(VARTYPE vt) { return vt == VT_DISPATCH; }
    static HRESULT Store(IDispatch* r, VARTYPE, VARIANT* out) {
        if (out == nullptr) {
            if (r != nullptr) r->Release();
            return S_OK;
        }
        out->vt = VT_DISPATCH;
        out->pdispVal = r;
        return S_OK;
    }
};

template <>
struct ResultSlot<VARIANT> {
    static bool Accepts(VARTYPE vt) { return vt == VT_VARIANT; }
    static HRESULT Store(VARIANT r, VARTYPE, VARIANT* out) {
        if (out == nullptr) return VariantClear(&r);
        *out = r;
        return S_OK;
    }
};

}  // namespace com::dispatch_detail
