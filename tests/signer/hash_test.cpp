#include <gtest/gtest.h>

#include <string>

#include "platform/crypt/errors.h"
#include "platform/runtime/error.h"
#include "platform/text/codepage.h"
#include "signer/clsCryptoAPI.h"
#include "signer/globals.h"
#include "signer/modGeneral.h"
#include "tests/signer/signer_fixture.h"

namespace {

using namespace signer;

class SignerGetHash : public SignerTest {
protected:
    void SetUp() override {
        SignerTest::SetUp();
        ASSERT_TRUE(crypto_.SessionStart(u"", u""));
    }
    void TearDown() override {
        crypto_.SessionEnd();
        SignerTest::TearDown();
    }
    static std::string Utf8(const std::u16string& s) { return text::ToUtf8(s); }

    clsCryptoAPI crypto_;
};

TEST_F(SignerGetHash, Sha1OfTheAnsiBytes) {
    struct Case {
        UINT codePage;
        const char16_t* text;
        const char* digest;  // base64 of the SHA-1 of the text's bytes in the code page
    };
    const Case cases[] = {
        {1252, u"", "2jmj7l5rSw0yVb/vlWAYkK/YBwk="},                  // zero bytes
        {1252, u"abc", "qZk+NkcGgWq6PiVxeFDCbJzQ2J0="},
        {1252, u"\u00E9", "FZnp+kHsaMgCMEkZAnhr7oifW8s="},            // the byte 0xE9
        {1252, u"caf\u00E9 ok", "cC7bilRo+EfAfUNQBqDE4yTY3i4="},
        // Under a multi-byte code page every byte counts: 93 FA 96 7B 8C EA 61 62 63.
        {932, u"\u65E5\u672C\u8A9Eabc", "GtUMhwRt0gZD4rUCDbL+sJWUlbg="},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(SetACP(c.codePage));
        std::u16string digest = crypto_.GetHash(c.text);
        EXPECT_EQ(Utf8(digest), c.digest) << Utf8(c.text);
        ASSERT_EQ(digest.size(), 28u);
        EXPECT_EQ(digest[27], u'=');
        EXPECT_NE(digest[26], u'=');
    }
    EXPECT_EQ(glngErrorNumber, 0);
}

// A character without an ANSI form would be digested as "?", so two documents would share one
// digest; it is refused instead.
TEST_F(SignerGetHash, RefusesCharactersTheCodePageCannotRepresent) {
    struct Case {
        UINT codePage;
        const char16_t* text;
    };
    const Case cases[] = {{1252, u"a\u65E5"}, {932, u"caf\u00E9"}, {1252, u"\U0001F600"}};
    std::string expected;
    for (const Case& c : cases) {
        ASSERT_TRUE(SetACP(c.codePage));
        EXPECT_EQ(crypto_.GetHash(c.text), u"") << Utf8(c.text);
        EXPECT_EQ(glngErrorNumber, 902);
        expected += ErrorLine(902, "No mapping for the Unicode character exists in the target multi-byte code page.\r\n");
    }
    EXPECT_EQ(ErrorLog(), expected);
    // The object still works for a text it can digest.
    ASSERT_TRUE(SetACP(1252));
    EXPECT_EQ(Utf8(crypto_.GetHash(u"abc")), "qZk+NkcGgWq6PiVxeFDCbJzQ2J0=");
    EXPECT_EQ(glngErrorNumber, 902);  // a success does not clear the status
}

using SignerGetHashWithoutContext = SignerTest;

TEST_F(SignerGetHashWithoutContext, FailsAtCreateHashWithALogLine) {
    const std::string noContext = text::ToAnsi(modGeneral::GetSystemErrorText(NTE_BAD_UID));
    clsCryptoAPI never;
    EXPECT_EQ(never.GetHash(u"abc"), u"");
    EXPECT_EQ(glngErrorNumber, 902);
    clsCryptoAPI failed;
    EXPECT_FALSE(failed.SessionStart(u"No Such Provider", u""));
    EXPECT_EQ(failed.GetHash(u"abc"), u"");
    EXPECT_EQ(ErrorLog(), ErrorLine(902, noContext) + ErrorLine(902, noContext));
}

// The error log that cannot be written makes the digest's failure a run-time error of the caller.
TEST_F(SignerGetHashWithoutContext, UnwritableErrorLogReachesTheCaller) {
    LoseFolder();
    clsCryptoAPI never;
    EXPECT_THROW(never.GetHash(u"abc"), runtime::Error);
    EXPECT_EQ(glngErrorNumber, 902);
}

}  // namespace
