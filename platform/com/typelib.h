// Type libraries: ITypeLib and ITypeInfo (as much as hosts of our modules use), loading a library
// from a module file's resources, and its registration:
//   HKEY_CLASSES_ROOT\TypeLib\{LIBID}\<major>.<minor>             default: help string
//   ...\<major>.<minor>\<lcid hex>\win32                         default: module path
//   ...\<major>.<minor>\FLAGS                                    default: library flags, decimal
//   ...\<major>.<minor>\HELPDIR                                  default: help directory
//   HKEY_CLASSES_ROOT\Interface\{IID}                            default: interface name
//   ...\Interface\{IID}\ProxyStubClsid, ProxyStubClsid32         default: the automation marshaler
//   ...\Interface\{IID}\TypeLib                                  default: {LIBID}, Version "1.0"
#pragma once

#include "platform/com/interfaces.h"
#include "platform/com/typelib_desc.h"
#include "platform/com/types.h"
#include "platform/loader/loader.h"

using HREFTYPE = DWORD;

inline constexpr HRESULT TYPE_E_REGISTRYACCESS = static_cast<HRESULT>(0x8002801Cu);
inline constexpr MEMBERID MEMBERID_NIL = -1;

enum TYPEKIND {
    TKIND_ENUM = 0,
    TKIND_RECORD,
    TKIND_MODULE,
    TKIND_INTERFACE,
    TKIND_DISPATCH,
    TKIND_COCLASS,
    TKIND_ALIAS,
    TKIND_UNION,
};

enum SYSKIND { SYS_WIN16 = 0, SYS_WIN32, SYS_MAC, SYS_WIN64 };

enum INVOKEKIND {
    INVOKE_FUNC = 1,
    INVOKE_PROPERTYGET = 2,
    INVOKE_PROPERTYPUT = 4,
    INVOKE_PROPERTYPUTREF = 8,
};

enum FUNCKIND { FUNC_VIRTUAL = 0, FUNC_PUREVIRTUAL, FUNC_NONVIRTUAL, FUNC_STATIC, FUNC_DISPATCH };
enum CALLCONV { CC_CDECL = 1, CC_STDCALL = 4 };

struct TYPEDESC {
    union {
        TYPEDESC* lptdesc;
        void* lpadesc;
        HREFTYPE hreftype;
    };
    VARTYPE vt;
};

struct IDLDESC {
    std::uintptr_t dwReserved;
    USHORT wIDLFlags;
};

struct PARAMDESC {
    void* pparamdescex;
    USHORT wParamFlags;
};

struct ELEMDESC {
    TYPEDESC tdesc;
    union {
        IDLDESC idldesc;
        PARAMDESC paramdesc;
    };
};

struct FUNCDESC {
    MEMBERID memid;
    SCODE* lprgscode;
    ELEMDESC* lprgelemdescParam;
    FUNCKIND funckind;
    INVOKEKIND invkind;
    CALLCONV callconv;
    SHORT cParams;
    SHORT cParamsOpt;
    SHORT oVft;
    SHORT cScodes;
    ELEMDESC elemdescFunc;
    WORD wFuncFlags;
};

struct TYPEATTR {
    GUID guid;
    LCID lcid;
    DWORD dwReserved;
    MEMBERID memidConstructor;
    MEMBERID memidDestructor;
    LPOLESTR lpstrSchema;
    ULONG cbSizeInstance;
    TYPEKIND typekind;
    WORD cFuncs;
    WORD cVars;
    WORD cImplTypes;
    WORD cbSizeVft;
    WORD cbAlignment;
    WORD wTypeFlags;
    WORD wMajorVerNum;
    WORD wMinorVerNum;
    TYPEDESC tdescAlias;
    IDLDESC idldescType;
};

struct TLIBATTR {
    GUID guid;
    LCID lcid;
    SYSKIND syskind;
    WORD wMajorVerNum;
    WORD wMinorVerNum;
    WORD wLibFlags;
};

struct VARDESC;    // libraries of ours hold no variables
struct ITypeComp;  // not offered

