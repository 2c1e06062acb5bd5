// Registration of type libraries under HKEY_CLASSES_ROOT\TypeLib and \Interface, and loading a
// registered library. A library registers for the neutral locale (key "0"), which every locale
// falls back to, whatever locale its attributes name.
#include <strings.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/com/typelib.h"
#include "platform/framework/registry_util.h"
#include "platform/text/codepage.h"

namespace {

namespace reg = framework::reg;

// The automation marshaler, proxy of every dispatch interface.
constexpr const char* kDispatchProxyStub = "{00020420-0000-0000-C000-000000000046}";
constexpr const char* kHelpDirKey = "HELPDIR";
constexpr const char* kFlagsKey = "FLAGS";
constexpr LCID kRegisteredLcid = LOCALE_NEUTRAL;

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", value);
    return text;
}

std::string LibKey(REFGUID libid) { return "TypeLib\\" + GuidToString(libid); }
std::string VersionName(WORD major, WORD minor) { return Hex(major) + "." + Hex(minor); }
std::string VersionKey(REFGUID libid, WORD major, WORD minor) {
    return LibKey(libid) + "\\" + VersionName(major, minor);
}

const char* SysKindName(SYSKIND kind) {
    switch (kind) {
        case SYS_WIN16: return "win16";
        case SYS_WIN32: return "win32";
        case SYS_MAC: return "mac";
        case SYS_WIN64: return "win64";
    }
    return "win32";
}

std::string Utf8(LPCOLESTR text) { return text ? text::ToUtf8(std::u16string_view(text)) : std::string(); }

// The library's attributes and its name and help string.
struct LibFacts {
    TLIBATTR attr{};
    std::string name;
    std::string help;
};

HRESULT FactsOf(ITypeLib* lib, LibFacts* facts) {
    TLIBATTR* attr = nullptr;
    HRESULT hr = lib->GetLibAttr(&attr);
    if (FAILED(hr)) return hr;
    facts->attr = *attr;
    lib->ReleaseTLibAttr(attr);
    com::BStr name, help;
    hr = lib->GetDocumentation(-1, name.put(), help.put(), nullptr, nullptr);
    if (FAILED(hr)) return hr;
    facts->name = name.ToUtf8();
    facts->help = help.ToUtf8();
    return S_OK;
}

struct InterfaceFacts {
    GUID iid;
    std::string name;
};

// The dispatch and plain interfaces of the library.
std::vector<InterfaceFacts> InterfacesOf(ITypeLib* lib) {
    std::vector<InterfaceFacts> result;
    const UINT count = lib->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        TYPEKIND kind{};
        if (FAILED(lib->GetTypeInfoType(i, &kind)) || (kind != TKIND_DISPATCH && kind != TKIND_INTERFACE))
            continue;
        com::ComPtr<ITypeInfo> info;
        TYPEATTR* attr = nullptr;
        if (FAILED(lib->GetTypeInfo(i, info.put())) || FAILED(info->GetTypeAttr(&attr))) continue;
        const GUID iid = attr->guid;
        info->ReleaseTypeAttr(attr);
        com::BStr name;
        lib->GetDocumentation(static_cast<INT>(i), name.put(), nullptr, nullptr, nullptr);
        result.push_back({iid, name.ToUtf8()});
    }
    return result;
}

bool WriteInterface(const InterfaceFacts& i, const LibFacts& lib) {
    const std::string key = "Interface\\" + GuidToString(i.iid);
    const std::string version = std::to_string(lib.attr.wMajorVerNum) + "." + std::to_string(lib.attr.wMinorVerNum);
    return reg::SetString(HKEY_CLASSES_ROOT, key, nullptr, i.name) == ERROR_SUCCESS &&
           reg::SetString(HKEY_CLASSES_ROOT, key + "\\ProxyStubClsid", nullptr, kDispatchProxyStub) == ERROR_SUCCESS &&
           reg::SetString(HKEY_CLASSES_ROOT, key + "\\ProxyStubClsid32", nullptr, kDispatchProxyStub) ==
               ERROR_SUCCESS &&
           reg::SetString(HKEY_CLASSES_ROOT, key + "\\TypeLib", nullptr, GuidToString(lib.attr.guid)) ==
               ERROR_SUCCESS &&
           reg::SetString(HKEY_CLASSES_ROOT, key + "\\TypeLib", "Version", version) == ERROR_SUCCESS;
}

// The registered path for the locale: as given, its primary language, then neutral.
std::string RegisteredPath(REFGUID libid, WORD major, WORD minor, LCID lcid) {
    const LCID candidates[] = {lcid, lcid & 0x3FFu, LOCALE_NEUTRAL};
    for (LCID candidate : candidates) {
        auto path = reg::ReadString(HKEY_CLASSES_ROOT,
                                    VersionKey(libid, major, minor) + "\\" + Hex(candidate) + "\\win32");
        if (path && !path->empty()) return *path;
    }
    return {};
}

