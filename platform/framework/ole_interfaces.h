// The object-model interfaces a control offers its host, in the platform's method order: the
// embedding (IOleObject, with the host's IOleClientSite and IOleControlSite), drawing (IViewObject)
// and persistence through a property bag (IPersistPropertyBag, IPropertyBag).
#pragma once

#include "platform/com/interfaces.h"
#include "platform/framework/dc.h"
#include "platform/framework/gdi.h"

struct IMoniker;
struct IDataObject;
struct IOleContainer;
struct IEnumOLEVERB;
struct IEnumSTATDATA;
struct IAdviseSink;
struct IErrorLog;
struct LOGPALETTE;
struct DVTARGETDEVICE;
struct MSG;
struct POINTF {
    float x;
    float y;
};
struct HWND__;
using HWND = HWND__*;
using ULONG_PTR = std::uintptr_t;

inline constexpr LONG OLEIVERB_PRIMARY = 0;
inline constexpr LONG OLEIVERB_SHOW = -1;
inline constexpr LONG OLEIVERB_UIACTIVATE = -4;
inline constexpr LONG OLEIVERB_INPLACEACTIVATE = -5;
inline constexpr LONG OLEIVERB_PROPERTIES = -7;

inline constexpr DWORD DVASPECT_CONTENT = 1;

inline constexpr HRESULT OLE_S_USEREG = 0x00040000;
inline constexpr HRESULT OLEOBJ_S_INVALIDVERB = 0x00040181;
inline constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003u);
inline constexpr HRESULT DV_E_DVASPECT = static_cast<HRESULT>(0x8004006Bu);

struct IOleClientSite : IUnknown {
    virtual HRESULT SaveObject() = 0;
    virtual HRESULT GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) = 0;
    virtual HRESULT GetContainer(IOleContainer** container) = 0;
    virtual HRESULT ShowObject() = 0;
    virtual HRESULT OnShowWindow(BOOL show) = 0;
    virtual HRESULT RequestNewObjectLayout() = 0;
};

struct IOleControlSite : IUnknown {
    virtual HRESULT OnControlInfoChanged() = 0;
    virtual HRESULT LockInPlaceActive(BOOL lock) = 0;
    virtual HRESULT GetExtendedControl(IDispatch** control) = 0;
    virtual HRESULT TransformCoords(POINT* himetric, POINTF* container, DWORD flags) = 0;
    virtual HRESULT TranslateAccelerator(MSG* msg, DWORD modifiers) = 0;
    virtual HRESULT OnFocus(BOOL gotFocus) = 0;
    virtual HRESULT ShowPropertyFrame() = 0;
};

struct IOleObject : IUnknown {
    virtual HRESULT SetClientSite(IOleClientSite* site) = 0;
    virtual HRESULT GetClientSite(IOleClientSite** site) = 0;
    virtual HRESULT SetHostNames(LPCOLESTR app, LPCOLESTR object) = 0;
    virtual HRESULT Close(DWORD saveOption) = 0;
    virtual HRESULT SetMoniker(DWORD which, IMoniker* moniker) = 0;
    virtual HRESULT GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) = 0;
    virtual HRESULT InitFromData(IDataObject* data, BOOL creation, DWORD reserved) = 0;
    virtual HRESULT GetClipboardData(DWORD reserved, IDataObject** data) = 0;
    virtual HRESULT DoVerb(LONG verb, MSG* msg, IOleClientSite* site, LONG index, HWND parent, LPCRECT rect) = 0;
    virtual HRESULT EnumVerbs(IEnumOLEVERB** verbs) = 0;
    virtual HRESULT Update() = 0;
    virtual HRESULT IsUpToDate() = 0;
    virtual HRESULT GetUserClassID(CLSID* clsid) = 0;
    virtual HRESULT GetUserType(DWORD form, LPOLESTR* userType) = 0;
    virtual HRESULT SetExtent(DWORD aspect, SIZEL* size) = 0;
    virtual HRESULT GetExtent(DWORD aspect, SIZEL* size) = 0;
    virtual HRESULT Advise(IAdviseSink* sink, DWORD* connection) = 0;
    virtual HRESULT Unadvise(DWORD connection) = 0;
    virtual HRESULT EnumAdvise(IEnumSTATDATA** advise) = 0;
    virtual HRESULT GetMiscStatus(DWORD aspect, DWORD* status) = 0;
    virtual HRESULT SetColorScheme(LOGPALETTE* palette) = 0;
};

struct IViewObject : IUnknown {
    virtual HRESULT Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* target, HDC targetDev,
                         HDC draw, LPCRECTL bounds, LPCRECTL wBounds, BOOL (*pfnContinue)(ULONG_PTR),
                         ULONG_PTR dwContinue) = 0;
    virtual HRESULT GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* target, HDC targetDev,
                                LOGPALETTE** colorSet) = 0;
    virtual HRESULT Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) = 0;
    virtual HRESULT Unfreeze(DWORD freeze) = 0;
    virtual HRESULT SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) = 0;
    virtual HRESULT GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) = 0;
};

struct IPropertyBag : IUnknown {
    // The caller sets value->vt to the type it wants (VT_EMPTY: as stored).
    virtual HRESULT Read(LPCOLESTR name, VARIANT* value, IErrorLog* errorLog) = 0;
    virtual HRESULT Write(LPCOLESTR name, VARIANT* value) = 0;
};

struct IPersist : IUnknown {
    virtual HRESULT GetClassID(CLSID* clsid) = 0;
};

struct IPersistPropertyBag : IPersist {
    virtual HRESULT InitNew() = 0;
    virtual HRESULT Load(IPropertyBag* bag, IErrorLog* errorLog) = 0;
    virtual HRESULT Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAllProperties) = 0;
};

extern const IID IID_IOleObject;
extern const IID IID_IOleClientSite;
extern const IID IID_IOleControlSite;
extern const IID IID_IViewObject;
extern const IID IID_IPersist;
extern const IID IID_IPersistPropertyBag;
extern const IID IID_IPropertyBag;
