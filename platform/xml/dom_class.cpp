#include "platform/xml/dom_class.h"

#include "platform/com/registration.h"
#include "platform/xml/dom_objects.h"

namespace xmldom {

namespace {

constexpr char kDescription[] = "XML DOM Document";
constexpr char kThreadingModel[] = "Both";

com::ClassRegistration Registration(const std::string& modulePath) {
    return {MakeGuid(kDomDocumentClsid), kDomDocumentProgId, kDescription, modulePath, kThreadingModel};
}

}  // namespace

HRESULT GetDocumentClassObject(REFCLSID clsid, REFIID iid, void** object) {
    static const CLSID kClsid = MakeGuid(kDomDocumentClsid);
    return com::GetClassObject<Document>(clsid, kClsid, iid, object);
}

HRESULT CanUnloadNow() { return com::CanUnloadNow(); }

HRESULT RegisterDocumentClass(const std::string& modulePath) {
    return com::RegisterClass(Registration(modulePath));
}

HRESULT UnregisterDocumentClass(const std::string& modulePath) {
    return com::UnregisterClass(Registration(modulePath));
}

}  // namespace xmldom