// Deletes the key when nothing but the named subkeys is left in it.
LONG DeleteIfOnly(const std::string& key, std::initializer_list<const char*> allowed) {
    for (const std::string& sub : reg::SubKeys(HKEY_CLASSES_ROOT, key)) {
        bool ok = false;
        for (const char* a : allowed)
            if (strcasecmp(sub.c_str(), a) == 0) ok = true;
        if (!ok) return ERROR_SUCCESS;
    }
    return reg::DeleteTree(HKEY_CLASSES_ROOT, key);
}

}  // namespace

HRESULT QueryPathOfRegTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, BSTR* path) {
    if (path == nullptr) return E_POINTER;
    *path = nullptr;
    try {
        const std::string found = RegisteredPath(libid, major, minor, lcid);
        if (found.empty()) return TYPE_E_LIBNOTREGISTERED;
        *path = com::BStr::FromUtf8(found).release();
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT LoadRegTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, ITypeLib** lib) {
    if (lib == nullptr) return E_POINTER;
    *lib = nullptr;
    com::BStr path;
    HRESULT hr = QueryPathOfRegTypeLib(libid, major, minor, lcid, path.put());
    if (FAILED(hr)) return hr;
    hr = LoadTypeLib(path.get(), lib);
    if (FAILED(hr)) return hr;
    // A registration that names a module with another library is no registration of this one.
    TLIBATTR* attr = nullptr;
    if (FAILED((*lib)->GetLibAttr(&attr)) || !(attr->guid == libid)) hr = TYPE_E_LIBNOTREGISTERED;
    if (attr != nullptr) (*lib)->ReleaseTLibAttr(attr);
    if (FAILED(hr)) {
        (*lib)->Release();
        *lib = nullptr;
    }
    return hr;
}

HRESULT RegisterTypeLib(ITypeLib* lib, LPCOLESTR fullPath, LPCOLESTR helpDir) {
    if (lib == nullptr || fullPath == nullptr) return E_INVALIDARG;
    try {
        LibFacts facts;
        HRESULT hr = FactsOf(lib, &facts);
        if (FAILED(hr)) return hr;
        const TLIBATTR& a = facts.attr;
        const std::string version = VersionKey(a.guid, a.wMajorVerNum, a.wMinorVerNum);
        const std::string& title = facts.help.empty() ? facts.name : facts.help;
        bool ok = reg::SetString(HKEY_CLASSES_ROOT, version, nullptr, title) == ERROR_SUCCESS &&
                  reg::SetString(HKEY_CLASSES_ROOT, version + "\\" + Hex(kRegisteredLcid) + "\\win32", nullptr,
                                 Utf8(fullPath)) == ERROR_SUCCESS &&
                  reg::SetString(HKEY_CLASSES_ROOT, version + "\\" + kFlagsKey, nullptr,
                                 std::to_string(a.wLibFlags)) == ERROR_SUCCESS &&
                  reg::SetString(HKEY_CLASSES_ROOT, version + "\\" + kHelpDirKey, nullptr, Utf8(helpDir)) ==
                      ERROR_SUCCESS;
        for (const InterfaceFacts& i : InterfacesOf(lib)) ok = ok && WriteInterface(i, facts);
        return ok ? S_OK : TYPE_E_REGISTRYACCESS;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT UnRegisterTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, SYSKIND syskind) {
    try {
        const std::string version = VersionKey(libid, major, minor);
        const std::string locale = version + "\\" + Hex(lcid);
        const std::string target = locale + "\\" + SysKindName(syskind);
        if (!reg::KeyExists(HKEY_CLASSES_ROOT, target)) return TYPE_E_LIBNOTREGISTERED;
        // Learn the interfaces while the library can still be found.
        com::ComPtr<ITypeLib> lib;
        std::vector<InterfaceFacts> interfaces;
        if (syskind == SYS_WIN32 && SUCCEEDED(LoadRegTypeLib(libid, major, minor, lcid, lib.put())))
            interfaces = InterfacesOf(lib.get());
        lib = nullptr;

        bool ok = reg::Removed(reg::DeleteTree(HKEY_CLASSES_ROOT, target));
        ok = reg::Removed(DeleteIfOnly(locale, {})) && ok;
        ok = reg::Removed(DeleteIfOnly(version, {kFlagsKey, kHelpDirKey})) && ok;
        ok = reg::Removed(DeleteIfOnly(LibKey(libid), {})) && ok;
        if (!reg::KeyExists(HKEY_CLASSES_ROOT, version)) {
            for (const InterfaceFacts& i : interfaces)
                ok = reg::Removed(reg::DeleteTree(HKEY_CLASSES_ROOT, "Interface\\" + GuidToString(i.iid))) && ok;
        }
        return ok ? S_OK : TYPE_E_REGISTRYACCESS;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}
