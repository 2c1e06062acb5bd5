// The two rules behind a Reference: how the Id text is formed and what the digest covers.
#pragma once

#include <string>
#include <string_view>

namespace signer {

// "#" and the decimal digits of floor(r * 10000000 + 1000000), for a fraction 0 <= r < 1:
// 1000000 to 10999999, 7 or 8 digits.
std::u16string ReferenceIdFor(float r);
// The next Id text, from the never-seeded generator of the runtime.
std::u16string NewReferenceId();
// The text with every CR LF pair removed, scanning from the start; a lone CR or LF stays.
std::u16string WithoutCrLfPairs(std::u16string_view text);

}  // namespace signer
