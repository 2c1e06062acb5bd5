// JSON string literals: reading one from a CALL, writing a text value.
#pragma once

#include <string>
#include <string_view>

namespace comcall {

// Reads a JSON string literal starting at text[*pos] (the opening quote); on success *pos is just
// past the closing quote. Escapes: \" \\ \/ \b \f \n \r \t \uXXXX (surrogate pairs joined).
// Other bytes are UTF-8.
bool ReadJsonString(std::string_view text, size_t* pos, std::u16string* out, std::string* error);

// A JSON string literal for the text: quote, backslash and control characters escaped,
// everything else written as UTF-8 (an unpaired surrogate as \uXXXX).
std::string JsonQuote(std::u16string_view text);

}  // namespace comcall
