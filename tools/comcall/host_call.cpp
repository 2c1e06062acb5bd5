#include "tools/comcall/host_call.h"

#include "platform/com/com_ptr.h"
#include "platform/com/hresult_text.h"
#include "platform/text/codepage.h"
#include "tools/comcall/value_text.h"

namespace comcall {
namespace {

// The host's variables for one call, and the by-reference arguments that point at them (last
// first, as DISPPARAMS wants them).
class HostVariables {
public:
    explicit HostVariables(const std::vector<Argument>& args) : vars_(args.size()), before_(args.size()) {
        for (size_t i = 0; i < args.size(); ++i) {
            VARIANT& v = vars_[i];
            VariantInit(&v);
            VariantInit(&before_[i]);
            const Argument& a = args[i];
            switch (a.kind) {
                case Argument::Kind::Text:
                    v.vt = VT_BSTR;
                    v.bstrVal = SysAllocStringLen(a.text.data(), static_cast<UINT>(a.text.size()));
                    break;
                case Argument::Kind::Boolean:
                    v.vt = VT_BOOL;
                    v.boolVal = a.boolean ? VARIANT_TRUE : VARIANT_FALSE;
                    break;
                case Argument::Kind::Integer:  // a script's literal: Integer when it fits, else Long
                    if (a.integer >= INT16_MIN && a.integer <= INT16_MAX) {
                        v.vt = VT_I2;
                        v.iVal = static_cast<SHORT>(a.integer);
                    } else {
                        v.vt = VT_I4;
                        v.lVal = static_cast<LONG>(a.integer);
                    }
                    break;
            }
            VariantCopy(&before_[i], &v);
        }
        refs_.resize(args.size());
        for (size_t i = 0; i < args.size(); ++i) {
            VARIANT& r = refs_[args.size() - 1 - i];
            r.vt = VT_BYREF | vars_[i].vt;
            r.byref = &vars_[i].lVal;  // every member of the union starts here
        }
    }
    ~HostVariables() {
        for (VARIANT& v : vars_) VariantClear(&v);
        for (VARIANT& v : before_) VariantClear(&v);
    }
    HostVariables(const HostVariables&) = delete;
    HostVariables& operator=(const HostVariables&) = delete;

    DISPPARAMS Params() { return {refs_.data(), nullptr, static_cast<UINT>(refs_.size()), 0}; }
    size_t size() const { return vars_.size(); }
    const VARIANT& value(size_t i) const { return vars_[i]; }
    bool Changed(size_t i) const {
        const VARIANT& a = before_[i];
        const VARIANT& b = vars_[i];
        if (a.vt != b.vt) return true;
        if (a.vt == VT_BSTR)
            return SysStringByteLen(a.bstrVal) != SysStringByteLen(b.bstrVal) ||
                   text::View(a.bstrVal) != text::View(b.bstrVal);
        return ValueText(a) != ValueText(b);
    }

private:
    std::vector<VARIANT> vars_;
    std::vector<VARIANT> before_;
    std::vector<VARIANT> refs_;
};

std::string OneLine(std::string s) {
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

std::string Failure(const std::string& label, HRESULT hr, const std::string& description) {
    return label + " ! " + com::HexHResult(hr) + " " + OneLine(description);
}

// What a failed Invoke reports: the member's own code and text for DISP_E_EXCEPTION.
std::string InvokeFailure(const Call& call, HRESULT hr, EXCEPINFO* info, UINT argErr) {
    if (hr == DISP_E_EXCEPTION) {
        if (info->pfnDeferredFillIn != nullptr) info->pfnDeferredFillIn(info);
        HRESULT code = FAILED(info->scode) ? info->scode : DISP_E_EXCEPTION;
        std::string text = text::ToUtf8(text::View(info->bstrDescription));
        return Failure(call.label, code, text.empty() ? com::DescribeHResult(code) : text);
    }
    std::string text = com::DescribeHResult(hr);
    if ((hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW) && argErr < call.args.size())
        text += " (argument " + std::to_string(call.args.size() - argErr) + ")";
    return Failure(call.label, hr, text);
}

}  // namespace

std::vector<std::string> PerformCall(IDispatch* object, const Call& call, bool* failed) {
    *failed = true;
    DISPID id = call.id.value_or(DISPID_UNKNOWN);
    if (!call.id) {
        std::u16string name = text::FromUtf8(call.name);
        LPOLESTR names[] = {name.data()};
        HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr)) return {Failure(call.label, hr, com::DescribeHResult(hr))};
    }
    HostVariables vars(call.args);
    DISPPARAMS params = vars.Params();
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO info{};
    UINT argErr = static_cast<UINT>(-1);
    HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                &params, &result, &info, &argErr);
    std::vector<std::string> lines;
    if (FAILED(hr)) {
        lines.push_back(InvokeFailure(call, hr, &info, argErr));
    } else {
        *failed = false;
        lines.push_back(call.label + " = " + ValueText(result));
        for (size_t i = 0; i < vars.size(); ++i)
            if (vars.Changed(i))
                lines.push_back("  arg " + std::to_string(i + 1) + " = " + ValueText(vars.value(i)));
    }
    VariantClear(&result);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    return lines;
}

}  // namespace comcall
