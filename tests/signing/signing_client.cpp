#include "tests/signing/signing_client.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/text/codepage.h"

namespace testing_support {

std::string SigningModulePath() { return std::string(CS_BUILD_DIR) + "/lib/Signing.so"; }

SigningClient::SigningClient() {
    HMODULE module = LoadLibraryA(SigningModulePath().c_str());
    if (module == nullptr) throw std::runtime_error(loader::LastError());
    auto getClassObject = loader::Lookup<PFN_DllGetClassObject>(module, "DllGetClassObject");
    if (getClassObject == nullptr) throw std::runtime_error("Signing.so exports no DllGetClassObject");
    com::ComPtr<IClassFactory> factory;
    HRESULT hr = getClassObject(kSigningClsid, IID_IClassFactory, factory.put_void());
    if (FAILED(hr)) throw std::runtime_error("DllGetClassObject failed");
    hr = factory->CreateInstance(nullptr, IID_IDispatch, control_.put_void());
    if (FAILED(hr)) throw std::runtime_error("CreateInstance failed");
}

CallResult SigningClient::Invoke(DISPID id, const std::vector<std::string>& texts, const short* number) {
    // The host's variables, passed by reference, last argument first.
    std::vector<BSTR> strings;
    for (const std::string& t : texts) strings.push_back(com::BStr::FromUtf8(t).release());
    short numberVar = number ? *number : 0;
    std::vector<VARIANT> args;
    if (number) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I2 | VT_BYREF;
        v.piVal = &numberVar;
        args.push_back(v);
    }
    for (size_t i = strings.size(); i-- > 0;) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BSTR | VT_BYREF;
        v.pbstrVal = &strings[i];
        args.push_back(v);
    }
    DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    CallResult result;
    VariantInit(&result.value);
    EXCEPINFO info{};
    UINT argErr = 0;
    result.hr = control_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result.value,
                                 &info, &argErr);
    if (info.bstrDescription) result.description = text::ToUtf8(text::View(info.bstrDescription));
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrHelpFile);
    for (BSTR s : strings) SysFreeString(s);
    return result;
}

namespace {
bool AsBool(const CallResult& r) {
    EXPECT_EQ(r.hr, S_OK) << r.description;
    EXPECT_EQ(r.value.vt, VT_BOOL);
    return r.value.boolVal == VARIANT_TRUE;
}
std::string AsText(const CallResult& r, bool* wasNull) {
    EXPECT_EQ(r.hr, S_OK) << r.description;
    EXPECT_EQ(r.value.vt, VT_BSTR);
    if (wasNull) *wasNull = r.value.bstrVal == nullptr;
    return text::ToAnsi(text::View(r.value.bstrVal));
}
}  // namespace

bool SigningClient::openSession() { return AsBool(Invoke(3)); }
bool SigningClient::closeSession() { return AsBool(Invoke(4)); }
bool SigningClient::endSession() { return AsBool(Invoke(7)); }
bool SigningClient::finalize() { return AsBool(Invoke(6)); }
std::string SigningClient::getErrorCode() { return AsText(Invoke(5), nullptr); }
std::string SigningClient::signing(const std::string& data, const std::string& alg, bool* wasNull) {
    return AsText(Invoke(1, {data, alg}), wasNull);
}
std::string SigningClient::getCertificate(bool* wasNull) { return AsText(Invoke(2), wasNull); }
short SigningClient::xmlSigning(const std::string& data, const std::string& alg, short length) {
    CallResult r = Invoke(8, {data, alg}, &length);
    EXPECT_EQ(r.hr, S_OK) << r.description;
    EXPECT_EQ(r.value.vt, VT_I2);
    return r.value.iVal;
}

}  // namespace testing_support
