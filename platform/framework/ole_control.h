// COleControl: the base of a control. It gives the host the control's COM face (IDispatch,
// IOleObject, IViewObject, IPersistPropertyBag) and calls the control's hooks behind it:
//   dispatch map           IDispatch::GetIDsOfNames and Invoke (the control's own)
//   type information       OnGetTypeInfoCount, GetTypeLibCache, GetTypeLib
//   verbs                  GetMessageMap (verbs 1, 2, ... in map order); OLEIVERB_PROPERTIES
//                          goes to OnProperties as well
//   persistence, reset     DoPropExchange, OnResetState
//   drawing                OnDraw
//   identity               GetClassID, GetUserTypeNameID, GetControlMiscStatus, GetPropPageIDs,
//                          GetEventMap
#pragma once

#include <map>
#include <mutex>
#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/com/typelib.h"
#include "platform/framework/cmd_target.h"
#include "platform/framework/dc.h"
#include "platform/framework/dialog.h"
#include "platform/framework/ole_interfaces.h"
#include "platform/framework/prop_exchange.h"

class COleControl;

// One verb of a control: its display name and the member that carries it out.
struct OleVerbEntry {
    const char* name;
    BOOL (COleControl::*handler)();
};
using OleVerbMap = std::vector<OleVerbEntry>;

// One event of a control's event interface.
struct EventMapEntry {
    DISPID id;
    const char* name;
};
using EventMap = std::vector<EventMapEntry>;

namespace framework {
// Loaded type libraries by locale, for one LIBID: the library is loaded once per locale.
class TypeLibCache {
public:
    explicit TypeLibCache(const GUID& libid) : libid_(libid) {}
    // The cached library, or the registered one (then cached). TYPE_E_LIBNOTREGISTERED when there is none.
    HRESULT Get(WORD major, WORD minor, LCID lcid, ITypeLib** lib);

private:
    GUID libid_;
    std::mutex lock_;
    std::map<LCID, com::ComPtr<ITypeLib>> libs_;
};
// The process's cache for the LIBID; lives as long as the process.
TypeLibCache& TypeLibCacheFor(const GUID& libid);
}  // namespace framework

class COleControl : public CWnd,
                    public IDispatch,
                    public IOleObject,
                    public IViewObject,
                    public IPersistPropertyBag {
public:
    static const CRuntimeClass classCOleControl;
    const CRuntimeClass* GetRuntimeClass() const override;

    // IUnknown (for every interface of the control)
    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override { return ExternalAddRef(); }
    ULONG Release() override { return ExternalRelease(); }
    IUnknown* GetIUnknown() override { return static_cast<IDispatch*>(this); }

    // IDispatch: type information from the hooks; GetIDsOfNames and Invoke are the control's.
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;

    // IOleObject
    HRESULT SetClientSite(IOleClientSite* site) override;
    HRESULT GetClientSite(IOleClientSite** site) override;
    HRESULT SetHostNames(LPCOLESTR app, LPCOLESTR object) override;
    HRESULT Close(DWORD saveOption) override;
    HRESULT SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    HRESULT GetClipboardData(DWORD reserved, IDataObject** data) override;
    HRESULT DoVerb(LONG verb, MSG* msg, IOleClientSite* site, LONG index, HWND parent, LPCRECT rect) override;
    HRESULT EnumVerbs(IEnumOLEVERB** verbs) override;
    HRESULT Update() override;
    HRESULT IsUpToDate() override;
    HRESULT GetUserClassID(CLSID* clsid) override;
    HRESULT GetUserType(DWORD form, LPOLESTR* userType) override;
    HRESULT SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT Advise(IAdviseSink* sink, DWORD* connection) override;
    HRESULT Unadvise(DWORD connection) override;
    HRESULT EnumAdvise(IEnumSTATDATA** advise) override;
    HRESULT GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT SetColorScheme(LOGPALETTE* palette) override;

    // IViewObject: Draw calls OnDraw with the context behind hdcDraw (see dc.h).
    HRESULT Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* target, HDC targetDev, HDC draw,
                 LPCRECTL bounds, LPCRECTL wBounds, BOOL (*pfnContinue)(ULONG_PTR), ULONG_PTR dwContinue) override;
    HRESULT GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* target, HDC targetDev,
                        LOGPALETTE** colorSet) override;
    HRESULT Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
    HRESULT Unfreeze(DWORD freeze) override;
    HRESULT SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;

    // IPersistPropertyBag. GetClassID is the control's class identifier hook.
    HRESULT InitNew() override;
    HRESULT Load(IPropertyBag* bag, IErrorLog* errorLog) override;
    HRESULT Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAllProperties) override;

    // The version that the last load or reset gave (ExchangeVersion).
    DWORD GetLoadedVersion() const { return m_dwVersionLoaded; }
    // The extent in HIMETRIC units, as persisted in "_ExtentX" and "_ExtentY".
    SIZEL GetExtentHimetric() const { return extent_; }

    // Shows the property frame: the container's, when its control site has one, else the system's
    // with the control's property pages.
    virtual BOOL OnProperties();

protected:
    COleControl();
    ~COleControl() override;

    // The primary dispatch interface (answers QueryInterface as IDispatch) and the event interface.
    void InitializeIIDs(const IID* dispatchIid, const IID* eventsIid);

    // Type information.
    virtual UINT OnGetTypeInfoCount() { return 0; }
    virtual framework::TypeLibCache* GetTypeLibCache() { return nullptr; }
    virtual HRESULT GetTypeLib(LCID lcid, ITypeLib** lib);

    // Verbs of the control's own.
    virtual const OleVerbMap& GetMessageMap() const;

    // Persistence: the base exchanges the extent and the stock-property set.
    virtual void DoPropExchange(CPropExchange* pPX);
    // Reapplies the defaults of the property exchange.
    virtual void OnResetState();
    bool ExchangeVersion(CPropExchange* pPX, DWORD versionDefault, bool convert = true);

    virtual void OnDraw(CDC* pdc, const CRect& rcBounds, const CRect& rcInvalid);

    virtual UINT GetUserTypeNameID() = 0;
    virtual DWORD GetControlMiscStatus() = 0;
    virtual std::vector<CLSID> GetPropPageIDs() { return {}; }
    virtual const EventMap& GetEventMap() const;

    IOleClientSite* GetClientSitePtr() const { return site_.get(); }

private:
    bool ShowSystemPropertyFrame();

    const IID* dispatchIid_ = nullptr;
    const IID* eventsIid_ = nullptr;
    com::ComPtr<IOleClientSite> site_;
    SIZEL extent_;
    DWORD m_dwVersionLoaded = 0;
    LONG stockProps_ = 0;
};
