#include "platform/xml/dom_class.h"

#include <new>

#include "platform/com/registration.h"
#include "platform/xml/dom_objects.h"

namespace xmldom {

namespace {

constexpr char kDescription[] = "XML DOM Document";
constexpr char kThreadingModel[] = "Both";

// Makes documents. Holding the factory does not hold the module; LockServer does.
class DocumentFactory final : public IClassFactory {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        return com::QueryFrom(iid, object, {{IID_IClassFactory, this}});
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override {
        ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        try {
            return com::CreateObject<Document>(iid, object);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }
    HRESULT LockServer(BOOL lock) override {
        if (lock)
            ++LiveCount();
        else
            --LiveCount();
        return S_OK;
    }

private:
    std::atomic<ULONG> refs_{0};
};

com::ClassRegistration Registration(const std::string& modulePath) {
    return {MakeGuid(kDomDocumentClsid), kDomDocumentProgId, kDescription, modulePath, kThreadingModel};
}

}  // namespace

std::atomic<long>& LiveCount() {
    static std::atomic<long> count{0};
    return count;
}

HRESULT GetDocumentClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!(clsid == MakeGuid(kDomDocumentClsid))) return CLASS_E_CLASSNOTAVAILABLE;
    return com::CreateObject<DocumentFactory>(iid, object);
}

HRESULT CanUnloadNow() { return LiveCount().load() == 0 ? S_OK : S_FALSE; }

HRESULT RegisterDocumentClass(const std::string& modulePath) {
    return com::RegisterClass(Registration(modulePath));
}

HRESULT UnregisterDocumentClass(const std::string& modulePath) {
    return com::UnregisterClass(Registration(modulePath));
}

}  // namespace xmldom
