// Small helpers for the registry tests: an owned key handle and one-line reads and writes.
#pragma once

#include <string>
#include <vector>

#include "platform/registry/unique_key.h"

namespace registry_test {

using Key = registry::UniqueKey;

LONG Create(HKEY root, const char* path, Key* key, DWORD* disposition = nullptr);
LONG Open(HKEY root, const char* path, Key* key, REGSAM access = KEY_ALL_ACCESS);
bool Exists(HKEY root, const char* path);

LONG SetString(HKEY key, const char* name, const std::string& text, DWORD type = REG_SZ);
LONG SetDword(HKEY key, const char* name, DWORD number);
// The value's bytes as the query returns them (strings with their terminator).
LONG Read(HKEY key, const char* name, std::string* bytes, DWORD* type = nullptr);
// The string value without its terminator; "<error N>" when it cannot be read.
std::string ReadString(HKEY root, const char* path, const char* name);

std::vector<std::string> SubkeyNames(HKEY key);
std::vector<std::string> ValueNames(HKEY key);

}  // namespace registry_test
