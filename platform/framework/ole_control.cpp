#include "platform/framework/ole_control.h"

#include <cstdio>
#include <string>

#include "platform/com/creation.h"
#include "platform/framework/ole_module.h"
#include "platform/framework/ole_proppage.h"
#include "platform/framework/property_frame.h"

namespace {

// 100 x 50 pixels at 96 pixels per inch, in HIMETRIC (0.01 mm).
constexpr LONG kDefaultExtentX = 2646;
constexpr LONG kDefaultExtentY = 1323;

// Every method a host calls is a firewall: what a hook throws becomes the failure.
template <class F>
HRESULT Guard(F&& call) {
    try {
        return call();
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace

namespace framework {

HRESULT TypeLibCache::Get(WORD major, WORD minor, LCID lcid, ITypeLib** lib) {
    if (lib == nullptr) return E_POINTER;
    *lib = nullptr;
    std::lock_guard<std::mutex> guard(lock_);
    auto it = libs_.find(lcid);
    if (it == libs_.end()) {
        com::ComPtr<ITypeLib> loaded;
        HRESULT hr = LoadRegTypeLib(libid_, major, minor, lcid, loaded.put());
        if (FAILED(hr)) return hr;
        it = libs_.emplace(lcid, std::move(loaded)).first;
    }
    *lib = it->second.get();
    (*lib)->AddRef();
    return S_OK;
}

TypeLibCache& TypeLibCacheFor(const GUID& libid) {
    // Never destroyed: a library released at process exit would unload its module too late.
    static auto* lock = new std::mutex;
    static auto* caches = new std::vector<std::pair<GUID, TypeLibCache*>>;
    std::lock_guard<std::mutex> guard(*lock);
    for (auto& [id, cache] : *caches)
        if (id == libid) return *cache;
    caches->emplace_back(libid, new TypeLibCache(libid));
    return *caches->back().second;
}

}  // namespace framework

const CRuntimeClass COleControl::classCOleControl = {"COleControl", nullptr, &CCmdTarget::classCCmdTarget};
const CRuntimeClass* COleControl::GetRuntimeClass() const { return &classCOleControl; }

COleControl::COleControl() : extent_{kDefaultExtentX, kDefaultExtentY} {}
COleControl::~COleControl() = default;

void COleControl::InitializeIIDs(const IID* dispatchIid, const IID* eventsIid) {
    dispatchIid_ = dispatchIid;
    eventsIid_ = eventsIid;
}

HRESULT COleControl::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || (dispatchIid_ != nullptr && iid == *dispatchIid_))
        *object = static_cast<IDispatch*>(this);
    else if (iid == IID_IOleObject)
        *object = static_cast<IOleObject*>(this);
    else if (iid == IID_IViewObject)
        *object = static_cast<IViewObject*>(this);
    else if (iid == IID_IPersistPropertyBag || iid == IID_IPersist)
        *object = static_cast<IPersistPropertyBag*>(this);
    else if (iid == framework::IID_CsCmdTarget)
        *object = static_cast<CCmdTarget*>(this);
    else
        return E_NOINTERFACE;
    ExternalAddRef();
    return S_OK;
}

// ---- type information ----

HRESULT COleControl::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    return Guard([&] {
        *count = OnGetTypeInfoCount();
        return S_OK;
    });
}

HRESULT COleControl::GetTypeLib(LCID, ITypeLib** lib) {
    if (lib != nullptr) *lib = nullptr;
    return TYPE_E_LIBNOTREGISTERED;
}

HRESULT COleControl::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    return Guard([&]() -> HRESULT {
        if (index >= OnGetTypeInfoCount() || dispatchIid_ == nullptr) return DISP_E_BADINDEX;
        com::ComPtr<ITypeLib> lib;
        HRESULT hr = GetTypeLib(lcid, lib.put());
        if (FAILED(hr)) return hr;
        return lib->GetTypeInfoOfGuid(*dispatchIid_, info);
    });
}

