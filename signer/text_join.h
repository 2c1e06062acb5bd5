// Joining pieces into one text that a host can receive: a BSTR holds at most 2^31 - 1
// characters, and a longer result raises "Out of string space" (14) instead of being cut.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace signer {

std::u16string JoinTexts(std::initializer_list<std::u16string_view> pieces);

// Lowers the limit so that a test can reach it; 0 puts the real limit back.
void SetMaxTextLengthForTesting(size_t limit);

}  // namespace signer
