// A module's type library: registering the one in its own resources, and removing every
// registration of it.
#include <strings.h>

#include <string>
#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/com/typelib.h"
#include "platform/framework/ole_module.h"
#include "platform/framework/registry_util.h"
#include "platform/text/codepage.h"

namespace framework {
namespace {

bool SameName(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

// The dispatch and plain interfaces of a library.
std::vector<GUID> InterfaceIds(ITypeLib* lib) {
    std::vector<GUID> ids;
    for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
        TYPEKIND kind{};
        if (FAILED(lib->GetTypeInfoType(i, &kind)) || (kind != TKIND_DISPATCH && kind != TKIND_INTERFACE)) continue;
        com::ComPtr<ITypeInfo> info;
        TYPEATTR* attr = nullptr;
        if (FAILED(lib->GetTypeInfo(i, info.put())) || FAILED(info->GetTypeAttr(&attr))) continue;
        ids.push_back(attr->guid);
        info->ReleaseTypeAttr(attr);
    }
    return ids;
}

}  // namespace

bool RegisterTypeLib(ModuleState& state, REFGUID libid) {
    try {
        const std::u16string path = text::FromUtf8(state.ModulePath());
        if (path.empty()) return false;
        com::ComPtr<ITypeLib> lib;
        if (FAILED(LoadTypeLib(path.c_str(), lib.put()))) return false;
        TLIBATTR* attr = nullptr;
        if (FAILED(lib->GetLibAttr(&attr))) return false;
        const bool same = attr->guid == libid;
        lib->ReleaseTLibAttr(attr);
        return same && SUCCEEDED(::RegisterTypeLib(lib.get(), path.c_str(), nullptr));
    } catch (...) {
        return false;
    }
}

// Walks TypeLib\{LIBID}: under each version key, each subkey but HELPDIR and FLAGS is a locale.
// A locale that also holds a 16-bit registration loses only its win32 key, and its version key
// stays; any other locale goes with everything under it, and so does its version key, unless a
// 16-bit registration was kept there. Without any 16-bit registration the whole library key goes.
bool UnregisterTypeLib(REFGUID libid) {
    try {
        const std::string libKey = "TypeLib\\" + GuidToString(libid);
        // Learn the interfaces while the library can still be loaded.
        com::ComPtr<ITypeLib> before;
        std::vector<GUID> interfaces;
        if (SUCCEEDED(LoadRegTypeLib(libid, 1, 0, LOCALE_NEUTRAL, before.put()))) interfaces = InterfaceIds(before.get());
        const bool loadedBefore = static_cast<bool>(before);
        before = nullptr;

        bool ok = true;
        bool keptWin16 = false;
        LONG rc = ERROR_SUCCESS;
        for (const std::string& version : reg::SubKeys(HKEY_CLASSES_ROOT, libKey, &rc)) {
            const std::string versionKey = libKey + "\\" + version;
            bool keepVersion = false;
            LONG subRc = ERROR_SUCCESS;
            for (const std::string& sub : reg::SubKeys(HKEY_CLASSES_ROOT, versionKey, &subRc)) {
                if (SameName(sub, "HELPDIR") || SameName(sub, "FLAGS")) continue;
                const std::string localeKey = versionKey + "\\" + sub;
                if (reg::KeyExists(HKEY_CLASSES_ROOT, localeKey + "\\win16")) {
                    ok = reg::Removed(reg::DeleteTree(HKEY_CLASSES_ROOT, localeKey + "\\win32")) && ok;
                    keepVersion = true;
                } else {
                    ok = reg::Removed(reg::DeleteTree(HKEY_CLASSES_ROOT, localeKey)) && ok;
                }
            }
            ok = reg::Removed(subRc) && ok;
            if (keepVersion)
                keptWin16 = true;
            else
                ok = reg::Removed(reg::DeleteTree(HKEY_CLASSES_ROOT, versionKey)) && ok;
        }
        ok = reg::Removed(rc) && ok;
        if (!keptWin16) ok = reg::Removed(reg::DeleteTree(HKEY_CLASSES_ROOT, libKey)) && ok;

        com::ComPtr<ITypeLib> after;
        if (loadedBefore && FAILED(LoadRegTypeLib(libid, 1, 0, LOCALE_NEUTRAL, after.put()))) {
            for (const GUID& iid : interfaces)
                ok = reg::Removed(reg::DeleteTree(HKEY_CLASSES_ROOT, "Interface\\" + GuidToString(iid))) && ok;
        }
        return ok;
    } catch (...) {
        return false;
    }
}

}  // namespace framework
