// The process-wide ANSI code page and conversions between it and UTF-16 (iconv underneath).
// The code page defaults to 1252; a host sets another through SetACP or CHEQUESIGN_CODEPAGE.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/types.h"

inline constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;

UINT GetACP();
// Switches the process's ANSI code page; false when iconv does not know it.
bool SetACP(UINT codePage);

namespace text {

// UTF-16 to ANSI. Characters the code page cannot represent become its default character "?";
// with unmappable non-null, *unmappable tells whether any did.
std::string ToAnsi(std::u16string_view wide, bool* unmappable = nullptr);
// UTF-16 to ANSI that refuses instead: false (and SetLastError(1113)) when any character has no
// mapping; *out is then left empty.
bool ToAnsiStrict(std::u16string_view wide, std::string* out);
// ANSI to UTF-16; bytes that do not decode become U+FFFD.
std::u16string FromAnsi(std::string_view ansi);

// UTF-8 <-> UTF-16, for tools, files and tests.
std::u16string FromUtf8(std::string_view utf8);
std::string ToUtf8(std::u16string_view wide);

// A BSTR's text (null reads as empty).
std::u16string_view View(BSTR text);

}  // namespace text

// The thread's last system error code, set by platform calls that document it.
DWORD GetLastError();
void SetLastError(DWORD code);
