#include "platform/runtime/ucase.h"

#include <gtest/gtest.h>

namespace {

TEST(RuntimeUCase, EveryCharacterToItsUpperCase) {
    struct Case {
        const char16_t* in;
        const char16_t* out;
    };
    const Case cases[] = {
        {u"", u""},
        {u"smartcard", u"SMARTCARD"},
        {u" SmartCard 42!", u" SMARTCARD 42!"},
        {u"caf\u00E9 \u00FF", u"CAF\u00C9 \u0178"},           // Latin-1 letters
        {u"stra\u00DFe", u"STRA\u00DFE"},                      // no single upper-case form
        {u"\u0434\u03B1", u"\u0414\u0391"},                    // Cyrillic, Greek
        {u"\u65E5\U0001F600x", u"\u65E5\U0001F600X"},          // no case; a surrogate pair stays whole
    };
    for (const Case& c : cases) EXPECT_EQ(runtime::UCase(c.in), c.out);
}

}  // namespace
