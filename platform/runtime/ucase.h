// Upper-case conversion of the runtime: every character to its upper-case form, one for one
// (a character without a single upper-case counterpart, such as "ß", stays as it is).
#pragma once

#include <string>
#include <string_view>

namespace runtime {

std::u16string UCase(std::u16string_view text);

}  // namespace runtime
