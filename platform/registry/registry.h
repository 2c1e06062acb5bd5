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

// Every call: a null, closed or unknown handle gives ERROR_INVALID_HANDLE; a handle whose key was
// deleted since it was opened gives ERROR_BADKEY (it is never silently re-created); a damaged
// hive file gives ERROR_BADDB. A handle may only do what its access allows (ERROR_ACCESS_DENIED):
// KEY_QUERY_VALUE to read values, KEY_SET_VALUE to change them, KEY_ENUMERATE_SUB_KEYS to list
// subkeys, KEY_CREATE_SUB_KEY to create them. The two roots allow everything and always exist.
//
// subKey may be null or empty (opens the key itself). Names use "\" between parts; an empty part
// or a part longer than 255 characters gives ERROR_INVALID_PARAMETER.
LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, PHKEY result);
// A key more than 512 levels below HKEY_LOCAL_MACHINE is not created: ERROR_INVALID_PARAMETER.
LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* cls, DWORD options,
                     REGSAM access, void* security, PHKEY result, DWORD* disposition);
LONG RegCloseKey(HKEY key);
// data null: only *type and *size are returned. REG_SZ data includes its terminator in the size.
// A buffer that is too small gives ERROR_MORE_DATA with the needed size in *size.
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size);
// String types keep their text up to the first terminator within size (a missing terminator is
// supplied); REG_DWORD needs size 4; anything else is kept byte for byte.
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size);
LONG RegDeleteValueA(HKEY key, const char* valueName);
// Deletes a key that has no subkeys (ERROR_ACCESS_DENIED if it has some, as the platform does).
// An empty subKey deletes the handle's own key (a null one is refused: ERROR_INVALID_PARAMETER);
// the roots cannot be deleted.
LONG RegDeleteKeyA(HKEY key, const char* subKey);
// Deletes a key with everything below it. With a null or empty subKey the key stays and
// everything in it (values and subkeys) goes.
LONG RegDeleteTreeA(HKEY key, const char* subKey);
// index-th direct subkey name (in the order names sort without regard to case). Names: *nameSize
// is the buffer size in; the length copied out, or the size needed (terminator included) with
// ERROR_MORE_DATA. Keys have no class name (cls becomes "") and lastWrite (8 bytes) is zeroed.
LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved, char* cls,
                   DWORD* clsSize, void* lastWrite);
// index-th value (in the order values were created): its name as for RegEnumKeyExA, and
// optionally type and data with the protocol of RegQueryValueExA.
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
