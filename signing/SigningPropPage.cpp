#include "signing/SigningPropPage.h"

#include "platform/framework/ole_registration.h"
#include "signing/identities.h"
#include "signing/resources.h"

IMPLEMENT_DYNCREATE(CSigningPropPage, COlePropertyPage)

namespace {
std::string TabCaption() {
    const char* caption = signing_resources::LoadString(signing_resources::IDS_SIGNING_PPG_CAPTION);
    return caption ? caption : "";
}
}  // namespace

CSigningPropPage::CSigningPropPage()
    : COlePropertyPage(*signing_resources::FindDialog(signing_resources::IDD_PROPPAGE_SIGNING),
                       TabCaption()) {}

CSigningPropPage::~CSigningPropPage() = default;

void CSigningPropPage::DoDataExchange(CDataExchange* pDX) { DDP_PostProcessing(pDX); }

const CLSID& CSigningPropPage::GetClassID() const { return signing_ids::kPropPageClsid; }

BOOL CSigningPropPage::CSigningPropPageFactory::UpdateRegistry(BOOL bRegister) {
    if (!bRegister) return framework::UnregisterClass(m_clsid, nullptr) ? TRUE : FALSE;  // no ProgID key
    return framework::RegisterPropertyPageClass(Module(), m_clsid, signing_resources::IDS_SIGNING_PPG, 0) ? TRUE
                                                                                                          : FALSE;
}
