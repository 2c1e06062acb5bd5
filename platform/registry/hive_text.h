// The hive file's text form. One line per item; every key is listed after its parent:
//
//   chequesign-registry 1
//   key ""
//   key "SOFTWARE"
//   key "SOFTWARE\OVREL"
//   key "SOFTWARE\OVREL\SIGN"
//   value "SigningComponent" sz "/opt/token/libpkcs11.so"
//   value "Count" dword 0x0000002a
//   value "" binary "01ff"
//   end
//
// Values belong to the key line above them. Quoted text escapes control characters, '%' and '"'
// as %XX. Types: sz, expand_sz, dword, binary, or the type number with hex data. The closing
// "end" line tells a complete file from a cut-off one.
#pragma once

#include <string>

#include "platform/registry/hive.h"

namespace registry::detail {

std::string SerializeHive(const Key& root);
// False (and *root unspecified) for anything that is not a complete, well-formed hive.
bool ParseHive(const std::string& text, Key* root);

}  // namespace registry::detail
