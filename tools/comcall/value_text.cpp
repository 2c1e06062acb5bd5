#include "tools/comcall/value_text.h"

#include <cstdio>

#include "platform/com/variant_util.h"
#include "platform/text/codepage.h"
#include "tools/comcall/json_text.h"

namespace comcall {

std::string ValueText(const VARIANT& value) {
    VARIANT v;
    if (FAILED(com::ValueView(&value, &v))) return "(vt " + std::to_string(value.vt) + ")";
    switch (v.vt) {
        case VT_EMPTY: return "(empty)";
        case VT_NULL: return "(null)";
        case VT_BSTR: return JsonQuote(text::View(v.bstrVal));
        case VT_BOOL: return v.boolVal ? "True" : "False";
        case VT_I2: return std::to_string(v.iVal);
        case VT_UI2: return std::to_string(static_cast<USHORT>(v.iVal));
        case VT_I4: case VT_INT: return std::to_string(v.lVal);
        case VT_UI4: case VT_UINT: return std::to_string(static_cast<ULONG>(v.lVal));
        case VT_UI1: return std::to_string(v.bVal);
        case VT_ERROR: {
            char b[16];
            std::snprintf(b, sizeof b, "0x%08X", static_cast<unsigned>(v.scode));
            return std::string("(error ") + b + ")";
        }
        case VT_R4: case VT_R8: {
            char b[40];
            std::snprintf(b, sizeof b, "%.15G", v.vt == VT_R4 ? v.fltVal : v.dblVal);
            return b;
        }
        case VT_DISPATCH: case VT_UNKNOWN: return v.punkVal ? "(object)" : "(nothing)";
        default: return "(vt " + std::to_string(v.vt) + ")";
    }
}

}  // namespace comcall
