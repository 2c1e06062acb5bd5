// Inside the type library layer: the library object and its type information over a description.
#pragma once

#include <string_view>

#include "platform/com/com_ptr.h"
#include "platform/com/object.h"
#include "platform/com/typelib.h"

namespace com::typelib_detail {

// A description string as a new BSTR (null stays null).
BSTR NewBstr(const char* text);
// Sets *out when out is not null.
void SetBstr(BSTR* out, const char* text);

class TypeLib final : public Object<ITypeLib> {
public:
    TypeLib(const TypeLibDesc& desc, HMODULE keepLoaded) : desc_(desc), module_(keepLoaded) {}
    const TypeLibDesc& Desc() const { return desc_; }
    // The index of the type with this GUID; -1 when the library has none.
    int IndexOf(REFGUID guid) const;

    HRESULT QueryInterface(REFIID iid, void** object) override;
    UINT GetTypeInfoCount() override;
    HRESULT GetTypeInfo(UINT index, ITypeInfo** info) override;
    HRESULT GetTypeInfoType(UINT index, TYPEKIND* kind) override;
    HRESULT GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** info) override;
    HRESULT GetLibAttr(TLIBATTR** attr) override;
    HRESULT GetTypeComp(ITypeComp** comp) override;
    HRESULT GetDocumentation(INT index, BSTR* name, BSTR* docString, DWORD* helpContext, BSTR* helpFile) override;
    HRESULT IsName(LPOLESTR name, ULONG hash, BOOL* found) override;
    HRESULT FindName(LPOLESTR name, ULONG hash, ITypeInfo** infos, MEMBERID* ids, USHORT* found) override;
    void ReleaseTLibAttr(TLIBATTR* attr) override;

private:
    ~TypeLib() override;
    const TypeLibDesc& desc_;
    HMODULE module_;
};

// One type of a library: an interface (index below the interface count) or a coclass.
class TypeInfo final : public Object<ITypeInfo> {
public:
    TypeInfo(TypeLib* lib, UINT index);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT GetTypeAttr(TYPEATTR** attr) override;
    HRESULT GetTypeComp(ITypeComp** comp) override;
    HRESULT GetFuncDesc(UINT index, FUNCDESC** desc) override;
    HRESULT GetVarDesc(UINT index, VARDESC** desc) override;
    HRESULT GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) override;
    HRESULT GetRefTypeOfImplType(UINT index, HREFTYPE* ref) override;
    HRESULT GetImplTypeFlags(UINT index, INT* flags) override;
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override;
    HRESULT Invoke(void* instance, MEMBERID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override;
    HRESULT GetDocumentation(MEMBERID id, BSTR* name, BSTR* docString, DWORD* helpContext, BSTR* helpFile) override;
    HRESULT GetDllEntry(MEMBERID id, INVOKEKIND kind, BSTR* dllName, BSTR* name, WORD* ordinal) override;
    HRESULT GetRefTypeInfo(HREFTYPE ref, ITypeInfo** info) override;
    HRESULT AddressOfMember(MEMBERID id, INVOKEKIND kind, void** address) override;
    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT GetMops(MEMBERID id, BSTR* mops) override;
    HRESULT GetContainingTypeLib(ITypeLib** lib, UINT* index) override;
    void ReleaseTypeAttr(TYPEATTR* attr) override;
    void ReleaseFuncDesc(FUNCDESC* desc) override;
    void ReleaseVarDesc(VARDESC* desc) override;

private:
    const InterfaceDesc* Interface() const;  // null for a coclass
    const CoclassDesc* Coclass() const;      // null for an interface
    const MemberDesc* Member(MEMBERID id) const;

    ComPtr<TypeLib> lib_;
    UINT index_;
};

}  // namespace com::typelib_detail
