// A small in-process server for the object model's tests: one dispatch class, "ComTest.Sample",
// with a member of each kind a host has to handle. Setting COM_TEST_FAIL_REGISTER makes its
// registration exports fail.
#include <cctype>
#include <cstdlib>
#include <string>

#include "platform/com/com_ptr.h"
#include "platform/com/dispatch_map.h"
#include "platform/com/object.h"
#include "platform/com/registration.h"
#include "platform/com/variant_util.h"
#include "platform/loader/loader.h"
#include "tests/com/sample_server.h"

namespace {

class Sample : public com::Object<IDispatch> {
public:
    BSTR Greet(const char* name) { return com::BStr::FromAnsi(std::string("Hello, ") + name).release(); }
    LONG Add(LONG a, LONG b) { return a + b; }
    BOOL IsEven(LONG x) { return x % 2 == 0; }
    void Nothing() {}
    BSTR NullText() { return nullptr; }
    void Fail() { throw com::DispatchError(E_ACCESSDENIED, "deliberate failure"); }
    // Changes the caller's variable: upper-cases its text.
    void Upper(VARIANT* text) {
        VARIANT value;
        VariantInit(&value);
        HRESULT hr = VariantChangeType(&value, text, 0, VT_BSTR);
        if (FAILED(hr)) throw com::DispatchError(hr, "not text");
        for (UINT k = 0; k < SysStringLen(value.bstrVal); ++k)
            if (value.bstrVal[k] < 0x80) value.bstrVal[k] = static_cast<OLECHAR>(std::toupper(value.bstrVal[k]));
        hr = com::AssignVariant(text, value);
        VariantClear(&value);
        if (FAILED(hr)) throw com::DispatchError(hr, "cannot write back");
    }
    void Bump(short* counter) { ++*counter; }

    HRESULT QueryInterface(REFIID iid, void** object) override {
        return com::QueryFrom(iid, object, {{IID_IDispatch, this}});
    }
    HRESULT GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
        return Map().GetIDsOfNames(iid, names, count, lcid, ids);
    }
    HRESULT Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* info, UINT* argErr) override {
        return Map().Invoke(this, id, iid, lcid, flags, params, result, info, argErr);
    }

    static const com::DispatchMap<Sample>& Map() {
        static const com::DispatchMap<Sample> map(kSampleProgId, {
            {1, "Greet", VT_BSTR, {VT_BSTR}, &Sample::Greet},
            {2, "Add", VT_I4, {VT_I4, VT_I4}, &Sample::Add},
            {3, "IsEven", VT_BOOL, {VT_I4}, &Sample::IsEven},
            {4, "Nothing", VT_EMPTY, {}, &Sample::Nothing},
            {5, "NullText", VT_BSTR, {}, &Sample::NullText},
            {6, "Fail", VT_EMPTY, {}, &Sample::Fail},
            {7, "Upper", VT_EMPTY, {VT_VARIANT | VT_BYREF}, &Sample::Upper},
            {8, "Bump", VT_EMPTY, {VT_I2 | VT_BYREF}, &Sample::Bump},
        });
        return map;
    }
};

com::ClassRegistration Registration() {
    return {MakeGuid(kSampleClsid), kSampleProgId, "Object model test class",
            loader::ModulePathOf(reinterpret_cast<const void*>(&Registration))};
}

bool FailRegistration() { return std::getenv("COM_TEST_FAIL_REGISTER") != nullptr; }

}  // namespace

CS_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    try {
        return com::GetClassObject<Sample>(clsid, MakeGuid(kSampleClsid), iid, object);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

CS_EXPORT HRESULT DllCanUnloadNow() { return com::CanUnloadNow(); }

CS_EXPORT HRESULT DllRegisterServer() {
    try {
        return FailRegistration() ? SELFREG_E_CLASS : com::RegisterClass(Registration());
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

CS_EXPORT HRESULT DllUnregisterServer() {
    try {
        return FailRegistration() ? SELFREG_E_CLASS : com::UnregisterClass(Registration());
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}
