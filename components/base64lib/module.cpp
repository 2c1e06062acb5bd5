// The exports of Base64Lib: its class object and its self-registration.
#include "components/base64lib/base64_interface.h"
#include "components/base64lib/base64_object.h"
#include "platform/com/object.h"
#include "platform/com/registration.h"
#include "platform/loader/loader.h"

namespace {

com::ClassRegistration Registration() {
    return {MakeGuid(base64lib::kClsid), base64lib::kProgId, "Base64 encoder",
            loader::ModulePathOf(reinterpret_cast<const void*>(&Registration))};
}

}  // namespace

CS_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    try {
        return com::GetClassObject<base64lib::Base64>(clsid, MakeGuid(base64lib::kClsid), iid, object);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

CS_EXPORT HRESULT DllCanUnloadNow() { return com::CanUnloadNow(); }

CS_EXPORT HRESULT DllRegisterServer() {
    try {
        return com::RegisterClass(Registration());
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

CS_EXPORT HRESULT DllUnregisterServer() {
    try {
        return com::UnregisterClass(Registration());
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}
