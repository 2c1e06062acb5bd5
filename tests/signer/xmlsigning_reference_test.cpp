// CreateRefernceElement: the Id, the replaced document, the digest rule and the failure paths.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>

#include "platform/com/hresult_text.h"
#include "platform/crypt/provider.h"
#include "platform/registry/registry.h"
#include "platform/runtime/rnd.h"
#include "platform/text/codepage.h"
#include "platform/xml/dom_interfaces.h"
#include "signer/globals.h"
#include "signer/reference_parts.h"
#include "tests/signer/xmlsigning_fixture.h"
#include "tests/support/run_command.h"

namespace {

namespace fs = std::filesystem;
using XmlSigningReference = XmlSigningTest;

// The Id attribute values of a serialization.
std::vector<std::string> IdValues(const std::string& xml) {
    static const std::regex kId(" Id=\"([^\"]*)\"");
    std::vector<std::string> values;
    for (std::sregex_iterator it(xml.begin(), xml.end(), kId), end; it != end; ++it) values.push_back((*it)[1]);
    return values;
}

std::string UriOf(const std::string& reference) {
    static const std::regex kUri("^<Reference URI=\"([^\"]*)\">");
    std::smatch match;
    return std::regex_search(reference, match, kUri) ? match[1].str() : "(no URI)";
}

// A context handle of a probe container; handles come from one counter, so every context made
// between two probes has a handle between theirs.
HCRYPTPROV Probe() {
    HCRYPTPROV context = 0;
    if (!CryptAcquireContextA(&context, "Probe", MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_NEWKEYSET)) {
        EXPECT_TRUE(CryptAcquireContextA(&context, "Probe", MS_DEF_PROV_A, PROV_RSA_FULL, 0));
    }
    return context;
}

bool IsLiveContext(HCRYPTPROV handle) {
    HCRYPTHASH hash = 0;
    if (!CryptCreateHash(handle, CALG_SHA1, 0, 0, &hash)) return false;
    CryptDestroyHash(hash);
    return true;
}

TEST(ReferenceParts, IdTextFromTheFraction) {
    struct Case {
        float r;
        const char16_t* id;
    };
    const Case cases[] = {
        {0.0f, u"#1000000"},
        {0.5f, u"#6000000"},
        {0.9f, u"#9999999"},  // 0.9f lies just below 0.9: still 7 digits
        {0.95f, u"#10499999"},  // and 0.95f just below 0.95: 8 digits
        {1.0f - 1.0f / 16777216.0f, u"#10999999"},  // the largest fraction the generator gives
    };
    for (const Case& c : cases) EXPECT_EQ(signer::ReferenceIdFor(c.r), c.id) << c.r;
}

TEST(ReferenceParts, OnlyCrLfPairsAreRemoved) {
    struct Case {
        std::u16string text;
        std::u16string expected;
    };
    const Case cases[] = {
        {u"", u""},           {u"a\r\nb", u"ab"},      {u"\r\n\r\n", u""},
        {u"\r\r\n", u"\r"},   {u"\r\n\n", u"\n"},      {u"\n\r", u"\n\r"},
        {u"a\rb\nc", u"a\rb\nc"}, {u"x\r", u"x\r"},
    };
    for (const Case& c : cases) EXPECT_EQ(signer::WithoutCrLfPairs(c.text), c.expected) << Utf8(c.text);
}

TEST_F(XmlSigningReference, IdGoesOnTheRootAndIntoTheReference) {
    static const std::regex kIdForm("#[1-9][0-9]{6,7}");
    for (int call = 0; call < 20; ++call) {
        std::u16string document = u"<doc Id='old' a='1'>x</doc>";
        const std::string reference = Utf8(Access::CreateRefernceElement(signing_, document));
        const std::string id = Utf8(Access::ReferenceId(signing_));
        EXPECT_TRUE(std::regex_match(id, kIdForm)) << id;
        EXPECT_EQ(Utf8(document), "<doc Id=\"" + id + "\" a=\"1\">x</doc>");
        EXPECT_EQ(IdValues(Utf8(document)), std::vector<std::string>{id});
        EXPECT_EQ(UriOf(reference), id);
    }
    EXPECT_EQ(signer::glngErrorNumber, 0);
}

TEST_F(XmlSigningReference, FirstIdOfAProcessIsAlwaysTheSame) {
    testing_support::TempDir logs;
    auto run = [&logs] {
        testing_support::CommandResult r =
            testing_support::RunCommand(std::string(FIRST_ID_HELPER) + " " + logs.str());
        EXPECT_EQ(r.status, 0) << r.out;
        return r.out;
    };
    const std::string first = run();
    EXPECT_EQ(run(), first);
    runtime::ResetRndForTesting();
    EXPECT_EQ(first, Utf8(signer::ReferenceIdFor(runtime::Rnd())) + "\n");
}

TEST_F(XmlSigningReference, VerifierFindsTheDigestOfTheWrappedDocument) {
    struct Case {
        const char* name;
        const char* source;
    };
    const Case cases[] = {
        {"plain", "<doc a=\"1\">text</doc>"},
        {"CR LF pairs and lone LF", "<?xml version=\"1.0\"?>\r\n<!DOCTYPE doc>\r\n<doc>\r\n  <line>a&#13;b</line>\n"
                                    "  <\xC3\xA9t\xC3\xA9/>\n</doc>\r\n"},
        {"declaration and DOCTYPE", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!DOCTYPE doc [<!ENTITY e \"x\">]>"
                                    "<doc>&e;</doc>"},
    };
    for (const Case& c : cases) {
        std::u16string document = text::FromUtf8(c.source);
        const std::string wrapper = Utf8(SignedDocument(document));
        ASSERT_FALSE(wrapper.empty()) << c.name;
        const std::string wrapped = DocumentInWrapper(wrapper);
        EXPECT_EQ(wrapped, Utf8(document)) << c.name;
        const std::string digest = DigestValueIn(wrapper);
        EXPECT_EQ(digest, VerifierDigest(wrapped)) << c.name;
        EXPECT_EQ(digest.size(), 28u) << c.name;
        EXPECT_EQ(digest.find('='), 27u) << c.name;
    }
    // The serialization of the second case keeps CR LF pairs between its top-level nodes and the
    // lone LFs of its content; the third keeps its prolog right after the wrapper's tag.
    std::u16string document = text::FromUtf8(cases[1].source);
    const std::string wrapped = DocumentInWrapper(Utf8(SignedDocument(document)));
    EXPECT_EQ(wrapped.rfind("<?xml version=\"1.0\"?>\r\n<!DOCTYPE doc>\r\n<doc Id=\"", 0), 0u) << wrapped;
    EXPECT_NE(wrapped.find("\n  <line>a&#13;b</line>\n"), std::string::npos) << wrapped;
    document = text::FromUtf8(cases[2].source);
    const std::string wrapper = Utf8(SignedDocument(document));
    EXPECT_EQ(wrapper.rfind("<XMLDigitalSignature><?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!DOCTYPE doc [\n"
                            "<!ENTITY e \"x\">\n]>\r\n<doc Id=\"",
                            0),
              0u)
        << wrapper;
    EXPECT_EQ(signer::glngErrorNumber, 0);
}

TEST_F(XmlSigningReference, ProviderThatCannotBeOpenedLeavesTheDocumentReplaced) {
    testing_support::WriteFile(prefix_.dir().path() / "keys", "not a key store");
    std::u16string document = u"<doc/>";
    EXPECT_EQ(Access::CreateRefernceElement(signing_, document), u"");
    EXPECT_EQ(signer::glngErrorNumber, 901);
    EXPECT_EQ(Utf8(document), "<doc Id=\"" + Utf8(Access::ReferenceId(signing_)) + "\"/>");
    EXPECT_FALSE(fs::exists(ErrorLogPath()));
}

TEST_F(XmlSigningReference, DigestSessionEndsOnEveryPath) {
    struct Case {
        const char16_t* document;
        LONG status;
    };
    // Under code page 1252 the Japanese text has no ANSI form, so the digest fails (902).
    const Case cases[] = {{u"<doc/>", 0}, {u"<doc>\u65E5\u672C</doc>", 902}};
    for (const Case& c : cases) {
        signer::glngErrorNumber = 0;
        const HCRYPTPROV before = Probe();
        std::u16string document = c.document;
        EXPECT_EQ(Access::CreateRefernceElement(signing_, document).empty(), c.status != 0);
        EXPECT_EQ(signer::glngErrorNumber, c.status);
        EXPECT_NE(document, c.document);  // replaced either way
        const HCRYPTPROV after = Probe();
        for (HCRYPTPROV handle = before + 1; handle < after; ++handle) EXPECT_FALSE(IsLiveContext(handle)) << handle;
        CryptReleaseContext(before, 0);
        CryptReleaseContext(after, 0);
    }
}

TEST_F(XmlSigningReference, ErrorsInsideTheStepAreTrapped) {
    // A text without a root element (the caller normally checks it first): nothing is replaced.
    std::u16string document = u"<doc>";
    EXPECT_EQ(Access::CreateRefernceElement(signing_, document), u"");
    EXPECT_EQ(signer::glngErrorNumber, 909);
    EXPECT_EQ(document, u"<doc>");
    EXPECT_EQ(ErrorLog(), ErrorLine(909, "Object variable or With block variable not set"));
}

TEST_F(XmlSigningReference, DomClassNotRegistered) {
    testing_support::ScopedPrefix emptyRegistry;
    std::u16string document = u"<doc/>";
    EXPECT_EQ(Access::CreateRefernceElement(signing_, document), u"");
    EXPECT_EQ(signer::glngErrorNumber, 909);
    EXPECT_EQ(document, u"<doc/>");
    const std::string log = ErrorLog();
    const std::string start = "\"09/Dec/2003 17:05:09 909   " + com::DescribeHResult(REGDB_E_CLASSNOTREG) + " (";
    EXPECT_EQ(log.rfind(start, 0), 0u) << log;
    EXPECT_NE(log.find(kDomDocumentClsid), std::string::npos) << log;
    EXPECT_EQ(log.find("\r\n"), log.size() - 2) << "one line: " << log;
}

}  // namespace
