// VariantChangeType: the one place where numbers, Booleans and text turn into each other.
//   numbers   I2, I4, UI1, R4, R8 among each other; reals round half to even; out of range gives
//             DISP_E_OVERFLOW
//   Booleans  true is -1; any non-zero number is true
//   text      to a number: decimal with optional sign, fraction and exponent, blanks around it
//             allowed; anything else is DISP_E_TYPEMISMATCH. To a Boolean: "True"/"False" in any
//             case, or a number. From a Boolean: "True"/"False" with VARIANT_ALPHABOOL, else
//             "-1"/"0"
//   empty     0, "", false;  null converts to nothing but null
// A by-reference source is followed; an object source gives its default value (DISPID_VALUE)
// unless VARIANT_NOVALUEPROP is set.
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/com/interfaces.h"
#include "platform/com/types.h"
#include "platform/com/variant_util.h"

namespace {

struct Number {
    bool integral = true;
    std::int64_t i = 0;
    double r = 0;
    double AsReal() const { return integral ? static_cast<double>(i) : r; }
};

bool IsBlank(OLECHAR c) { return c == u' ' || c == u'\t'; }

std::u16string_view Trim(std::u16string_view t) {
    while (!t.empty() && IsBlank(t.front())) t.remove_prefix(1);
    while (!t.empty() && IsBlank(t.back())) t.remove_suffix(1);
    return t;
}

bool EqualsNoCase(std::u16string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); ++k) {
        OLECHAR c = a[k];
        if (c >= u'A' && c <= u'Z') c = static_cast<OLECHAR>(c - u'A' + u'a');
        char d = b[k];
        if (d >= 'A' && d <= 'Z') d = static_cast<char>(d - 'A' + 'a');
        if (c != static_cast<unsigned char>(d)) return false;
    }
    return true;
}

// Decimal text: [sign] digits [. digits] [e [sign] digits], at least one digit in the mantissa.
HRESULT ParseNumber(BSTR text, Number* out) {
    std::u16string_view t = Trim(std::u16string_view(text ? text : u"", SysStringLen(text)));
    std::string ascii;
    size_t k = 0;
    auto take = [&](auto pred) {
        size_t n = 0;
        while (k < t.size() && pred(t[k])) ascii += static_cast<char>(t[k++]), ++n;
        return n;
    };
    auto isDigit = [](OLECHAR c) { return c >= u'0' && c <= u'9'; };
    auto isSign = [](OLECHAR c) { return c == u'+' || c == u'-'; };
    if (k < t.size() && isSign(t[k])) {
        if (t[k] == u'-') ascii += '-';
        ++k;
    }
    size_t digits = take(isDigit);
    bool integral = true;
    if (k < t.size() && t[k] == u'.') {
        ascii += '.';
        ++k;
        digits += take(isDigit);
        integral = false;
    }
    if (digits == 0) return DISP_E_TYPEMISMATCH;
    if (k < t.size() && (t[k] == u'e' || t[k] == u'E')) {
        ascii += 'e';
        ++k;
        if (k < t.size() && isSign(t[k])) ascii += static_cast<char>(t[k++]);
        if (take(isDigit) == 0) return DISP_E_TYPEMISMATCH;
        integral = false;
    }
    if (k != t.size()) return DISP_E_TYPEMISMATCH;

    const char* first = ascii.data();
    const char* last = ascii.data() + ascii.size();
    if (integral) {
        auto [end, ec] = std::from_chars(first, last, out->i);
        if (ec == std::errc() && end == last) {
            out->integral = true;
            return S_OK;
        }
    }
    auto [end, ec] = std::from_chars(first, last, out->r);
    if (ec == std::errc::result_out_of_range) return DISP_E_OVERFLOW;
    if (ec != std::errc() || end != last) return DISP_E_TYPEMISMATCH;
    out->integral = false;
    return S_OK;
}

// The numeric meaning of a plain value.
HRESULT ToNumber(const VARIANT& v, Number* out) {
    switch (v.vt) {
        case VT_EMPTY: out->i = 0; return S_OK;
        case VT_I2: out->i = v.iVal; return S_OK;
        case VT_UI2: out->i = static_cast<USHORT>(v.iVal); return S_OK;
        case VT_I4: case VT_INT: out->i = v.lVal; return S_OK;
        case VT_UI4: case VT_UINT: out->i = static_cast<ULONG>(v.lVal); return S_OK;
        case VT_UI1: out->i = v.bVal; return S_OK;
        case VT_BOOL: out->i = v.boolVal ? -1 : 0; return S_OK;
        case VT_R4: out->integral = false; out->r = v.fltVal; return S_OK;
        case VT_R8: out->integral = false; out->r = v.dblVal; return S_OK;
        case VT_BSTR: return ParseNumber(v.bstrVal, out);
        default: return DISP_E_TYPEMISMATCH;
    }
}

// An integer in [low, high]; reals round half to even first.
HRESULT ToInteger(const Number& n, std::int64_t low, std::int64_t high, std::int64_t* out) {
    std::int64_t value = n.i;
    if (!n.integral) {
        double rounded = std::nearbyint(n.r);
        if (!(rounded >= static_cast<double>(low) && rounded <= static_cast<double>(high)))
            return DISP_E_OVERFLOW;  // also NaN
        value = static_cast<std::int64_t>(rounded);
    }
    if (value < low || value > high) return DISP_E_OVERFLOW;
    *out = value;
    return S_OK;
}

