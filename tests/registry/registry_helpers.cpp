#include "tests/registry/registry_helpers.h"

namespace registry_test {

LONG Create(HKEY root, const char* path, Key* key, DWORD* disposition) {
    return RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                           key->put(), disposition);
}

LONG Open(HKEY root, const char* path, Key* key, REGSAM access) {
    return RegOpenKeyExA(root, path, 0, access, key->put());
}

bool Exists(HKEY root, const char* path) {
    Key key;
    return Open(root, path, &key) == ERROR_SUCCESS;
}

LONG SetString(HKEY key, const char* name, const std::string& text, DWORD type) {
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

LONG SetDword(HKEY key, const char* name, DWORD number) {
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

LONG Read(HKEY key, const char* name, std::string* bytes, DWORD* type) {
    DWORD size = 0;
    if (LONG rc = RegQueryValueExA(key, name, nullptr, type, nullptr, &size); rc != ERROR_SUCCESS) return rc;
    bytes->assign(size, '\0');
    LONG rc = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(bytes->data()), &size);
    bytes->resize(size);
    return rc;
}

std::string ReadString(HKEY root, const char* path, const char* name) {
    Key key;
    std::string bytes;
    LONG rc = Open(root, path, &key, KEY_READ);
    if (rc == ERROR_SUCCESS) rc = Read(key.get(), name, &bytes);
    if (rc != ERROR_SUCCESS) return "<error " + std::to_string(rc) + ">";
    if (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
    return bytes;
}

std::vector<std::string> SubkeyNames(HKEY key) {
    std::vector<std::string> names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, size);
    }
    return names;
}

std::vector<std::string> ValueNames(HKEY key) {
    std::vector<std::string> names;
    char name[16384];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, size);
    }
    return names;
}

}  // namespace registry_test
