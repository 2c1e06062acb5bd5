// The library object: its attributes, documentation and types, over a description.
#include <new>

#include "platform/com/dispatch_map.h"
#include "platform/com/typelib_object.h"

const IID IID_ITypeInfo = {0x00020401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_ITypeLib = {0x00020402, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace com {

HRESULT CreateTypeLib(const TypeLibDesc& desc, HMODULE keepLoaded, ITypeLib** lib) {
    if (lib == nullptr) return E_POINTER;
    *lib = nullptr;
    auto* created = new (std::nothrow) typelib_detail::TypeLib(desc, keepLoaded);
    if (created == nullptr) {
        if (keepLoaded != nullptr) FreeLibrary(keepLoaded);
        return E_OUTOFMEMORY;
    }
    created->AddRef();
    *lib = created;
    return S_OK;
}

namespace typelib_detail {

BSTR NewBstr(const char* text) { return text == nullptr ? nullptr : BStr::FromUtf8(text).release(); }

void SetBstr(BSTR* out, const char* text) {
    if (out != nullptr) *out = NewBstr(text);
}

TypeLib::~TypeLib() {
    if (module_ != nullptr) FreeLibrary(module_);
}

int TypeLib::IndexOf(REFGUID guid) const {
    int i = 0;
    for (const InterfaceDesc& d : desc_.interfaces) {
        if (*d.iid == guid) return i;
        ++i;
    }
    for (const CoclassDesc& c : desc_.coclasses) {
        if (*c.clsid == guid) return i;
        ++i;
    }
    return -1;
}

HRESULT TypeLib::QueryInterface(REFIID iid, void** object) {
    return QueryFrom(iid, object, {{IID_ITypeLib, this}});
}

UINT TypeLib::GetTypeInfoCount() { return static_cast<UINT>(desc_.interfaces.count + desc_.coclasses.count); }

HRESULT TypeLib::GetTypeInfo(UINT index, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index >= GetTypeInfoCount()) return TYPE_E_ELEMENTNOTFOUND;
    auto* created = new (std::nothrow) TypeInfo(this, index);
    if (created == nullptr) return E_OUTOFMEMORY;
    created->AddRef();
    *info = created;
    return S_OK;
}

HRESULT TypeLib::GetTypeInfoType(UINT index, TYPEKIND* kind) {
    if (kind == nullptr) return E_POINTER;
    if (index >= GetTypeInfoCount()) return TYPE_E_ELEMENTNOTFOUND;
    if (index >= desc_.interfaces.count) {
        *kind = TKIND_COCLASS;
    } else {
        *kind = desc_.interfaces.items[index].kind == InterfaceKind::Dispatch ? TKIND_DISPATCH : TKIND_INTERFACE;
    }
    return S_OK;
}

HRESULT TypeLib::GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    const int index = IndexOf(guid);
    if (index < 0) return TYPE_E_ELEMENTNOTFOUND;
    return GetTypeInfo(static_cast<UINT>(index), info);
}

HRESULT TypeLib::GetLibAttr(TLIBATTR** attr) {
    if (attr == nullptr) return E_POINTER;
    *attr = new (std::nothrow)
        TLIBATTR{*desc_.libid, desc_.lcid, SYS_WIN32, desc_.majorVersion, desc_.minorVersion, desc_.flags};
    return *attr == nullptr ? E_OUTOFMEMORY : S_OK;
}

void TypeLib::ReleaseTLibAttr(TLIBATTR* attr) { delete attr; }

HRESULT TypeLib::GetTypeComp(ITypeComp** comp) {
    if (comp != nullptr) *comp = nullptr;
    return E_NOTIMPL;
}

HRESULT TypeLib::GetDocumentation(INT index, BSTR* name, BSTR* docString, DWORD* helpContext, BSTR* helpFile) {
    const char* typeName = nullptr;
    const char* help = nullptr;
    if (index == -1) {
        typeName = desc_.name;
        help = desc_.helpString;
    } else if (index >= 0 && static_cast<UINT>(index) < desc_.interfaces.count) {
        typeName = desc_.interfaces.items[index].name;
        help = desc_.interfaces.items[index].helpString;
    } else if (index >= 0 && static_cast<UINT>(index) < GetTypeInfoCount()) {
        const CoclassDesc& c = desc_.coclasses.items[index - desc_.interfaces.count];
        typeName = c.name;
        help = c.helpString;
    } else {
        return TYPE_E_ELEMENTNOTFOUND;
    }
    SetBstr(name, typeName);
    SetBstr(docString, help);
    if (helpContext != nullptr) *helpContext = 0;
    SetBstr(helpFile, desc_.helpFile);
    return S_OK;
}

HRESULT TypeLib::IsName(LPOLESTR name, ULONG, BOOL* found) {
    if (name == nullptr || found == nullptr) return E_POINTER;
    using dispatch_detail::NameEquals;
    *found = FALSE;
    for (const InterfaceDesc& d : desc_.interfaces) {
        if (NameEquals(name, d.name)) *found = TRUE;
        for (const MemberDesc& m : d.members)
            if (NameEquals(name, m.name)) *found = TRUE;
    }
    for (const CoclassDesc& c : desc_.coclasses)
        if (NameEquals(name, c.name)) *found = TRUE;
    return S_OK;
}

HRESULT TypeLib::FindName(LPOLESTR, ULONG, ITypeInfo**, MEMBERID*, USHORT* found) {
    if (found != nullptr) *found = 0;
    return E_NOTIMPL;
}

}  // namespace typelib_detail
}  // namespace com
