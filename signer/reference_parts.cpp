#include "signer/reference_parts.h"

#include <cmath>
#include <string>

#include "platform/runtime/rnd.h"

namespace signer {

namespace {

constexpr double kIdSpan = 10000000;
constexpr double kIdBase = 1000000;

}  // namespace

std::u16string ReferenceIdFor(float r) {
    // In double precision the largest fraction below 1 still lands on 10999999.
    auto n = static_cast<long long>(std::floor(static_cast<double>(r) * kIdSpan + kIdBase));
    std::string digits = std::to_string(n);
    return u"#" + std::u16string(digits.begin(), digits.end());
}

std::u16string NewReferenceId() { return ReferenceIdFor(runtime::Rnd()); }

std::u16string WithoutCrLfPairs(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

}  // namespace signer