struct ITypeInfo : IUnknown {
    virtual HRESULT GetTypeAttr(TYPEATTR** attr) = 0;
    virtual HRESULT GetTypeComp(ITypeComp** comp) = 0;
    virtual HRESULT GetFuncDesc(UINT index, FUNCDESC** desc) = 0;
    virtual HRESULT GetVarDesc(UINT index, VARDESC** desc) = 0;
    virtual HRESULT GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) = 0;
    virtual HRESULT GetRefTypeOfImplType(UINT index, HREFTYPE* ref) = 0;
    virtual HRESULT GetImplTypeFlags(UINT index, INT* flags) = 0;
    virtual HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) = 0;
    virtual HRESULT Invoke(void* instance, MEMBERID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* excepInfo, UINT* argErr) = 0;
    virtual HRESULT GetDocumentation(MEMBERID id, BSTR* name, BSTR* docString, DWORD* helpContext,
                                     BSTR* helpFile) = 0;
    virtual HRESULT GetDllEntry(MEMBERID id, INVOKEKIND kind, BSTR* dllName, BSTR* name, WORD* ordinal) = 0;
    virtual HRESULT GetRefTypeInfo(HREFTYPE ref, ITypeInfo** info) = 0;
    virtual HRESULT AddressOfMember(MEMBERID id, INVOKEKIND kind, void** address) = 0;
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) = 0;
    virtual HRESULT GetMops(MEMBERID id, BSTR* mops) = 0;
    virtual HRESULT GetContainingTypeLib(ITypeLib** lib, UINT* index) = 0;
    virtual void ReleaseTypeAttr(TYPEATTR* attr) = 0;
    virtual void ReleaseFuncDesc(FUNCDESC* desc) = 0;
    virtual void ReleaseVarDesc(VARDESC* desc) = 0;
};

struct ITypeLib : IUnknown {
    virtual UINT GetTypeInfoCount() = 0;
    virtual HRESULT GetTypeInfo(UINT index, ITypeInfo** info) = 0;
    virtual HRESULT GetTypeInfoType(UINT index, TYPEKIND* kind) = 0;
    virtual HRESULT GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** info) = 0;
    virtual HRESULT GetLibAttr(TLIBATTR** attr) = 0;
    virtual HRESULT GetTypeComp(ITypeComp** comp) = 0;
    // index -1: the library itself.
    virtual HRESULT GetDocumentation(INT index, BSTR* name, BSTR* docString, DWORD* helpContext,
                                     BSTR* helpFile) = 0;
    virtual HRESULT IsName(LPOLESTR name, ULONG hash, BOOL* found) = 0;
    virtual HRESULT FindName(LPOLESTR name, ULONG hash, ITypeInfo** infos, MEMBERID* ids, USHORT* found) = 0;
    virtual void ReleaseTLibAttr(TLIBATTR* attr) = 0;
};

extern const IID IID_ITypeInfo;
extern const IID IID_ITypeLib;

// Loads the library kept as TYPELIB 1 in the resources of the module file (loaded if need be and
// kept loaded while the library lives). TYPE_E_CANTLOADLIBRARY when the file does not load or has
// no such resource.
HRESULT LoadTypeLib(LPCOLESTR file, ITypeLib** lib);
// The registered library of that version for the locale (tried as given, then its primary language,
// then neutral). TYPE_E_LIBNOTREGISTERED when no registration fits.
HRESULT LoadRegTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, ITypeLib** lib);
HRESULT QueryPathOfRegTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, BSTR* path);
// Writes the layout above for the library found at fullPath; helpDir may be null (an empty HELPDIR).
// TYPE_E_REGISTRYACCESS when the registry refuses a write.
HRESULT RegisterTypeLib(ITypeLib* lib, LPCOLESTR fullPath, LPCOLESTR helpDir);
// Removes one registration (version, locale, system) and, when it was the library's last one, its
// version and library keys and its interfaces' keys. TYPE_E_LIBNOTREGISTERED when it was not there.
HRESULT UnRegisterTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, SYSKIND syskind);

namespace com {
// A library over a description that outlives it (for LoadTypeLib, and for a module's own use).
// keepLoaded, when not null, is a module reference the library releases when it goes.
HRESULT CreateTypeLib(const TypeLibDesc& desc, HMODULE keepLoaded, ITypeLib** lib);
}  // namespace com
