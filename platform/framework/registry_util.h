// Small helpers over the registry API for registration code: string values, subkey names and
// removal where a missing key counts as removed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/registry/registry.h"

namespace framework::reg {

// Creates the key (and its parents) and sets the string value (null name: the default value).
LONG SetString(HKEY root, const std::string& path, const char* valueName, const std::string& value);
// The string value; nullopt when the key or value is missing or not a string.
std::optional<std::string> ReadString(HKEY root, const std::string& path, const char* valueName = nullptr);
bool KeyExists(HKEY root, const std::string& path);
// The names of the key's direct subkeys; an empty list when the key is missing. *rc (when given)
// is the error of a key that exists but cannot be read.
std::vector<std::string> SubKeys(HKEY root, const std::string& path, LONG* rc = nullptr);
// Whether a delete result means the key is gone: done, or it was not there (not found, bad key).
bool Removed(LONG rc);
// Deletes the key with everything below it.
LONG DeleteTree(HKEY root, const std::string& path);

}  // namespace framework::reg
