// VARIANT life cycle: initialise, clear, copy, copy with one level of indirection followed.
#include "platform/com/interfaces.h"
#include "platform/com/types.h"
#include "platform/com/variant_util.h"

namespace {

bool IsPlainValue(VARTYPE vt) {
    switch (vt) {
        case VT_EMPTY: case VT_NULL: case VT_I2: case VT_I4: case VT_R4: case VT_R8:
        case VT_ERROR: case VT_BOOL: case VT_UI1: case VT_UI2: case VT_UI4: case VT_INT:
        case VT_UINT:
            return true;
        default:
            return false;
    }
}

bool IsKnown(VARTYPE vt) {
    if (vt & VT_BYREF) {
        VARTYPE base = vt & ~VT_BYREF;
        return base != VT_EMPTY && base != VT_NULL && (IsPlainValue(base) || base == VT_BSTR ||
                                                       base == VT_DISPATCH || base == VT_UNKNOWN ||
                                                       base == VT_VARIANT);
    }
    return IsPlainValue(vt) || vt == VT_BSTR || vt == VT_DISPATCH || vt == VT_UNKNOWN;
}

// Copies a plain (not by-reference) value into dest, which must be initialised and empty.
HRESULT CopyValue(VARIANT* dest, const VARIANT* src) {
    VARIANT out = *src;
    if (src->vt == VT_BSTR && src->bstrVal != nullptr) {
        out.bstrVal = SysAllocStringByteLen(reinterpret_cast<const char*>(src->bstrVal),
                                            SysStringByteLen(src->bstrVal));
        if (out.bstrVal == nullptr) return E_OUTOFMEMORY;
    } else if ((src->vt == VT_DISPATCH || src->vt == VT_UNKNOWN) && src->punkVal != nullptr) {
        src->punkVal->AddRef();
    }
    *dest = out;
    return S_OK;
}

// Builds the plain value a VT_BYREF variant points at (not owned: no copy of BSTRs or references).
HRESULT Dereference(const VARIANT* src, VARIANT* view) {
    VariantInit(view);
    if (src->byref == nullptr) return E_INVALIDARG;
    VARTYPE base = src->vt & ~VT_BYREF;
    switch (base) {
        case VT_I2: view->iVal = *src->piVal; break;
        case VT_BOOL: view->boolVal = *src->pboolVal; break;
        case VT_I4: case VT_ERROR: case VT_INT: case VT_UINT: case VT_UI4:
            view->lVal = *src->plVal; break;
        case VT_UI2: view->iVal = *src->piVal; break;
        case VT_R4: view->fltVal = *static_cast<float*>(src->byref); break;
        case VT_R8: view->dblVal = *static_cast<double*>(src->byref); break;
        case VT_UI1: view->bVal = *src->pbVal; break;
        case VT_BSTR: view->bstrVal = *src->pbstrVal; break;
        case VT_DISPATCH: case VT_UNKNOWN: view->punkVal = *src->ppunkVal; break;
        case VT_VARIANT:
            // One level only: a variant reached by reference may not itself be a reference to a
            // variant.
            if (src->pvarVal->vt == (VT_BYREF | VT_VARIANT)) return E_INVALIDARG;
            if (src->pvarVal->vt & VT_BYREF) return Dereference(src->pvarVal, view);
            *view = *src->pvarVal;
            return S_OK;
        default:
            return DISP_E_BADVARTYPE;
    }
    view->vt = base;
    return S_OK;
}

}  // namespace

void VariantInit(VARIANT* v) {
    if (v == nullptr) return;
    v->vt = VT_EMPTY;
    v->wReserved1 = v->wReserved2 = v->wReserved3 = 0;
    v->reserved_[0] = v->reserved_[1] = 0;
}

