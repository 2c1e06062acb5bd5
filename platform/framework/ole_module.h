// The module side of the control framework: one module object (COleControlModule) per module, the
// module's class objects (COleObjectFactory) in a list that each new class object joins at its
// head, and what the module's exports need from them.
//
// Every module that uses the framework has its own ModuleState (ThisModuleState() has hidden
// visibility, so each module compiles its own). A module defines, in one source file and in this
// order: its module object, its class objects, and a framework::ProcessAttach for the module
// object, which runs InitInstance when the module is loaded and ExitInstance when it goes.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "platform/com/interfaces.h"
#include "platform/framework/cmd_target.h"
#include "platform/framework/module_resources.h"

class COleControlModule;
class COleObjectFactory;

namespace framework {

struct ModuleState {
    std::mutex lock;                         // guards the class-object list
    COleObjectFactory* factories = nullptr;  // the head of the list
    std::atomic<long> objects{0};            // live objects made by the class objects
    std::atomic<long> locks{0};              // IClassFactory::LockServer counts
    COleControlModule* app = nullptr;
    bool initialised = false;               // InitInstance ran and agreed

    // The module file, and its resources (through its exported accessor).
    std::string ModulePath() const;
    const ResourceTable* Resources() const;
    // The user-visible string of the module's resources; null when it has none.
    const char* LoadString(UINT id) const;
};

[[gnu::visibility("hidden")]] inline ModuleState& ThisModuleState() {
    static ModuleState state;
    return state;
}

// Runs the module object's InitInstance on construction and ExitInstance on destruction.
class ProcessAttach {
public:
    explicit ProcessAttach(ModuleState& state);
    ~ProcessAttach();
    ProcessAttach(const ProcessAttach&) = delete;
    ProcessAttach& operator=(const ProcessAttach&) = delete;

private:
    ModuleState& state_;
};

// What the module's exports answer.
HRESULT GetClassObject(ModuleState& state, REFCLSID clsid, REFIID iid, void** object);
HRESULT CanUnloadNow(ModuleState& state);
// Asks every class object, in list order, to register (or unregister); false at the first failure.
bool UpdateRegistryAll(ModuleState& state, bool doRegister);
// Loads TYPELIB 1 from the module's own file, checks its LIBID and registers it with that path and
// no help directory. False when any of it fails.
bool RegisterTypeLib(ModuleState& state, REFGUID libid);
// Removes every registration of the library (see typelib_module.cpp). False on a registry
// error other than a missing key.
bool UnregisterTypeLib(REFGUID libid);

}  // namespace framework

// The module object. A module derives its own and makes one static instance.
class COleControlModule {
public:
    COleControlModule() { framework::ThisModuleState().app = this; }
    virtual ~COleControlModule() = default;
    COleControlModule(const COleControlModule&) = delete;
    COleControlModule& operator=(const COleControlModule&) = delete;

    // The module's start and end; the framework's own versions do nothing and agree.
    virtual BOOL InitInstance();
    virtual int ExitInstance();
};

// A class object: the class identifier, the runtime class it creates and the ProgID. The module's
// classes derive from it to write and remove their registry entries.
class COleObjectFactory : public IClassFactory {
public:
    COleObjectFactory(REFCLSID clsid, const CRuntimeClass* runtimeClass, const char* progId)
        : COleObjectFactory(framework::ThisModuleState(), clsid, runtimeClass, progId) {}
    COleObjectFactory(framework::ModuleState& state, REFCLSID clsid, const CRuntimeClass* runtimeClass,
                      const char* progId);
    virtual ~COleObjectFactory();
    COleObjectFactory(const COleObjectFactory&) = delete;
    COleObjectFactory& operator=(const COleObjectFactory&) = delete;

    // Writes (TRUE) or removes (FALSE) the class's registry entries.
    virtual BOOL UpdateRegistry(BOOL bRegister) = 0;

    const CLSID& GetClassID() const { return m_clsid; }
    const char* GetProgID() const { return m_lpszProgID; }
    const CRuntimeClass* GetRuntimeClassOf() const { return m_pRuntimeClass; }
    framework::ModuleState& Module() const { return state_; }
    COleObjectFactory* m_pNextFactory = nullptr;

    // IUnknown, IClassFactory. The class object lives as long as its module: references only
    // count calls.
    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT LockServer(BOOL lock) override;

protected:
    CLSID m_clsid;
    const CRuntimeClass* m_pRuntimeClass;
    const char* m_lpszProgID;

private:
    framework::ModuleState& state_;
};
