#include "platform/com/registration.h"

#include <vector>

#include "platform/registry/registry.h"

namespace com {
namespace {

LONG SetString(const std::string& path, const char* valueName, const std::string& value) {
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) return rc;
    rc = RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return rc;
}

bool ReadString(const std::string& path, std::string* out) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    bool ok = RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
              type == REG_SZ;
    if (ok) {
        std::vector<BYTE> data(size + 1, 0);
        ok = RegQueryValueExA(key, nullptr, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
        if (ok) out->assign(reinterpret_cast<const char*>(data.data()));
    }
    RegCloseKey(key);
    return ok;
}

bool Removed(LONG rc) { return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND; }

bool PlainName(const std::string& progId) {
    return !progId.empty() && progId.find('\\') == std::string::npos;
}

}  // namespace

HRESULT RegisterClass(const ClassRegistration& reg) {
    if (!PlainName(reg.progId) || reg.modulePath.empty()) return SELFREG_E_CLASS;
    const std::string clsid = GuidToString(reg.clsid);
    const std::string classKey = "CLSID\\" + clsid;
    const std::string server = classKey + "\\InprocServer32";
    const bool ok = SetString(reg.progId, nullptr, reg.description) == ERROR_SUCCESS &&
                    SetString(reg.progId + "\\CLSID", nullptr, clsid) == ERROR_SUCCESS &&
                    SetString(classKey, nullptr, reg.description) == ERROR_SUCCESS &&
                    SetString(classKey + "\\ProgID", nullptr, reg.progId) == ERROR_SUCCESS &&
                    SetString(server, nullptr, reg.modulePath) == ERROR_SUCCESS &&
                    SetString(server, "ThreadingModel", reg.threadingModel) == ERROR_SUCCESS;
    if (ok) return S_OK;
    UnregisterClass(reg);  // leave no half registration behind
    return SELFREG_E_CLASS;
}

HRESULT UnregisterClass(const ClassRegistration& reg) {
    if (!PlainName(reg.progId)) return SELFREG_E_CLASS;
    const std::string clsid = GuidToString(reg.clsid);
    bool ok = true;
    std::string named;
    GUID namedClsid{};
    const bool ours = !ReadString(reg.progId + "\\CLSID", &named) ||
                      (GuidFromString(named, &namedClsid) && namedClsid == reg.clsid);
    if (ours) ok = Removed(RegDeleteTreeA(HKEY_CLASSES_ROOT, reg.progId.c_str()));
    ok = Removed(RegDeleteTreeA(HKEY_CLASSES_ROOT, ("CLSID\\" + clsid).c_str())) && ok;
    return ok ? S_OK : SELFREG_E_CLASS;
}

}  // namespace com
