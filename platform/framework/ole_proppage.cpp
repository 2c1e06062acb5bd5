#include "platform/framework/ole_proppage.h"

#include <utility>

const CRuntimeClass COlePropertyPage::classCOlePropertyPage = {"COlePropertyPage", nullptr,
                                                               &CCmdTarget::classCCmdTarget};
const CRuntimeClass* COlePropertyPage::GetRuntimeClass() const { return &classCOlePropertyPage; }

COlePropertyPage::COlePropertyPage(const ui::DialogTemplate& dialogTemplate, std::string caption)
    : CDialog(dialogTemplate), unknown_(*this), caption_(std::move(caption)) {}

COlePropertyPage::~COlePropertyPage() = default;

HRESULT COlePropertyPage::Unknown::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown)
        *object = static_cast<IUnknown*>(this);
    else if (iid == framework::IID_CsCmdTarget)
        *object = static_cast<CCmdTarget*>(&page);
    else
        return E_NOINTERFACE;
    page.ExternalAddRef();
    return S_OK;
}

void DDP_PostProcessing(CDataExchange*) {
    // The pages of this framework edit no properties through the frame, so nothing is pending.
}
