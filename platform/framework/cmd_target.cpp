#include "platform/framework/cmd_target.h"

#include <new>

#include "platform/framework/ole_module.h"

namespace framework {
// {6A0C3D51-2F4E-4B8A-9C07-3E5D1B2A4F60}
const IID IID_CsCmdTarget = {0x6A0C3D51, 0x2F4E, 0x4B8A, {0x9C, 0x07, 0x3E, 0x5D, 0x1B, 0x2A, 0x4F, 0x60}};

CCmdTarget* CmdTargetOf(IUnknown* unknown) {
    if (unknown == nullptr) return nullptr;
    void* found = nullptr;
    if (FAILED(unknown->QueryInterface(IID_CsCmdTarget, &found)) || found == nullptr) return nullptr;
    auto* target = static_cast<CCmdTarget*>(found);
    target->ExternalRelease();  // the caller's reference keeps it
    return target;
}
}  // namespace framework

const CRuntimeClass CObject::classCObject = {"CObject", nullptr, nullptr};
const CRuntimeClass CCmdTarget::classCCmdTarget = {"CCmdTarget", nullptr, &CObject::classCObject};

CObject* CRuntimeClass::CreateObject() const {
    if (m_pfnCreateObject == nullptr) return nullptr;
    try {
        return m_pfnCreateObject();
    } catch (...) {
        return nullptr;
    }
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass)
        if (c == base) return true;
    return false;
}

CObject::~CObject() = default;
const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

CCmdTarget::~CCmdTarget() {
    if (module_ != nullptr) --module_->objects;
}

const CRuntimeClass* CCmdTarget::GetRuntimeClass() const { return &classCCmdTarget; }

ULONG CCmdTarget::ExternalRelease() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

void CCmdTarget::CountIn(framework::ModuleState& module) {
    if (module_ != nullptr) return;
    module_ = &module;
    ++module_->objects;
}
