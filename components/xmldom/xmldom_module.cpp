// The module that serves the XML DOM document class to class creation.
#include <string>

#include "platform/com/interfaces.h"
#include "platform/loader/loader.h"
#include "platform/xml/dom_class.h"

namespace {

std::string ThisModulePath() { return loader::ModulePathOf(reinterpret_cast<const void*>(&ThisModulePath)); }

}  // namespace

CS_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    try {
        return xmldom::GetDocumentClassObject(clsid, iid, object);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

CS_EXPORT HRESULT DllCanUnloadNow() {
    try {
        return xmldom::CanUnloadNow();
    } catch (...) {
        return S_FALSE;
    }
}

CS_EXPORT HRESULT DllRegisterServer() {
    try {
        std::string path = ThisModulePath();
        return path.empty() ? SELFREG_E_CLASS : xmldom::RegisterDocumentClass(path);
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

CS_EXPORT HRESULT DllUnregisterServer() {
    try {
        return xmldom::UnregisterDocumentClass(ThisModulePath());
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}
