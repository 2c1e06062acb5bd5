// Type information of one interface or coclass of a library.
#include <new>

#include "platform/com/creation.h"
#include "platform/com/dispatch_map.h"
#include "platform/com/typelib_object.h"

namespace com::typelib_detail {
namespace {

ELEMDESC Elem(VARTYPE type) {
    ELEMDESC e{};
    e.tdesc.vt = type == VT_EMPTY ? static_cast<VARTYPE>(VT_VOID) : type;
    return e;
}

}  // namespace

TypeInfo::TypeInfo(TypeLib* lib, UINT index) : lib_(lib), index_(index) {}

const InterfaceDesc* TypeInfo::Interface() const {
    const TypeLibDesc& d = lib_->Desc();
    return index_ < d.interfaces.count ? &d.interfaces.items[index_] : nullptr;
}

const CoclassDesc* TypeInfo::Coclass() const {
    const TypeLibDesc& d = lib_->Desc();
    return index_ >= d.interfaces.count ? &d.coclasses.items[index_ - d.interfaces.count] : nullptr;
}

const MemberDesc* TypeInfo::Member(MEMBERID id) const {
    if (const InterfaceDesc* i = Interface())
        for (const MemberDesc& m : i->members)
            if (m.id == id) return &m;
    return nullptr;
}

HRESULT TypeInfo::QueryInterface(REFIID iid, void** object) {
    return QueryFrom(iid, object, {{IID_ITypeInfo, this}});
}

HRESULT TypeInfo::GetTypeAttr(TYPEATTR** attr) {
    if (attr == nullptr) return E_POINTER;
    *attr = new (std::nothrow) TYPEATTR{};
    if (*attr == nullptr) return E_OUTOFMEMORY;
    TYPEATTR& a = **attr;
    const TypeLibDesc& lib = lib_->Desc();
    a.lcid = lib.lcid;
    a.memidConstructor = MEMBERID_NIL;
    a.memidDestructor = MEMBERID_NIL;
    a.cbAlignment = 4;
    a.wMajorVerNum = lib.majorVersion;
    a.wMinorVerNum = lib.minorVersion;
    if (const InterfaceDesc* i = Interface()) {
        a.guid = *i->iid;
        a.typekind = i->kind == InterfaceKind::Dispatch ? TKIND_DISPATCH : TKIND_INTERFACE;
        a.cFuncs = static_cast<WORD>(i->members.count);
        a.wTypeFlags = i->flags;
        a.cbSizeVft = static_cast<WORD>(7 * sizeof(void*));  // IDispatch's slots
        a.cbSizeInstance = sizeof(void*);
    } else {
        const CoclassDesc* c = Coclass();
        a.guid = *c->clsid;
        a.typekind = TKIND_COCLASS;
        a.cImplTypes = static_cast<WORD>(c->interfaces.count);
        a.wTypeFlags = c->flags;
    }
    return S_OK;
}

void TypeInfo::ReleaseTypeAttr(TYPEATTR* attr) { delete attr; }

HRESULT TypeInfo::GetTypeComp(ITypeComp** comp) {
    if (comp != nullptr) *comp = nullptr;
    return E_NOTIMPL;
}

HRESULT TypeInfo::GetFuncDesc(UINT index, FUNCDESC** desc) {
    if (desc == nullptr) return E_POINTER;
    *desc = nullptr;
    const InterfaceDesc* i = Interface();
    if (i == nullptr || index >= i->members.count) return TYPE_E_ELEMENTNOTFOUND;
    const MemberDesc& m = i->members.items[index];
    auto* f = new (std::nothrow) FUNCDESC{};
    ELEMDESC* params = m.params.count ? new (std::nothrow) ELEMDESC[m.params.count] : nullptr;
    if (f == nullptr || (m.params.count && params == nullptr)) {
        delete f;
        delete[] params;
        return E_OUTOFMEMORY;
    }
    for (std::size_t k = 0; k < m.params.count; ++k) params[k] = Elem(m.params.items[k].type);
    f->memid = m.id;
    f->lprgelemdescParam = params;
    f->funckind = FUNC_DISPATCH;
    f->invkind = INVOKE_FUNC;
    f->callconv = CC_STDCALL;
    f->cParams = static_cast<SHORT>(m.params.count);
    f->elemdescFunc = Elem(m.result);
    *desc = f;
    return S_OK;
}

void TypeInfo::ReleaseFuncDesc(FUNCDESC* desc) {
    if (desc == nullptr) return;
    delete[] desc->lprgelemdescParam;
    delete desc;
}

HRESULT TypeInfo::GetVarDesc(UINT, VARDESC** desc) {
    if (desc != nullptr) *desc = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

void TypeInfo::ReleaseVarDesc(VARDESC*) {}

HRESULT TypeInfo::GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) {
    if (names == nullptr || count == nullptr) return E_POINTER;
    *count = 0;
    const MemberDesc* m = Member(id);
    if (m == nullptr) return TYPE_E_ELEMENTNOTFOUND;
    if (maxNames == 0) return S_OK;
    names[(*count)++] = NewBstr(m->name);
    for (const ParamDesc& p : m->params) {
        if (*count >= maxNames) break;
        names[(*count)++] = NewBstr(p.name);
    }
    return S_OK;
}

HRESULT TypeInfo::GetRefTypeOfImplType(UINT index, HREFTYPE* ref) {
    if (ref == nullptr) return E_POINTER;
    const CoclassDesc* c = Coclass();
    if (c == nullptr || index >= c->interfaces.count) return TYPE_E_ELEMENTNOTFOUND;
    const int target = lib_->IndexOf(*c->interfaces.items[index].iid);
    if (target < 0) return TYPE_E_ELEMENTNOTFOUND;
    *ref = static_cast<HREFTYPE>(target);
    return S_OK;
}

HRESULT TypeInfo::GetImplTypeFlags(UINT index, INT* flags) {
    if (flags == nullptr) return E_POINTER;
    const CoclassDesc* c = Coclass();
    if (c == nullptr || index >= c->interfaces.count) return TYPE_E_ELEMENTNOTFOUND;
    *flags = c->interfaces.items[index].flags;
    return S_OK;
}

HRESULT TypeInfo::GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) {
    if (names == nullptr || ids == nullptr) return E_POINTER;
    if (count == 0) return E_INVALIDARG;
    for (UINT k = 0; k < count; ++k) ids[k] = DISPID_UNKNOWN;
    const InterfaceDesc* i = Interface();
    if (i == nullptr || names[0] == nullptr) return DISP_E_UNKNOWNNAME;
    using dispatch_detail::NameEquals;
    for (const MemberDesc& m : i->members) {
        if (!NameEquals(names[0], m.name)) continue;
        ids[0] = m.id;
        // Further names are parameter names: each gets its position.
        HRESULT hr = S_OK;
        for (UINT k = 1; k < count; ++k) {
            for (std::size_t p = 0; p < m.params.count; ++p)
                if (names[k] != nullptr && NameEquals(names[k], m.params.items[p].name))
                    ids[k] = static_cast<MEMBERID>(p);
            if (ids[k] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT TypeInfo::Invoke(void* instance, MEMBERID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                         EXCEPINFO* excepInfo, UINT* argErr) {
    // Our interfaces are dispatch interfaces: the instance is the object's IDispatch.
    const InterfaceDesc* i = Interface();
    if (i == nullptr) return TYPE_E_ELEMENTNOTFOUND;
    if (instance == nullptr) return E_INVALIDARG;
    if (Member(id) == nullptr) return DISP_E_MEMBERNOTFOUND;
    return static_cast<IDispatch*>(instance)->Invoke(id, IID_NULL, lib_->Desc().lcid, flags, params, result,
                                                     excepInfo, argErr);
}

HRESULT TypeInfo::GetDocumentation(MEMBERID id, BSTR* name, BSTR* docString, DWORD* helpContext,
                                   BSTR* helpFile) {
    if (id == MEMBERID_NIL) return lib_->GetDocumentation(static_cast<INT>(index_), name, docString, helpContext, helpFile);
    const MemberDesc* m = Member(id);
    if (m == nullptr) return TYPE_E_ELEMENTNOTFOUND;
    SetBstr(name, m->name);
    SetBstr(docString, m->helpString);
    if (helpContext != nullptr) *helpContext = 0;
    SetBstr(helpFile, lib_->Desc().helpFile);
    return S_OK;
}

HRESULT TypeInfo::GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) { return TYPE_E_ELEMENTNOTFOUND; }

HRESULT TypeInfo::GetRefTypeInfo(HREFTYPE ref, ITypeInfo** info) { return lib_->GetTypeInfo(ref, info); }

HRESULT TypeInfo::AddressOfMember(MEMBERID, INVOKEKIND, void** address) {
    if (address != nullptr) *address = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT TypeInfo::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    const CoclassDesc* c = Coclass();
    if (c == nullptr) return TYPE_E_ELEMENTNOTFOUND;
    return CoCreateInstance(*c->clsid, outer, CLSCTX_INPROC_SERVER, iid, object);
}

HRESULT TypeInfo::GetMops(MEMBERID, BSTR* mops) {
    if (mops != nullptr) *mops = nullptr;
    return S_OK;
}

HRESULT TypeInfo::GetContainingTypeLib(ITypeLib** lib, UINT* index) {
    if (lib == nullptr) return E_POINTER;
    *lib = lib_.get();
    (*lib)->AddRef();
    if (index != nullptr) *index = index_;
    return S_OK;
}

}  // namespace com::typelib_detail
