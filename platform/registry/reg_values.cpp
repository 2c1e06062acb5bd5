// The value calls: query, set, delete, enumerate values.
#include "platform/registry/api_support.h"
#include "platform/registry/hive_store.h"

using namespace registry::detail;

namespace {

// The longest value name the registry accepts.
constexpr std::size_t kMaxValueNameLength = 16383;

std::string_view ValueName(const char* name) {
    return name == nullptr ? std::string_view() : name;
}

// The data as it will be kept: string types keep their text up to the first terminator, a DWORD
// must be exactly four bytes.
LONG StoredData(DWORD type, const BYTE* data, DWORD size, std::string* stored) {
    if (data == nullptr && size != 0) return ERROR_INVALID_PARAMETER;
    const char* bytes = reinterpret_cast<const char*>(data);
    if (IsStringType(type)) {
        std::size_t length = 0;
        while (length < size && bytes[length] != '\0') ++length;
        stored->assign(bytes, length);
    } else {
        if (type == REG_DWORD && size != sizeof(DWORD)) return ERROR_INVALID_PARAMETER;
        stored->assign(bytes == nullptr ? "" : bytes, size);
    }
    return ERROR_SUCCESS;
}

// Loads the hive and finds the key of a handle that may query values.
LONG LoadForQuery(HKEY key, std::shared_ptr<const Key>* root, const Key** base) {
    KeyRef ref;
    if (LONG rc = LookUpHandle(key, &ref); rc != ERROR_SUCCESS) return rc;
    if (!Allows(ref, KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    if (LONG rc = ReadHive(root); rc != ERROR_SUCCESS) return rc;
    return KeyForReading(**root, ref, base);
}

}  // namespace

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size) {
    return Guarded([&]() -> LONG {
        if (reserved != nullptr) return ERROR_INVALID_PARAMETER;
        std::shared_ptr<const Key> root;
        const Key* base = nullptr;
        if (LONG rc = LoadForQuery(key, &root, &base); rc != ERROR_SUCCESS) return rc;
        const Value* value = base->FindValue(ValueName(valueName));
        if (value == nullptr) return ERROR_FILE_NOT_FOUND;
        return CopyValueData(*value, type, data, size);
    });
}

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD, DWORD type, const BYTE* data, DWORD size) {
    return Guarded([&]() -> LONG {
        KeyRef ref;
        if (LONG rc = LookUpHandle(key, &ref); rc != ERROR_SUCCESS) return rc;
        if (!Allows(ref, KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
        const std::string_view name = ValueName(valueName);
        if (name.size() > kMaxValueNameLength) return ERROR_INVALID_PARAMETER;
        std::string stored;
        if (LONG rc = StoredData(type, data, size, &stored); rc != ERROR_SUCCESS) return rc;
        return ChangeHive([&](Key& root, bool* changed) -> LONG {
            Key* base = nullptr;
            if (LONG rc = KeyForChange(root, ref, true, changed, &base); rc != ERROR_SUCCESS) return rc;
            if (base->SetValue(name, type, std::move(stored))) *changed = true;
            return ERROR_SUCCESS;
        });
    });
}

LONG RegDeleteValueA(HKEY key, const char* valueName) {
    return Guarded([&]() -> LONG {
        KeyRef ref;
        if (LONG rc = LookUpHandle(key, &ref); rc != ERROR_SUCCESS) return rc;
        if (!Allows(ref, KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
        return ChangeHive([&](Key& root, bool* changed) -> LONG {
            Key* base = nullptr;
            if (LONG rc = KeyForChange(root, ref, false, changed, &base); rc != ERROR_SUCCESS) return rc;
            if (!base->DeleteValue(ValueName(valueName))) return ERROR_FILE_NOT_FOUND;
            *changed = true;
            return ERROR_SUCCESS;
        });
    });
}

LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved, DWORD* type,
                   BYTE* data, DWORD* dataSize) {
    return Guarded([&]() -> LONG {
        if (reserved != nullptr) return ERROR_INVALID_PARAMETER;
        if (name == nullptr || nameSize == nullptr) return ERROR_INVALID_PARAMETER;
        std::shared_ptr<const Key> root;
        const Key* base = nullptr;
        if (LONG rc = LoadForQuery(key, &root, &base); rc != ERROR_SUCCESS) return rc;
        if (index >= base->values.size()) return ERROR_NO_MORE_ITEMS;
        const Value& value = base->values[index];
        if (LONG rc = CopyName(value.name, name, nameSize); rc != ERROR_SUCCESS) {
            if (dataSize != nullptr) CopyValueData(value, type, nullptr, dataSize);
            return rc;
        }
        return CopyValueData(value, type, data, dataSize);
    });
}
