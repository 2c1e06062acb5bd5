// The error numbers that the cryptographic provider leaves as the thread's last error code.
#pragma once

#include "platform/com/types.h"

inline constexpr DWORD NTE_BAD_UID = 0x80090001u;
inline constexpr DWORD NTE_BAD_HASH = 0x80090002u;
inline constexpr DWORD NTE_BAD_KEY = 0x80090003u;
inline constexpr DWORD NTE_BAD_ALGID = 0x80090008u;
inline constexpr DWORD NTE_BAD_FLAGS = 0x80090009u;
inline constexpr DWORD NTE_BAD_TYPE = 0x8009000Au;
inline constexpr DWORD NTE_BAD_HASH_STATE = 0x8009000Cu;
inline constexpr DWORD NTE_NO_MEMORY = 0x8009000Eu;
inline constexpr DWORD NTE_EXISTS = 0x8009000Fu;
inline constexpr DWORD NTE_BAD_KEYSET = 0x80090016u;
inline constexpr DWORD NTE_PROV_TYPE_NOT_DEF = 0x80090017u;
inline constexpr DWORD NTE_KEYSET_NOT_DEF = 0x80090019u;
inline constexpr DWORD NTE_PROV_TYPE_NO_MATCH = 0x8009001Bu;
inline constexpr DWORD NTE_BAD_KEYSET_PARAM = 0x8009001Fu;
inline constexpr DWORD NTE_FAIL = 0x80090020u;
