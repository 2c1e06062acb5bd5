#include <gtest/gtest.h>

#include <cstring>

#include "platform/com/com_ptr.h"
#include "platform/com/interfaces.h"
#include "platform/com/types.h"

namespace {

TEST(Guid, RoundTripsAndNormalisesCase) {
    const char* text = "{28656abb-8e12-11d2-950f-000000000000}";
    GUID g{};
    ASSERT_TRUE(GuidFromString(text, &g));
    EXPECT_EQ(g.Data1, 0x28656ABBu);
    EXPECT_EQ(g.Data2, 0x8E12);
    EXPECT_EQ(g.Data3, 0x11D2);
    EXPECT_EQ(g.Data4[0], 0x95);
    EXPECT_EQ(g.Data4[1], 0x0F);
    EXPECT_EQ(GuidToString(g), "{28656ABB-8E12-11D2-950F-000000000000}");
    EXPECT_EQ(MakeGuid("28656ABB-8E12-11D2-950F-000000000000"), g);
}

TEST(Guid, RejectsMalformedText) {
    const char* bad[] = {
        "",
        "28656ABB-8E12-11D2-950F-000000000000",     // braces are required
        "{28656ABB-8E12-11D2-950F-000000000000",    // unclosed
        "{28656ABB-8E12-11D2-950F-00000000000G}",   // not hex
        "{28656ABB8E12-11D2-950F-0000000000000}",   // dash moved
        "{28656ABB-8E12-11D2-950F-0000000000000}",  // too long
        "{+8656ABB-8E12-11D2-950F-000000000000}",   // sign is not a digit
    };
    for (const char* text : bad) {
        GUID g{};
        EXPECT_FALSE(GuidFromString(text, &g)) << text;
    }
    EXPECT_THROW(MakeGuid("nonsense"), std::invalid_argument);
}

TEST(Guid, WellKnownInterfaceIds) {
    EXPECT_EQ(GuidToString(IID_IUnknown), "{00000000-0000-0000-C000-000000000046}");
    EXPECT_EQ(GuidToString(IID_IDispatch), "{00020400-0000-0000-C000-000000000046}");
    EXPECT_EQ(GuidToString(IID_IClassFactory), "{00000001-0000-0000-C000-000000000046}");
    EXPECT_EQ(IID_NULL, GUID_NULL);
}

TEST(Bstr, LengthsPrefixAndTerminator) {
    BSTR s = SysAllocString(u"abc");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(SysStringLen(s), 3u);
    EXPECT_EQ(SysStringByteLen(s), 6u);
    std::uint32_t prefix = 0;
    std::memcpy(&prefix, reinterpret_cast<char*>(s) - 4, 4);
    EXPECT_EQ(prefix, 6u);
    EXPECT_EQ(s[3], 0);
    SysFreeString(s);

    // An embedded NUL is part of the text; the length says so.
    BSTR n = SysAllocStringLen(u"a\0b", 3);
    EXPECT_EQ(SysStringLen(n), 3u);
    EXPECT_EQ(std::u16string_view(n, 3), std::u16string_view(u"a\0b", 3));
    SysFreeString(n);

    // No source text: zero-filled of the given length.
    BSTR z = SysAllocStringLen(nullptr, 4);
    EXPECT_EQ(SysStringLen(z), 4u);
    EXPECT_EQ(z[0], 0);
    SysFreeString(z);
}

TEST(Bstr, NullReadsAsEmpty) {
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysStringByteLen(nullptr), 0u);
    SysFreeString(nullptr);
    BSTR empty = SysAllocString(u"");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SysStringLen(empty), 0u);
    SysFreeString(empty);
}

TEST(Bstr, OddByteLengthKeepsItsCountAndEndsInAWholeTerminator) {
    BSTR s = SysAllocStringByteLen("abc", 3);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(SysStringByteLen(s), 3u);
    EXPECT_EQ(SysStringLen(s), 1u);
    const char* bytes = reinterpret_cast<const char*>(s);
    EXPECT_EQ(std::string(bytes, 3), "abc");
    // The bytes after the count are zero through the next whole OLECHAR.
    EXPECT_EQ(bytes[3], 0);
    EXPECT_EQ(s[2], 0);
    SysFreeString(s);
}

TEST(BStrOwner, ConversionsCopiesAndHandOver) {
    using com::BStr;
    BStr a = BStr::FromUtf8("Zo\xC3\xAB");  // U+00EB
    EXPECT_EQ(a.view(), u"Zo\u00EB");
    EXPECT_EQ(a.ToAnsi(), "Zo\xEB");  // code page 1252
    BStr copy = a;
    EXPECT_NE(copy.get(), a.get());
    EXPECT_EQ(copy.view(), a.view());
    EXPECT_EQ(BStr::FromAnsi("Zo\xEB").view(), u"Zo\u00EB");

    BStr out;
    *out.put() = SysAllocString(u"new");
    EXPECT_EQ(out.view(), u"new");
    *out.put() = nullptr;  // put() released "new"
    EXPECT_EQ(out.view(), u"");
    BSTR raw = a.release();
    EXPECT_EQ(a.get(), nullptr);
    SysFreeString(raw);
}

}  // namespace
