// The framework's object roots: CObject with its runtime class (name, base, creation on request)
// and CCmdTarget, the base of every framework object that a host reaches as a COM object (control,
// property page). A CCmdTarget keeps the object's reference count and counts towards its module's
// live objects while it lives.
#pragma once

#include <atomic>

#include "platform/com/interfaces.h"

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();  // null for a class that cannot be created on request
    const CRuntimeClass* m_pBaseClass;

    // A new object of the class; null when it has no creation or it fails.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
public:
    virtual ~CObject();
    virtual const CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// In the class: its runtime class, created on request through the default constructor.
#define DECLARE_DYNCREATE(class_name)                        \
public:                                                      \
    static const CRuntimeClass class##class_name;            \
    const CRuntimeClass* GetRuntimeClass() const override;   \
    static CObject* CreateObject();

#define IMPLEMENT_DYNCREATE(class_name, base_name)                                                   \
    CObject* class_name::CreateObject() { return new class_name; }                                   \
    const CRuntimeClass class_name::class##class_name = {#class_name, &class_name::CreateObject,     \
                                                          RUNTIME_CLASS(base_name)};                 \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

namespace framework {
struct ModuleState;
// The identity under which a framework object answers QueryInterface with its CCmdTarget, for
// framework code (the property frame, hosts written with the framework) in the same process.
extern const IID IID_CsCmdTarget;
}  // namespace framework

class CCmdTarget : public CObject {
public:
    ~CCmdTarget() override;

    static const CRuntimeClass classCCmdTarget;
    const CRuntimeClass* GetRuntimeClass() const override;

    // The object's IUnknown; null for a command target that is no COM object.
    virtual IUnknown* GetIUnknown() { return nullptr; }

    ULONG ExternalAddRef() { return ++refs_; }
    // Deletes the object with the last reference.
    ULONG ExternalRelease();

    // The module whose class object made the object: counted there until the object goes.
    void CountIn(framework::ModuleState& module);
    framework::ModuleState* Module() const { return module_; }

private:
    std::atomic<ULONG> refs_{0};
    framework::ModuleState* module_ = nullptr;
};

namespace framework {
// The framework object behind a COM object of this process; null when it is none. The caller's
// reference to unknown keeps it alive.
CCmdTarget* CmdTargetOf(IUnknown* unknown);
}  // namespace framework