HRESULT VariantClear(VARIANT* v) {
    if (v == nullptr) return E_INVALIDARG;
    if (!IsKnown(v->vt)) return DISP_E_BADVARTYPE;
    if (v->vt == VT_BSTR) {
        SysFreeString(v->bstrVal);
    } else if ((v->vt == VT_DISPATCH || v->vt == VT_UNKNOWN) && v->punkVal != nullptr) {
        v->punkVal->Release();
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src) {
    if (dest == nullptr || src == nullptr) return E_INVALIDARG;
    if (dest == src) return S_OK;
    if (!IsKnown(src->vt)) return DISP_E_BADVARTYPE;
    HRESULT hr = VariantClear(dest);
    if (FAILED(hr)) return hr;
    if (src->vt & VT_BYREF) {  // a reference copies as the same reference
        *dest = *src;
        return S_OK;
    }
    return CopyValue(dest, src);
}

HRESULT VariantCopyInd(VARIANT* dest, const VARIANT* src) {
    if (dest == nullptr || src == nullptr) return E_INVALIDARG;
    if (!IsKnown(src->vt)) return DISP_E_BADVARTYPE;
    VARIANT value;
    if (src->vt & VT_BYREF) {
        HRESULT hr = Dereference(src, &value);
        if (FAILED(hr)) return hr;
    } else {
        value = *src;
    }
    VARIANT copy;
    VariantInit(&copy);
    HRESULT hr = CopyValue(&copy, &value);
    if (FAILED(hr)) return hr;
    // Clear dest only now: src may be dest, or may point into it.
    if (dest->vt != VT_EMPTY && FAILED(hr = VariantClear(dest))) {
        VariantClear(&copy);
        return hr;
    }
    *dest = copy;
    return S_OK;
}

namespace com {

HRESULT ValueView(const VARIANT* src, VARIANT* view) {
    if (src == nullptr || view == nullptr) return E_INVALIDARG;
    if (!IsKnown(src->vt)) return DISP_E_BADVARTYPE;
    if (src->vt & VT_BYREF) return Dereference(src, view);
    *view = *src;
    return S_OK;
}
}  // namespace com

namespace {

// Moves a plain value of the target's base type into the place a VT_BYREF target points at,
// releasing what was there.
void StoreThrough(VARIANT* target, VARIANT* value) {
    switch (target->vt & ~VT_BYREF) {
        case VT_BSTR:
            SysFreeString(*target->pbstrVal);
            *target->pbstrVal = value->bstrVal;
            break;
        case VT_DISPATCH: case VT_UNKNOWN:
            if (*target->ppunkVal != nullptr) (*target->ppunkVal)->Release();
            *target->ppunkVal = value->punkVal;
            break;
        case VT_I2: case VT_UI2: *target->piVal = value->iVal; break;
        case VT_BOOL: *target->pboolVal = value->boolVal; break;
        case VT_UI1: *target->pbVal = value->bVal; break;
        case VT_R4: *static_cast<float*>(target->byref) = value->fltVal; break;
        case VT_R8: *static_cast<double*>(target->byref) = value->dblVal; break;
        default: *target->plVal = value->lVal; break;  // the 32-bit kinds
    }
    VariantInit(value);  // ownership has moved
}

}  // namespace

namespace com {

HRESULT AssignVariant(VARIANT* target, const VARIANT& value) {
    if (target == nullptr) return E_POINTER;
    if (target->vt == (VT_BYREF | VT_VARIANT)) {
        VARIANT* inner = target->pvarVal;
        if (inner == nullptr) return E_POINTER;
        if (inner->vt == (VT_BYREF | VT_VARIANT)) return E_INVALIDARG;
        return AssignVariant(inner, value);
    }
    if (target->vt & VT_BYREF) {
        if (target->byref == nullptr) return E_POINTER;
        VARIANT converted;
        VariantInit(&converted);
        HRESULT hr = VariantChangeType(&converted, &value, 0, target->vt & ~VT_BYREF);
        if (FAILED(hr)) return hr;
        StoreThrough(target, &converted);
        return S_OK;
    }
    VARIANT copy;
    VariantInit(&copy);
    HRESULT hr = VariantCopyInd(&copy, &value);
    if (FAILED(hr)) return hr;
    VariantClear(target);
    *target = copy;
    return S_OK;
}

}  // namespace com
