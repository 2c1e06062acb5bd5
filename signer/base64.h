// Base64 of a byte sequence: the RFC 4648 alphabet, "=" padding, no line breaks.
#pragma once

#include <string>
#include <string_view>

namespace signer {

std::u16string Base64OfBytes(std::string_view bytes);

}  // namespace signer
