#include "platform/framework/ole_module.h"

#include <cstdio>

#include "platform/com/com_ptr.h"
#include "platform/com/object.h"
#include "platform/loader/loader.h"

namespace framework {

std::string ModuleState::ModulePath() const { return loader::ModulePathOf(this); }

const ResourceTable* ModuleState::Resources() const {
    HMODULE module = loader::ModuleOf(this);
    if (module == nullptr) return nullptr;
    const ResourceTable* table = ResourcesOf(module);
    FreeLibrary(module);  // the module holds this state, so it stays loaded
    return table;
}

const char* ModuleState::LoadString(UINT id) const {
    const ResourceTable* table = Resources();
    return table ? FindString(*table, id) : nullptr;
}

ProcessAttach::ProcessAttach(ModuleState& state) : state_(state) {
    try {
        state_.initialised = state_.app == nullptr || state_.app->InitInstance() != FALSE;
    } catch (...) {
        state_.initialised = false;
    }
    if (!state_.initialised)
        std::fprintf(stderr, "chequesign framework: %s did not initialise; it serves no classes\n",
                     state_.ModulePath().c_str());
}

ProcessAttach::~ProcessAttach() {
    if (!state_.initialised || state_.app == nullptr) return;
    try {
        state_.app->ExitInstance();
    } catch (...) {
    }
}

HRESULT GetClassObject(ModuleState& state, REFCLSID clsid, REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!state.initialised) return CLASS_E_CLASSNOTAVAILABLE;
    std::lock_guard<std::mutex> guard(state.lock);
    for (COleObjectFactory* f = state.factories; f != nullptr; f = f->m_pNextFactory)
        if (f->GetClassID() == clsid) return f->QueryInterface(iid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CanUnloadNow(ModuleState& state) {
    return state.objects.load() == 0 && state.locks.load() == 0 ? S_OK : S_FALSE;
}

bool UpdateRegistryAll(ModuleState& state, bool doRegister) {
    if (!state.initialised) return false;
    std::lock_guard<std::mutex> guard(state.lock);
    for (COleObjectFactory* f = state.factories; f != nullptr; f = f->m_pNextFactory) {
        try {
            if (!f->UpdateRegistry(doRegister ? TRUE : FALSE)) return false;
        } catch (...) {
            return false;
        }
    }
    return true;
}

}  // namespace framework

BOOL COleControlModule::InitInstance() { return TRUE; }
int COleControlModule::ExitInstance() { return 0; }

COleObjectFactory::COleObjectFactory(framework::ModuleState& state, REFCLSID clsid,
                                     const CRuntimeClass* runtimeClass, const char* progId)
    : m_clsid(clsid), m_pRuntimeClass(runtimeClass), m_lpszProgID(progId), state_(state) {
    std::lock_guard<std::mutex> guard(state_.lock);
    m_pNextFactory = state_.factories;
    state_.factories = this;
}

COleObjectFactory::~COleObjectFactory() {
    std::lock_guard<std::mutex> guard(state_.lock);
    for (COleObjectFactory** link = &state_.factories; *link != nullptr; link = &(*link)->m_pNextFactory) {
        if (*link == this) {
            *link = m_pNextFactory;
            break;
        }
    }
}

HRESULT COleObjectFactory::QueryInterface(REFIID iid, void** object) {
    return com::QueryFrom(iid, object, {{IID_IClassFactory, this}});
}

HRESULT COleObjectFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    try {
        CObject* created = m_pRuntimeClass ? m_pRuntimeClass->CreateObject() : nullptr;
        if (created == nullptr) return E_OUTOFMEMORY;
        auto* target = dynamic_cast<CCmdTarget*>(created);
        IUnknown* unknown = target ? target->GetIUnknown() : nullptr;
        if (unknown == nullptr) {
            delete created;
            return E_NOINTERFACE;
        }
        target->CountIn(state_);
        unknown->AddRef();  // held across the look-up; the object goes if iid is refused
        HRESULT hr = unknown->QueryInterface(iid, object);
        unknown->Release();
        return hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT COleObjectFactory::LockServer(BOOL lock) {
    if (lock)
        ++state_.locks;
    else if (state_.locks.load() > 0)
        --state_.locks;
    return S_OK;
}
