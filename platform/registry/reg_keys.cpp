// The key calls: open, create, close, delete, enumerate subkeys.
#include <cstring>

#include "platform/registry/api_support.h"
#include "platform/registry/hive_store.h"

using namespace registry::detail;

namespace {

KeyPath Joined(const KeyPath& base, const KeyPath& sub) {
    KeyPath path = base;
    path.insert(path.end(), sub.begin(), sub.end());
    return path;
}

// Deletes the key at the (non-empty) path below base; with whole, everything under it goes too, without it
// a key with subkeys is refused as the platform does.
LONG DeleteBelow(Key& base, const KeyPath& sub, bool whole, bool* changed) {
    KeyPath parentPath = sub;
    const std::string name = parentPath.back();
    parentPath.pop_back();
    Key* parent = FindKey(base, parentPath);
    Key* target = parent != nullptr ? parent->Child(name) : nullptr;
    if (target == nullptr) return ERROR_FILE_NOT_FOUND;
    if (!whole && !target->subkeys.empty()) return ERROR_ACCESS_DENIED;
    parent->subkeys.erase(parent->subkeys.find(name));
    *changed = true;
    return ERROR_SUCCESS;
}

}  // namespace

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD, REGSAM access, PHKEY result) {
    return Guarded([&]() -> LONG {
        if (result == nullptr) return ERROR_INVALID_PARAMETER;
        *result = nullptr;
        KeyRef ref;
        if (LONG rc = LookUpHandle(key, &ref); rc != ERROR_SUCCESS) return rc;
        KeyPath sub;
        if (!SplitKeyPath(subKey, &sub)) return ERROR_INVALID_PARAMETER;
        std::shared_ptr<const Key> root;
        if (LONG rc = ReadHive(&root); rc != ERROR_SUCCESS) return rc;
        const Key* base = nullptr;
        if (LONG rc = KeyForReading(*root, ref, &base); rc != ERROR_SUCCESS) return rc;
        if (FindKey(*base, sub) == nullptr) return ERROR_FILE_NOT_FOUND;
        *result = NewHandle(Joined(ref.path, sub), NormalizeAccess(access));
        return ERROR_SUCCESS;
    });
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD, char*, DWORD, REGSAM access, void*, PHKEY result,
                     DWORD* disposition) {
    return Guarded([&]() -> LONG {
        if (result == nullptr) return ERROR_INVALID_PARAMETER;
        *result = nullptr;
        KeyRef ref;
        if (LONG rc = LookUpHandle(key, &ref); rc != ERROR_SUCCESS) return rc;
        KeyPath sub;
        if (!SplitKeyPath(subKey, &sub)) return ERROR_INVALID_PARAMETER;
        if (ref.path.size() + sub.size() > kMaxKeyDepth) return ERROR_INVALID_PARAMETER;
        bool created = false;
        LONG rc = ChangeHive([&](Key& root, bool* changed) -> LONG {
            Key* base = nullptr;
            if (LONG rc = KeyForChange(root, ref, true, changed, &base); rc != ERROR_SUCCESS) return rc;
            if (FindKey(*base, sub) != nullptr) return ERROR_SUCCESS;
            if (!Allows(ref, KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
            CreateKey(*base, sub, &created);
            *changed = true;
            return ERROR_SUCCESS;
        });
        if (rc != ERROR_SUCCESS) return rc;
        if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        *result = NewHandle(Joined(ref.path, sub), NormalizeAccess(access));
        return ERROR_SUCCESS;
    });
}

LONG RegCloseKey(HKEY key) {
    return Guarded([&]() -> LONG { return CloseHandle(key); });
}

LONG RegDeleteKeyA(HKEY key, const char* subKey) {
    return Guarded([&]() -> LONG {
        KeyRef ref;
        if (LONG rc = LookUpHandle(key, &ref); rc != ERROR_SUCCESS) return rc;
        KeyPath sub;
        if (subKey == nullptr || !SplitKeyPath(subKey, &sub)) return ERROR_INVALID_PARAMETER;
        // The roots themselves cannot be deleted.
        if (sub.empty() && (ref.predefined || ref.path.empty())) return ERROR_ACCESS_DENIED;
        return ChangeHive([&](Key& root, bool* changed) -> LONG {
            if (sub.empty()) {  // the handle's own key
                if (FindKey(root, ref.path) == nullptr) return ERROR_BADKEY;
                return DeleteBelow(root, ref.path, false, changed);
            }
            Key* base = nullptr;
            if (LONG rc = KeyForChange(root, ref, false, changed, &base); rc != ERROR_SUCCESS) return rc;
            return DeleteBelow(*base, sub, false, changed);
        });
    });
}

LONG RegDeleteTreeA(HKEY key, const char* subKey) {
    return Guarded([&]() -> LONG {
        KeyRef ref;
        if (LONG rc = LookUpHandle(key, &ref); rc != ERROR_SUCCESS) return rc;
        KeyPath sub;
        if (!SplitKeyPath(subKey, &sub)) return ERROR_INVALID_PARAMETER;
        return ChangeHive([&](Key& root, bool* changed) -> LONG {
            Key* base = nullptr;
            if (LONG rc = KeyForChange(root, ref, false, changed, &base); rc != ERROR_SUCCESS) {
                // An absent predefined root has nothing below it to clear.
                return rc == ERROR_FILE_NOT_FOUND && sub.empty() ? ERROR_SUCCESS : rc;
            }
            if (!sub.empty()) return DeleteBelow(*base, sub, true, changed);
            // No subkey named: the key stays, everything in it goes.
            if (!Allows(ref, KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
            *changed = !base->values.empty() || !base->subkeys.empty();
            base->values.clear();
            base->subkeys.clear();
            return ERROR_SUCCESS;
        });
    });
}

LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD*, char* cls, DWORD* clsSize,
                   void* lastWrite) {
    return Guarded([&]() -> LONG {
        if (name == nullptr || nameSize == nullptr) return ERROR_INVALID_PARAMETER;
        KeyRef ref;
        if (LONG rc = LookUpHandle(key, &ref); rc != ERROR_SUCCESS) return rc;
        if (!Allows(ref, KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
        std::shared_ptr<const Key> root;
        if (LONG rc = ReadHive(&root); rc != ERROR_SUCCESS) return rc;
        const Key* base = nullptr;
        if (LONG rc = KeyForReading(*root, ref, &base); rc != ERROR_SUCCESS) return rc;
        if (index >= base->subkeys.size()) return ERROR_NO_MORE_ITEMS;
        auto it = base->subkeys.begin();
        std::advance(it, index);
        if (LONG rc = CopyName(it->first, name, nameSize); rc != ERROR_SUCCESS) return rc;
        // Keys carry no class name and no write time here.
        if (cls != nullptr && clsSize != nullptr && *clsSize > 0) cls[0] = '\0';
        if (clsSize != nullptr) *clsSize = 0;
        if (lastWrite != nullptr) std::memset(lastWrite, 0, 2 * sizeof(DWORD));
        return ERROR_SUCCESS;
    });
}
