// A module whose DllGetClassObject answers success without handing out a class object.
#include "platform/com/object.h"

CS_EXPORT HRESULT DllGetClassObject(REFCLSID, REFIID, void** object) {
    if (object != nullptr) *object = nullptr;
    return S_OK;
}
