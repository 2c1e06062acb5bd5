// Strict conversions between the DOM's UTF-16 text and libxml2's UTF-8. Unlike the lenient
// conversions of the text layer, nothing is replaced: a text that is not valid is refused.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace xmldom {

// nullopt when the text holds an unpaired surrogate.
std::optional<std::string> Utf8Of(std::u16string_view text);
// nullopt when the bytes are not valid UTF-8.
std::optional<std::u16string> Utf16Of(std::string_view utf8);

}  // namespace xmldom

namespace xmldom {

// Whether every character may stand in an XML document (no NUL, no other C0 control but tab,
// LF and CR, no U+FFFE or U+FFFF). Surrogate pairing is Utf8Of's concern.
bool IsXmlText(std::u16string_view text);

}  // namespace xmldom
