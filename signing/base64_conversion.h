// Turns a block of bytes into base64 text through the outside class "Base64Lib.Base64" and the
// temporary file "Base64.enc" in the current directory.
#pragma once

#include <cstddef>

#include "platform/com/types.h"

namespace signing {

// The component's text as a new BSTR owned by the caller; null when the class cannot be created
// ("Creation Failed" shown) or the conversion fails. Throws com::DispatchError when the temporary
// file cannot be deleted afterwards.
BSTR ConvertToBase64(const unsigned char* bytes, std::size_t length);

}  // namespace signing
