#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/runtime/dll_error.h"
#include "platform/text/codepage.h"
#include "signer/clsCryptoAPI.h"
#include "signer/globals.h"
#include "signer/modGeneral.h"
#include "tests/signer/signer_fixture.h"

namespace {

using namespace signer;
using SignerBase64 = SignerTest;

TEST_F(SignerBase64, EncodesEachCharactersByte) {
    struct Case {
        std::u16string in;
        const char16_t* out;
    };
    const Case cases[] = {
        // RFC 4648, section 10
        {u"", u""},
        {u"f", u"Zg=="},
        {u"fo", u"Zm8="},
        {u"foo", u"Zm9v"},
        {u"foob", u"Zm9vYg=="},
        {u"fooba", u"Zm9vYmE="},
        {u"foobar", u"Zm9vYmFy"},
        // lengths 0 to 5 with NUL characters inside: a NUL is the byte 0, not an end
        {std::u16string(1, u'\0'), u"AA=="},
        {std::u16string(2, u'\0'), u"AAA="},
        {std::u16string(u"a\0b", 3), u"YQBi"},
        {std::u16string(u"\u00FF\0\u00FE\u20AC", 4), u"/wD+gA=="},  // € is the byte 0x80 in 1252
        {std::u16string(u"\u0001\0\u0002\0\u0003", 5), u"AQACAAM="},
    };
    clsCryptoAPI crypto;
    for (const Case& c : cases) {
        std::u16string out = crypto.Base64Encode(c.in);
        EXPECT_EQ(out, c.out) << text::ToUtf8(c.in);
        EXPECT_EQ(out.size(), (c.in.size() + 2) / 3 * 4);
    }
    EXPECT_EQ(glngErrorNumber, 0);
    EXPECT_FALSE(std::filesystem::exists(ErrorLogPath()));
}

// A double-byte character has no single byte: 903 and a line with the last recorded error.
TEST_F(SignerBase64, DoubleByteCharacterFails) {
    ASSERT_TRUE(SetACP(932));
    SetLastError(0);
    runtime::RecordLastDllError();
    clsCryptoAPI crypto;
    EXPECT_EQ(crypto.Base64Encode(u"ab\u65E5"), u"");
    EXPECT_EQ(glngErrorNumber, 903);
    EXPECT_EQ(ErrorLog(), ErrorLine(903, "The operation completed successfully.\r\n"));
}

}  // namespace
