// The user's key store: one folder per key container in the prefix directory's "keys" folder.
// Container names may hold any character; each is stored under a file-system-safe name.
#pragma once

#include <string>

#include "platform/com/types.h"

namespace cryptapi {

// 0 on success, otherwise the provider's error number.
DWORD CreateKeyContainer(const std::string& name);  // NTE_EXISTS when it is already there
DWORD OpenKeyContainer(const std::string& name);    // NTE_BAD_KEYSET when it is missing

// The container used when a caller names none: the user's login name.
std::string DefaultKeyContainerName();

}  // namespace cryptapi
