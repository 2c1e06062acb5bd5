// The control's framework hooks: type information, the properties verb, persistence, reset,
// drawing, its identities and the About box.
#include "platform/framework/ole_registration.h"
#include "signing/SigningCtrl.h"
#include "signing/identities.h"
#include "signing/resources.h"

using namespace signing_ids;

namespace {
constexpr DWORD kMiscStatus = framework::OLEMISC_SETCLIENTSITEFIRST | framework::OLEMISC_ACTIVATEWHENVISIBLE |
                              framework::OLEMISC_INSIDEOUT | framework::OLEMISC_CANTLINKINSIDE |
                              framework::OLEMISC_RECOMPOSEONRESIZE;
}  // namespace

IMPLEMENT_DYNCREATE(CSigningCtrl, COleControl)

CSigningCtrl::CSigningCtrl() { InitializeIIDs(&kDispatchIid, &kEventsIid); }

CSigningCtrl::~CSigningCtrl() = default;

UINT CSigningCtrl::OnGetTypeInfoCount() { return 1; }

framework::TypeLibCache* CSigningCtrl::GetTypeLibCache() { return &framework::TypeLibCacheFor(kTypeLibId); }

HRESULT CSigningCtrl::GetTypeLib(LCID lcid, ITypeLib** lib) {
    return GetTypeLibCache()->Get(kVerMajor, kVerMinor, lcid, lib);
}

const OleVerbMap& CSigningCtrl::GetMessageMap() const {
    static const OleVerbMap map{{"&Properties", &COleControl::OnProperties}};
    return map;
}

void CSigningCtrl::DoPropExchange(CPropExchange* pPX) {
    ExchangeVersion(pPX, kPersistedVersion);
    COleControl::DoPropExchange(pPX);
}

void CSigningCtrl::OnResetState() { COleControl::OnResetState(); }

void CSigningCtrl::OnDraw(CDC* pdc, const CRect& rcBounds, const CRect&) {
    pdc->FillRect(rcBounds, CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
    pdc->Ellipse(rcBounds);
}

HRESULT CSigningCtrl::GetClassID(CLSID* clsid) {
    if (clsid == nullptr) return E_POINTER;
    *clsid = kControlClsid;
    return S_OK;
}

const EventMap& CSigningCtrl::GetEventMap() const {
    static const EventMap none;
    return none;
}

std::vector<CLSID> CSigningCtrl::GetPropPageIDs() { return {kPropPageClsid}; }

UINT CSigningCtrl::GetUserTypeNameID() { return signing_resources::IDS_SIGNING; }

DWORD CSigningCtrl::GetControlMiscStatus() { return kMiscStatus; }

void CSigningCtrl::AboutBox() {
    CDialog dlgAbout(*signing_resources::FindDialog(signing_resources::IDD_ABOUTBOX_SIGNING));
    dlgAbout.DoModal();
}

BOOL CSigningCtrl::CSigningCtrlFactory::UpdateRegistry(BOOL bRegister) {
    if (!bRegister) return framework::UnregisterClass(m_clsid, m_lpszProgID) ? TRUE : FALSE;
    const framework::ControlClassInfo info{m_clsid,           m_lpszProgID, signing_resources::IDS_SIGNING,
                                           signing_resources::IDB_SIGNING, framework::kRegApartment, kMiscStatus,
                                           kTypeLibId,        kVerMajor,    kVerMinor};
    return framework::RegisterControlClass(Module(), info) ? TRUE : FALSE;
}
