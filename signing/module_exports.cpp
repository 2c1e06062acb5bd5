// The module's exports: the class object of the control, and whether the module may go.
#include "platform/com/object.h"
#include "signing/SigningCtrl.h"
#include "signing/identities.h"

CS_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    try {
        return com::GetClassObject<CSigningCtrl>(clsid, signing_ids::kControlClsid, iid, object);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

CS_EXPORT HRESULT DllCanUnloadNow() { return com::CanUnloadNow(); }
