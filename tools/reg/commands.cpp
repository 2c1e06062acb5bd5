#include "tools/reg/commands.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "platform/registry/unique_key.h"
#include "tools/reg/messages.h"
#include "tools/reg/text.h"
#include "tools/reg/value_text.h"

namespace reg {
namespace {

using KeyHandle = registry::UniqueKey;

// The longest value name, with its terminator.
constexpr DWORD kNameBufferSize = 16384;

std::string DisplayPath(const Arguments& args) {
    const std::string root = args.root == HKEY_CLASSES_ROOT ? "HKEY_CLASSES_ROOT" : "HKEY_LOCAL_MACHINE";
    return args.subKey.empty() ? root : root + "\\" + args.subKey;
}

LONG ReadValue(HKEY key, const std::string& name, DWORD* type, std::string* bytes) {
    // The value may grow between the size query and the read; ask again then.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = 0;
        if (LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, type, nullptr, &size); rc != ERROR_SUCCESS)
            return rc;
        bytes->assign(size, '\0');
        const LONG rc =
            RegQueryValueExA(key, name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(bytes->data()), &size);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc == ERROR_SUCCESS) bytes->resize(size);
        return rc;
    }
    return ERROR_MORE_DATA;
}

LONG ValueNames(HKEY key, std::vector<std::string>* names) {
    std::vector<char> buffer(kNameBufferSize);
    for (DWORD index = 0;; ++index) {
        DWORD size = kNameBufferSize;
        const LONG rc = RegEnumValueA(key, index, buffer.data(), &size, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
        if (rc != ERROR_SUCCESS) return rc;
        names->emplace_back(buffer.data(), size);
    }
}

LONG SubkeyNames(HKEY key, std::vector<std::string>* names) {
    std::vector<char> buffer(kNameBufferSize);
    for (DWORD index = 0;; ++index) {
        DWORD size = kNameBufferSize;
        const LONG rc = RegEnumKeyExA(key, index, buffer.data(), &size, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
        if (rc != ERROR_SUCCESS) return rc;
        names->emplace_back(buffer.data(), size);
    }
}

void PrintValue(const std::string& name, DWORD type, const std::string& bytes) {
    std::printf("    %s    %s    %s\n", name.empty() ? "(Default)" : name.c_str(), TypeName(type).c_str(),
                DisplayData(type, bytes).c_str());
}

// The key's path and its values; then its subkeys' paths, or with recursive the same for each.
LONG PrintKey(HKEY key, const std::string& path, bool recursive) {
    std::vector<std::string> values;
    std::vector<std::string> subkeys;
    if (LONG rc = ValueNames(key, &values); rc != ERROR_SUCCESS) return rc;
    if (LONG rc = SubkeyNames(key, &subkeys); rc != ERROR_SUCCESS) return rc;
    std::printf("\n%s\n", path.c_str());
    for (const std::string& name : values) {
        DWORD type = 0;
        std::string bytes;
        if (LONG rc = ReadValue(key, name, &type, &bytes); rc != ERROR_SUCCESS) return rc;
        PrintValue(name, type, bytes);
    }
    if (!recursive) {
        if (!subkeys.empty()) std::printf("\n");
        for (const std::string& name : subkeys) std::printf("%s\\%s\n", path.c_str(), name.c_str());
        return ERROR_SUCCESS;
    }
    for (const std::string& name : subkeys) {
        KeyHandle child;
        if (LONG rc = RegOpenKeyExA(key, name.c_str(), 0, KEY_READ, child.put()); rc != ERROR_SUCCESS)
            return rc;
        if (LONG rc = PrintKey(child.get(), path + "\\" + name, true); rc != ERROR_SUCCESS) return rc;
    }
    return ERROR_SUCCESS;
}

// Asks on the terminal (or whatever stdin is); only "y" or "yes" agrees.
bool Confirm(const std::string& question) {
    std::printf("%s (Yes/No)? ", question.c_str());
    std::fflush(stdout);
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    return SameText(answer, "y") || SameText(answer, "yes");
}

std::string ValueLabel(const std::string& name) {
    return name.empty() ? "(Default)" : name;
}

}  // namespace

int Query(const Arguments& args) {
    KeyHandle key;
    if (LONG rc = RegOpenKeyExA(args.root, args.subKey.c_str(), 0, KEY_READ, key.put()); rc != ERROR_SUCCESS)
        return RegistryFailed(rc);
    if (!args.valueName) {
        const LONG rc = PrintKey(key.get(), DisplayPath(args), args.recursive);
        return rc == ERROR_SUCCESS ? 0 : RegistryFailed(rc);
    }
    DWORD type = 0;
    std::string bytes;
    if (LONG rc = ReadValue(key.get(), *args.valueName, &type, &bytes); rc != ERROR_SUCCESS)
        return RegistryFailed(rc);
    std::printf("\n%s\n", DisplayPath(args).c_str());
    PrintValue(*args.valueName, type, bytes);
    return 0;
}

int Add(const Arguments& args) {
    DWORD type = REG_SZ;
    std::string bytes;
    if (args.valueName) {
        if (args.typeName && !WritableType(*args.typeName, &type))
            return SyntaxFailed("unsupported type \"" + *args.typeName + "\"");
        if (!EncodeData(type, args.data.value_or(""), &bytes))
            return SyntaxFailed("\"" + args.data.value_or("") + "\" is not valid " + TypeName(type) +
                                " data");
    }
    KeyHandle key;
    if (LONG rc = RegCreateKeyExA(args.root, args.subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
        rc != ERROR_SUCCESS)
        return RegistryFailed(rc);
    if (args.valueName) {
        const char* name = args.valueName->c_str();
        const bool exists =
            RegQueryValueExA(key.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        if (exists && !args.force && !Confirm("Value " + ValueLabel(*args.valueName) + " exists, overwrite"))
            return Cancelled();
        if (LONG rc = RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                     static_cast<DWORD>(bytes.size()));
            rc != ERROR_SUCCESS)
            return RegistryFailed(rc);
    }
    return Succeeded();
}

int Delete(const Arguments& args) {
    if (!args.valueName && args.subKey.empty()) return InvalidKeyName();  // a root stays
    KeyHandle key;
    if (LONG rc = RegOpenKeyExA(args.root, args.subKey.c_str(), 0, KEY_ALL_ACCESS, key.put());
        rc != ERROR_SUCCESS)
        return RegistryFailed(rc);
    if (args.valueName) {
        if (!args.force && !Confirm("Delete the registry value " + ValueLabel(*args.valueName)))
            return Cancelled();
        if (LONG rc = RegDeleteValueA(key.get(), args.valueName->c_str()); rc != ERROR_SUCCESS)
            return RegistryFailed(rc);
        return Succeeded();
    }
    if (!args.force && !Confirm("Permanently delete the registry key " + DisplayPath(args)))
        return Cancelled();
    if (LONG rc = RegDeleteTreeA(args.root, args.subKey.c_str()); rc != ERROR_SUCCESS)
        return RegistryFailed(rc);
    return Succeeded();
}

}  // namespace reg
