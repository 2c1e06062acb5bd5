// The module's exports: its class objects, whether it may go, and its self-registration.
#include "platform/com/object.h"
#include "platform/framework/ole_module.h"
#include "signing/identities.h"

namespace {
framework::ModuleState& Module() { return framework::ThisModuleState(); }
}  // namespace

CS_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    try {
        return framework::GetClassObject(Module(), clsid, iid, object);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

CS_EXPORT HRESULT DllCanUnloadNow() {
    return framework::CanUnloadNow(Module()) == S_OK && com::CanUnloadNow() == S_OK ? S_OK : S_FALSE;
}

CS_EXPORT HRESULT DllRegisterServer() {
    try {
        if (!framework::RegisterTypeLib(Module(), signing_ids::kTypeLibId)) return SELFREG_E_TYPELIB;
        if (!framework::UpdateRegistryAll(Module(), true)) return SELFREG_E_CLASS;
        return S_OK;
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

CS_EXPORT HRESULT DllUnregisterServer() {
    try {
        if (!framework::UnregisterTypeLib(signing_ids::kTypeLibId)) return SELFREG_E_TYPELIB;
        if (!framework::UpdateRegistryAll(Module(), false)) return SELFREG_E_CLASS;
        return S_OK;
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}
