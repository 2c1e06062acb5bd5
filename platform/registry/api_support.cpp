#include "platform/registry/api_support.h"

#include <cstring>

namespace registry::detail {
namespace {
constexpr REGSAM kGenericRead = 0x80000000u;
constexpr REGSAM kGenericWrite = 0x40000000u;
constexpr REGSAM kGenericAll = 0x10000000u;
constexpr REGSAM kMaximumAllowed = 0x02000000u;
}  // namespace

REGSAM NormalizeAccess(REGSAM access) {
    if (access & (kGenericAll | kMaximumAllowed)) access |= KEY_ALL_ACCESS;
    if (access & kGenericRead) access |= KEY_READ;
    if (access & kGenericWrite) access |= KEY_WRITE;
    return access;
}

bool Allows(const KeyRef& ref, REGSAM needed) {
    return (ref.access & needed) == needed;
}

LONG KeyForReading(const Key& root, const KeyRef& ref, const Key** key) {
    static const Key kEmpty;
    *key = FindKey(root, ref.path);
    if (*key != nullptr) return ERROR_SUCCESS;
    if (!ref.predefined) return ERROR_BADKEY;
    *key = &kEmpty;
    return ERROR_SUCCESS;
}

LONG KeyForChange(Key& root, const KeyRef& ref, bool create, bool* changed, Key** key) {
    *key = FindKey(root, ref.path);
    if (*key != nullptr) return ERROR_SUCCESS;
    if (!ref.predefined) return ERROR_BADKEY;
    if (!create) return ERROR_FILE_NOT_FOUND;
    bool created = false;
    *key = &CreateKey(root, ref.path, &created);
    *changed = *changed || created;
    return ERROR_SUCCESS;
}

LONG CopyValueData(const Value& value, DWORD* type, BYTE* data, DWORD* size) {
    if (data != nullptr && size == nullptr) return ERROR_INVALID_PARAMETER;
    if (type != nullptr) *type = value.type;
    if (size == nullptr) return ERROR_SUCCESS;
    const bool terminated = IsStringType(value.type);
    const std::size_t needed = value.data.size() + (terminated ? 1 : 0);
    if (needed > 0xFFFFFFFFu) return ERROR_NOT_ENOUGH_MEMORY;
    const DWORD available = *size;
    *size = static_cast<DWORD>(needed);
    if (data == nullptr) return ERROR_SUCCESS;
    if (available < needed) return ERROR_MORE_DATA;
    if (!value.data.empty()) std::memcpy(data, value.data.data(), value.data.size());
    if (terminated) data[value.data.size()] = 0;
    return ERROR_SUCCESS;
}

LONG CopyName(const std::string& name, char* buffer, DWORD* size) {
    if (buffer == nullptr || size == nullptr) return ERROR_INVALID_PARAMETER;
    if (*size < name.size() + 1) {
        *size = static_cast<DWORD>(name.size() + 1);
        return ERROR_MORE_DATA;
    }
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *size = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

}  // namespace registry::detail
