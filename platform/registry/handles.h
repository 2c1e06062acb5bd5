// Open key handles. A handle remembers the path of its key from the HKEY_LOCAL_MACHINE root and
// the access it was opened with; every handle given out is recorded, so a closed, foreign or
// null handle is refused instead of being read.
#pragma once

#include "platform/registry/names.h"
#include "platform/registry/registry.h"

struct RegKey {
    registry::detail::KeyPath path;
    REGSAM access = 0;
};

namespace registry::detail {

struct KeyRef {
    KeyPath path;
    REGSAM access = 0;
    // The predefined roots always exist, even while their key is absent from the hive.
    bool predefined = false;
};

// A copy of what the handle refers to; ERROR_INVALID_HANDLE for anything not open.
LONG LookUpHandle(HKEY key, KeyRef* ref);
HKEY NewHandle(KeyPath path, REGSAM access);
LONG CloseHandle(HKEY key);

}  // namespace registry::detail
