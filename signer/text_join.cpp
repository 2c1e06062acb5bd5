#include "signer/text_join.h"

#include <atomic>

#include "platform/runtime/error.h"

namespace signer {

namespace {

constexpr LONG kErrOutOfStringSpace = 14;
constexpr char16_t kOutOfStringSpaceText[] = u"Out of string space";
constexpr size_t kMaxTextLength = 0x7FFFFFFF;

std::atomic<size_t> g_limit{kMaxTextLength};

}  // namespace

std::u16string JoinTexts(std::initializer_list<std::u16string_view> pieces) {
    const size_t limit = g_limit.load();
    size_t total = 0;
    for (std::u16string_view piece : pieces) {
        if (piece.size() > limit - total) runtime::Raise(kErrOutOfStringSpace, kOutOfStringSpaceText);
        total += piece.size();
    }
    std::u16string out;
    out.reserve(total);
    for (std::u16string_view piece : pieces) out += piece;
    return out;
}

void SetMaxTextLengthForTesting(size_t limit) { g_limit.store(limit == 0 ? kMaxTextLength : limit); }

}  // namespace signer
