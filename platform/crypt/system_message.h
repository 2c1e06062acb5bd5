// The system's message table: a text for each error code that the platform calls leave, read
// with FormatMessageA. Every message ends with CR LF.
#pragma once

#include "platform/com/types.h"

inline constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x200;
inline constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x1000;

inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_MR_MID_NOT_FOUND = 317;

// Only FORMAT_MESSAGE_FROM_SYSTEM (with or without FORMAT_MESSAGE_IGNORE_INSERTS) is served;
// source and arguments are not used. Copies the message and a terminating NUL into buffer and
// returns the message's length. Returns 0 and sets the last error when the code has no message
// (ERROR_MR_MID_NOT_FOUND), the message and its NUL do not fit (ERROR_INSUFFICIENT_BUFFER) or the
// request is not served (ERROR_INVALID_PARAMETER).
DWORD FormatMessageA(DWORD flags, const void* source, DWORD messageId, DWORD languageId, char* buffer,
                     DWORD size, void* arguments);
