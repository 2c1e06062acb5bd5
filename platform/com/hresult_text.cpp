#include "platform/com/hresult_text.h"

#include <cstdio>

namespace com {
namespace {

struct Known {
    HRESULT hr;
    const char* name;
    const char* text;
};

#define CS_HR(code, text) {code, #code, text}
constexpr Known kKnown[] = {
    CS_HR(S_OK, "Success"),
    CS_HR(S_FALSE, "Success, with nothing to do"),
    CS_HR(E_NOTIMPL, "Not implemented"),
    CS_HR(E_NOINTERFACE, "No such interface supported"),
    CS_HR(E_POINTER, "Invalid pointer"),
    CS_HR(E_ABORT, "Operation aborted"),
    CS_HR(E_FAIL, "Unspecified error"),
    CS_HR(E_UNEXPECTED, "Catastrophic failure"),
    CS_HR(E_ACCESSDENIED, "Access is denied"),
    CS_HR(E_OUTOFMEMORY, "Out of memory"),
    CS_HR(E_INVALIDARG, "The parameter is incorrect"),
    CS_HR(CLASS_E_NOAGGREGATION, "Class does not support aggregation"),
    CS_HR(CLASS_E_CLASSNOTAVAILABLE, "The module does not serve the requested class"),
    CS_HR(REGDB_E_CLASSNOTREG, "Class not registered"),
    CS_HR(REGDB_E_READREGDB, "Could not read key from registry"),
    CS_HR(CO_E_CLASSSTRING, "Invalid class string"),
    CS_HR(CO_E_NOTINITIALIZED, "CoInitialize has not been called"),
    CS_HR(CO_E_DLLNOTFOUND, "The module of the class could not be loaded"),
    CS_HR(CO_E_ERRORINDLL, "The module of the class has no class object entry"),
    CS_HR(RPC_E_CHANGED_MODE, "Cannot change thread mode after it is set"),
    CS_HR(DISP_E_UNKNOWNINTERFACE, "Unknown interface"),
    CS_HR(DISP_E_MEMBERNOTFOUND, "Member not found"),
    CS_HR(DISP_E_PARAMNOTFOUND, "Parameter not found"),
    CS_HR(DISP_E_TYPEMISMATCH, "Type mismatch"),
    CS_HR(DISP_E_UNKNOWNNAME, "Unknown name"),
    CS_HR(DISP_E_NONAMEDARGS, "No named arguments"),
    CS_HR(DISP_E_BADVARTYPE, "Bad variable type"),
    CS_HR(DISP_E_EXCEPTION, "Exception occurred"),
    CS_HR(DISP_E_OVERFLOW, "Out of present range"),
    CS_HR(DISP_E_BADINDEX, "Invalid index"),
    CS_HR(DISP_E_BADPARAMCOUNT, "Invalid number of parameters"),
    CS_HR(TYPE_E_ELEMENTNOTFOUND, "Element not found"),
    CS_HR(TYPE_E_LIBNOTREGISTERED, "Library not registered"),
    CS_HR(TYPE_E_CANTLOADLIBRARY, "Error loading type library"),
    CS_HR(SELFREG_E_TYPELIB, "The type library could not be registered"),
    CS_HR(SELFREG_E_CLASS, "The class could not be registered"),
};
#undef CS_HR

const Known* Find(HRESULT hr) {
    for (const Known& k : kKnown)
        if (k.hr == hr) return &k;
    return nullptr;
}

}  // namespace

std::string HexHResult(HRESULT hr) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(hr));
    return buffer;
}

std::string DescribeHResult(HRESULT hr) {
    const Known* k = Find(hr);
    return k ? k->text : "Error " + HexHResult(hr);
}

std::string HResultName(HRESULT hr) {
    const Known* k = Find(hr);
    return k ? k->name : "";
}

}  // namespace com
