// What the module serving the DOM document class exports: its class object, whether it may be
// unloaded, and its registration (ThreadingModel "Both", the ProgID Msxml2.DOMDocument).
#pragma once

#include <string>

#include "platform/com/interfaces.h"
#include "platform/com/types.h"

namespace xmldom {

// CLASS_E_CLASSNOTAVAILABLE for any class but the DOM document.
HRESULT GetDocumentClassObject(REFCLSID clsid, REFIID iid, void** object);
// S_OK while no DOM object lives and no server lock is held, otherwise S_FALSE.
HRESULT CanUnloadNow();
// modulePath: the full path of the serving module. S_OK or SELFREG_E_CLASS.
HRESULT RegisterDocumentClass(const std::string& modulePath);
HRESULT UnregisterDocumentClass(const std::string& modulePath);

}  // namespace xmldom
