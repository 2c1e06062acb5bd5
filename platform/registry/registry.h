// The registry: HKEY_LOCAL_MACHINE is a hive kept in a file under the prefix directory;
// HKEY_CLASSES_ROOT is its subtree SOFTWARE\Classes. Key and value names compare without regard
// to case and keep their case. Every change is a locked read-modify-write that replaces the hive
// file atomically. Calls return the platform's error numbers.
#pragma once

#include <string>

#include "platform/com/types.h"

struct RegKey;
using HKEY = RegKey*;
using REGSAM = DWORD;
using PHKEY = HKEY*;

// Predefined roots (not real handles; never closed).
extern const HKEY HKEY_CLASSES_ROOT;
extern const HKEY HKEY_LOCAL_MACHINE;

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_NO_MORE_ITEMS = 259;
inline constexpr LONG ERROR_BADDB = 1009;
inline constexpr LONG ERROR_BADKEY = 1010;
inline constexpr LONG ERROR_REGISTRY_IO_FAILED = 1016;
inline constexpr LONG ERROR_KEY_HAS_CHILDREN = 1020;

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;

inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// subKey may be null or empty (opens the key itself). Names use "\" between parts.
LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, PHKEY result);
LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* cls, DWORD options,
                     REGSAM access, void* security, PHKEY result, DWORD* disposition);
LONG RegCloseKey(HKEY key);
// data null: only *type and *size are returned. REG_SZ data includes its terminator in the size.
// A buffer that is too small gives ERROR_MORE_DATA with the needed size in *size.
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size);
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size);
LONG RegDeleteValueA(HKEY key, const char* valueName);
// Deletes a key that has no subkeys (ERROR_ACCESS_DENIED if it has some, as the platform does).
LONG RegDeleteKeyA(HKEY key, const char* subKey);
// Deletes a key with everything below it.
LONG RegDeleteTreeA(HKEY key, const char* subKey);
// index-th direct subkey name (in the order names sort without regard to case).
LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved, char* cls,
                   DWORD* clsSize, void* lastWrite);
// index-th value: its name, and optionally type and data.
LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved, DWORD* type,
                   BYTE* data, DWORD* dataSize);

namespace registry {
// The prefix directory: $CHEQUESIGN_PREFIX, or ~/.chequesign. Created on demand.
std::string PrefixDirectory();
// The HKEY_LOCAL_MACHINE hive: this file in the prefix directory, with a lock file beside it.
inline constexpr const char* kHiveFileName = "hklm.hive";
std::string HiveFilePath();
// Convenience for hosts and tools: "HKLM\...", "HKEY_LOCAL_MACHINE\...", "HKCR\...",
// "HKEY_CLASSES_ROOT\..." split into root and sub path; false when the root is unknown.
bool ParseKeyPath(const std::string& path, HKEY* root, std::string* subKey);
}  // namespace registry
