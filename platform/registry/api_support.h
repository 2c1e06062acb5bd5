// What the registry calls share: the exception firewall, access rights, and finding the key a
// handle stands for in a loaded hive.
#pragma once

#include <new>

#include "platform/registry/handles.h"
#include "platform/registry/hive.h"

namespace registry::detail {

// Every registry call runs through here: nothing thrown inside leaves it.
template <class Fn>
LONG Guarded(Fn&& fn) noexcept {
    try {
        return fn();
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    } catch (...) {
        return ERROR_REGISTRY_IO_FAILED;
    }
}

// Generic rights become the key rights they stand for.
REGSAM NormalizeAccess(REGSAM access);
bool Allows(const KeyRef& ref, REGSAM needed);

// The key the handle stands for: a predefined root that is absent reads as an empty key; any
// other absent key was deleted after the handle was opened (ERROR_BADKEY).
LONG KeyForReading(const Key& root, const KeyRef& ref, const Key** key);
// As above for a change; with create, an absent predefined root is created (setting *changed),
// without it an absent root gives ERROR_FILE_NOT_FOUND (nothing there to change).
LONG KeyForChange(Key& root, const KeyRef& ref, bool create, bool* changed, Key** key);

// The value-data protocol of the query calls. data null: only the needed size is told. A buffer
// that is too small gives ERROR_MORE_DATA and the needed size. Strings end with a terminator.
LONG CopyValueData(const Value& value, DWORD* type, BYTE* data, DWORD* size);
// A name into a caller's buffer of *size characters; *size becomes the length copied, or the
// size needed (terminator included) with ERROR_MORE_DATA.
LONG CopyName(const std::string& name, char* buffer, DWORD* size);

}  // namespace registry::detail