// ---- IOleObject ----

HRESULT COleControl::SetClientSite(IOleClientSite* site) {
    if (site != nullptr) site->AddRef();
    site_.Attach(site);
    return S_OK;
}

HRESULT COleControl::GetClientSite(IOleClientSite** site) {
    if (site == nullptr) return E_POINTER;
    *site = site_.get();
    if (*site != nullptr) (*site)->AddRef();
    return S_OK;
}

HRESULT COleControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }
HRESULT COleControl::Close(DWORD) { return S_OK; }
HRESULT COleControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }
HRESULT COleControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker != nullptr) *moniker = nullptr;
    return E_NOTIMPL;
}
HRESULT COleControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }
HRESULT COleControl::GetClipboardData(DWORD, IDataObject** data) {
    if (data != nullptr) *data = nullptr;
    return E_NOTIMPL;
}

HRESULT COleControl::DoVerb(LONG verb, MSG*, IOleClientSite*, LONG, HWND, LPCRECT) {
    return Guard([&]() -> HRESULT {
        if (verb == OLEIVERB_PROPERTIES) return OnProperties() ? S_OK : E_FAIL;
        if (verb > 0) {
            const OleVerbMap& map = GetMessageMap();
            if (static_cast<std::size_t>(verb) > map.size()) return OLEOBJ_S_INVALIDVERB;
            return (this->*map[verb - 1].handler)() ? S_OK : E_FAIL;
        }
        // Activation verbs: the control has no window of its own to show.
        if (verb == OLEIVERB_PRIMARY || verb == OLEIVERB_SHOW || verb == OLEIVERB_UIACTIVATE ||
            verb == OLEIVERB_INPLACEACTIVATE)
            return S_OK;
        return OLEOBJ_S_INVALIDVERB;
    });
}

HRESULT COleControl::EnumVerbs(IEnumOLEVERB** verbs) {
    if (verbs != nullptr) *verbs = nullptr;
    return OLE_S_USEREG;
}

HRESULT COleControl::Update() { return S_OK; }
HRESULT COleControl::IsUpToDate() { return S_OK; }

HRESULT COleControl::GetUserClassID(CLSID* clsid) { return Guard([&] { return GetClassID(clsid); }); }

HRESULT COleControl::GetUserType(DWORD, LPOLESTR* userType) {
    if (userType != nullptr) *userType = nullptr;
    return OLE_S_USEREG;  // the user type name is in the class's registry entries
}

HRESULT COleControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (size == nullptr) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    extent_ = *size;
    return S_OK;
}

HRESULT COleControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (size == nullptr) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *size = extent_;
    return S_OK;
}

