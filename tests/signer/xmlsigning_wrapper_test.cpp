// The signed document of a plain document is well-formed XML.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/signer/xmlsigning_fixture.h"

namespace {

using XmlSigningWrapper = XmlSigningTest;

TEST_F(XmlSigningWrapper, PlainDocumentGivesWellFormedXml) {
    std::u16string document = u"<cheque no=\"17\">\r\n  <payee>M\u00FCller &amp; Co</payee>\r\n</cheque>";
    const std::string wrapper = Utf8(SignedDocument(document));
    ASSERT_FALSE(wrapper.empty());
    const auto file = folder_.path() / "signed.xml";
    testing_support::WriteFile(file, wrapper);
    EXPECT_EQ(std::system(("xmllint --noout " + file.string()).c_str()), 0) << wrapper;
}

}  // namespace
