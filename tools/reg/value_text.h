// Value types and data as reg shows and takes them.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry/registry.h"

namespace reg {

// "REG_SZ", "REG_DWORD", ...; the number in hex for types without a name.
std::string TypeName(DWORD type);
// The types reg add can write: REG_SZ, REG_EXPAND_SZ, REG_DWORD, REG_BINARY (any case).
bool WritableType(std::string_view name, DWORD* type);
// Data as one line: text for strings, 0x... for numbers, hex digits for bytes.
std::string DisplayData(DWORD type, const std::string& bytes);
// The bytes to store for data typed after /d: strings get their terminator, a DWORD is decimal
// or 0x hex, binary data is hex digits. False for data that does not fit the type.
bool EncodeData(DWORD type, const std::string& text, std::string* bytes);

}  // namespace reg