HRESULT ToBool(const VARIANT& v, VARIANT_BOOL* out) {
    if (v.vt == VT_BSTR) {
        std::u16string_view t = Trim(std::u16string_view(v.bstrVal ? v.bstrVal : u"",
                                                         SysStringLen(v.bstrVal)));
        if (EqualsNoCase(t, "true")) return *out = VARIANT_TRUE, S_OK;
        if (EqualsNoCase(t, "false")) return *out = VARIANT_FALSE, S_OK;
    }
    Number n;
    HRESULT hr = ToNumber(v, &n);
    if (FAILED(hr)) return hr;
    *out = (n.integral ? n.i != 0 : n.r != 0) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

BSTR AllocAscii(const std::string& s) {
    std::u16string wide(s.begin(), s.end());
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

HRESULT ToText(const VARIANT& v, WORD flags, BSTR* out) {
    std::string s;
    if (v.vt == VT_BOOL && (flags & VARIANT_ALPHABOOL)) {
        s = v.boolVal ? "True" : "False";
    } else {
        Number n;
        HRESULT hr = ToNumber(v, &n);
        if (FAILED(hr)) return hr;
        if (v.vt == VT_EMPTY) {
            s.clear();
        } else if (n.integral) {
            s = std::to_string(n.i);
        } else {
            char buffer[40];
            std::snprintf(buffer, sizeof buffer, "%.15G", n.r);
            s = buffer;
        }
    }
    *out = AllocAscii(s);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT QueryAs(IUnknown* object, REFIID iid, IUnknown** out) {
    *out = nullptr;
    if (object == nullptr) return S_OK;
    HRESULT hr = object->QueryInterface(iid, reinterpret_cast<void**>(out));
    return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
}

HRESULT Convert(const VARIANT& v, WORD flags, VARTYPE vt, VARIANT* out);

// An object's default member, converted further (once: its own value is not asked again).
HRESULT DefaultValue(IDispatch* object, WORD flags, VARTYPE vt, VARIANT* out) {
    if (object == nullptr || (flags & VARIANT_NOVALUEPROP)) return DISP_E_TYPEMISMATCH;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = object->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                &none, &value, nullptr, nullptr);
    if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
    VARIANT plain;
    hr = com::ValueView(&value, &plain);
    if (SUCCEEDED(hr)) hr = Convert(plain, flags | VARIANT_NOVALUEPROP, vt, out);
    VariantClear(&value);
    return hr;
}

// Converts a plain value into a fresh *out.
HRESULT Convert(const VARIANT& v, WORD flags, VARTYPE vt, VARIANT* out) {
    if (vt & VT_BYREF) return DISP_E_BADVARTYPE;
    if (vt == v.vt) return VariantCopyInd(out, &v);
    if (vt == VT_EMPTY) return S_OK;
    if (v.vt == VT_NULL || vt == VT_NULL) return DISP_E_TYPEMISMATCH;
    if (v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN) {
        if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
            HRESULT hr = QueryAs(v.punkVal, vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown,
                                 &out->punkVal);
            if (SUCCEEDED(hr)) out->vt = vt;
            return hr;
        }
        if (v.vt == VT_UNKNOWN) return DISP_E_TYPEMISMATCH;
        return DefaultValue(v.pdispVal, flags, vt, out);
    }
    HRESULT hr = S_OK;
    std::int64_t i = 0;
    Number n;
    switch (vt) {
        case VT_BSTR:
            hr = ToText(v, flags, &out->bstrVal);
            break;
        case VT_BOOL:
            hr = ToBool(v, &out->boolVal);
            break;
        case VT_I2:
            if (SUCCEEDED(hr = ToNumber(v, &n)) && SUCCEEDED(hr = ToInteger(n, INT16_MIN, INT16_MAX, &i)))
                out->iVal = static_cast<SHORT>(i);
            break;
        case VT_I4:
        case VT_INT:
            if (SUCCEEDED(hr = ToNumber(v, &n)) && SUCCEEDED(hr = ToInteger(n, INT32_MIN, INT32_MAX, &i)))
                out->lVal = static_cast<LONG>(i);
            break;
        case VT_UI1:
            if (SUCCEEDED(hr = ToNumber(v, &n)) && SUCCEEDED(hr = ToInteger(n, 0, UINT8_MAX, &i)))
                out->bVal = static_cast<BYTE>(i);
            break;
        case VT_R8:
            if (SUCCEEDED(hr = ToNumber(v, &n))) out->dblVal = n.AsReal();
            break;
        case VT_R4:
            if (SUCCEEDED(hr = ToNumber(v, &n))) {
                double r = n.AsReal();
                if (std::isfinite(r) && std::fabs(r) > FLT_MAX) hr = DISP_E_OVERFLOW;
                else out->fltVal = static_cast<float>(r);
            }
            break;
        default:
            return DISP_E_TYPEMISMATCH;
    }
    if (SUCCEEDED(hr)) out->vt = vt;
    return hr;
}

}  // namespace

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, WORD flags, VARTYPE vt) {
    if (dest == nullptr || src == nullptr) return E_INVALIDARG;
    VARIANT plain;
    HRESULT hr = com::ValueView(src, &plain);
    if (FAILED(hr)) return hr;
    VARIANT result;
    VariantInit(&result);
    try {
        hr = Convert(plain, flags, vt, &result);
    } catch (...) {  // std::string in the text paths
        hr = E_OUTOFMEMORY;
    }
    if (FAILED(hr)) {
        VariantClear(&result);
        return hr;
    }
    // dest may be src: the result is complete before the old value goes.
    hr = VariantClear(dest);
    if (FAILED(hr)) {
        VariantClear(&result);
        return hr;
    }
    *dest = result;
    return S_OK;
}
