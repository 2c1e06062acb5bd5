// RFC 4648 base64: the standard alphabet, "=" padding, no line breaks.
#pragma once

#include <string>
#include <string_view>

namespace base64lib {

std::string Encode(std::string_view bytes);
// Blanks and line breaks are skipped; padding may be left out. false on any other character,
// padding in the middle, or a length that cannot be base64.
bool Decode(std::string_view text, std::string* bytes);

}  // namespace base64lib