HRESULT COleControl::Advise(IAdviseSink*, DWORD* connection) {
    if (connection != nullptr) *connection = 0;
    return OLE_E_ADVISENOTSUPPORTED;
}
HRESULT COleControl::Unadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT COleControl::EnumAdvise(IEnumSTATDATA** advise) {
    if (advise != nullptr) *advise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT COleControl::GetMiscStatus(DWORD, DWORD* status) {
    if (status == nullptr) return E_POINTER;
    return Guard([&] {
        *status = GetControlMiscStatus();
        return S_OK;
    });
}

HRESULT COleControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

const OleVerbMap& COleControl::GetMessageMap() const {
    static const OleVerbMap none;
    return none;
}

const EventMap& COleControl::GetEventMap() const {
    static const EventMap none;
    return none;
}

// ---- properties verb ----

BOOL COleControl::OnProperties() {
    if (site_) {
        com::ComPtr<IOleControlSite> controlSite;
        if (SUCCEEDED(site_.As(IID_IOleControlSite, controlSite.put())) && controlSite &&
            SUCCEEDED(controlSite->ShowPropertyFrame()))
            return TRUE;
    }
    return ShowSystemPropertyFrame() ? TRUE : FALSE;
}

bool COleControl::ShowSystemPropertyFrame() {
    // The pages come from this module's class objects when it serves them, else through the
    // registry; each page object lives while the frame is shown.
    std::vector<com::ComPtr<IUnknown>> objects;
    std::vector<COlePropertyPage*> pages;
    for (const CLSID& clsid : GetPropPageIDs()) {
        com::ComPtr<IUnknown> object;
        com::ComPtr<IClassFactory> factory;
        HRESULT hr;
        if (Module() && SUCCEEDED(framework::GetClassObject(*Module(), clsid, IID_IClassFactory, factory.put_void())))
            hr = factory->CreateInstance(nullptr, IID_IUnknown, object.put_void());
        else
            hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.put_void());
        auto* page = SUCCEEDED(hr) ? dynamic_cast<COlePropertyPage*>(framework::CmdTargetOf(object.get())) : nullptr;
        if (page == nullptr) {
            std::fprintf(stderr, "chequesign framework: property page %s cannot be created (0x%08X)\n",
                         GuidToString(clsid).c_str(), static_cast<unsigned>(hr));
            continue;
        }
        objects.push_back(std::move(object));
        pages.push_back(page);
    }
    const char* name = Module() ? Module()->LoadString(GetUserTypeNameID()) : nullptr;
    return framework::ShowPropertyFrame(name ? name : "", pages) != ui::kDialogNotShown;
}

// ---- IViewObject ----

HRESULT COleControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC draw, LPCRECTL bounds, LPCRECTL,
                          BOOL (*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (draw == nullptr || bounds == nullptr) return E_INVALIDARG;
    return Guard([&] {
        const CRect rect(*bounds);
        OnDraw(CDC::FromHandle(draw), rect, rect);
        return S_OK;
    });
}

HRESULT COleControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colorSet) {
    if (colorSet != nullptr) *colorSet = nullptr;
    return S_FALSE;
}
HRESULT COleControl::Freeze(DWORD, LONG, void*, DWORD* freeze) {
    if (freeze != nullptr) *freeze = 0;
    return E_NOTIMPL;
}
HRESULT COleControl::Unfreeze(DWORD) { return E_NOTIMPL; }
HRESULT COleControl::SetAdvise(DWORD, DWORD, IAdviseSink*) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT COleControl::GetAdvise(DWORD*, DWORD*, IAdviseSink** sink) {
    if (sink != nullptr) *sink = nullptr;
    return E_NOTIMPL;
}

void COleControl::OnDraw(CDC*, const CRect&, const CRect&) {}

// ---- persistence ----

bool COleControl::ExchangeVersion(CPropExchange* pPX, DWORD versionDefault, bool convert) {
    return pPX->ExchangeVersion(m_dwVersionLoaded, versionDefault, convert);
}

void COleControl::DoPropExchange(CPropExchange* pPX) {
    PX_Long(pPX, "_ExtentX", extent_.cx, kDefaultExtentX);
    PX_Long(pPX, "_ExtentY", extent_.cy, kDefaultExtentY);
    PX_Long(pPX, "_StockProps", stockProps_, 0);  // the control has no stock properties
}

void COleControl::OnResetState() {
    framework::ResetExchange reset;
    DoPropExchange(&reset);
}

HRESULT COleControl::InitNew() {
    return Guard([&] {
        OnResetState();
        return S_OK;
    });
}

HRESULT COleControl::Load(IPropertyBag* bag, IErrorLog* errorLog) {
    if (bag == nullptr) return E_POINTER;
    return Guard([&] {
        framework::PropBagExchange exchange(bag, errorLog, true);
        DoPropExchange(&exchange);
        return S_OK;
    });
}

HRESULT COleControl::Save(IPropertyBag* bag, BOOL, BOOL) {
    if (bag == nullptr) return E_POINTER;
    return Guard([&] {
        framework::PropBagExchange exchange(bag, nullptr, false);
        DoPropExchange(&exchange);
        return exchange.Failed() ? E_FAIL : S_OK;
    });
}
