#include "platform/framework/registry_util.h"

#include "platform/registry/unique_key.h"

namespace framework::reg {
using UniqueKey = ::registry::UniqueKey;

LONG SetString(HKEY root, const std::string& path, const char* valueName, const std::string& value) {
    UniqueKey key;
    LONG rc = RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                              key.put(), nullptr);
    if (rc != ERROR_SUCCESS) return rc;
    return RegSetValueExA(key.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1));
}

std::optional<std::string> ReadString(HKEY root, const std::string& path, const char* valueName) {
    UniqueKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::string data(size + 1, '\0');
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    data.resize(data.find('\0'));
    return data;
}

bool KeyExists(HKEY root, const std::string& path) {
    UniqueKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::vector<std::string> SubKeys(HKEY root, const std::string& path, LONG* rc) {
    if (rc != nullptr) *rc = ERROR_SUCCESS;
    std::vector<std::string> names;
    UniqueKey key;
    LONG opened = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put());
    if (opened != ERROR_SUCCESS) {
        if (rc != nullptr && !Removed(opened)) *rc = opened;
        return names;
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD size = sizeof name;
        LONG r = RegEnumKeyExA(key.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r != ERROR_SUCCESS) {
            if (rc != nullptr) *rc = r;
            break;
        }
        names.emplace_back(name, size);
    }
    return names;
}

bool Removed(LONG rc) { return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND || rc == ERROR_BADKEY; }

LONG DeleteTree(HKEY root, const std::string& path) { return RegDeleteTreeA(root, path.c_str()); }

}  // namespace framework::reg
