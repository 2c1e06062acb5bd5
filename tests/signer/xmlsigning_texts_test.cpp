// The four texts of the signed document, for a fixed Id, digest, signature and certificate.
#include <gtest/gtest.h>

#include "signer/globals.h"
#include "signer/text_join.h"
#include "tests/signer/xmlsigning_fixture.h"

namespace {

using XmlSigningTexts = XmlSigningTest;

constexpr char16_t kDigest[] = u"qZk+NkcGgWq6PiVxeFDCbJzQ2J0=";
constexpr char16_t kSignature[] = u"c2lnbmF0\r\ndXJl";  // the signer's line break stays
constexpr char16_t kCertificate[] = u"Y2VydA==";

TEST_F(XmlSigningTexts, EachPieceInItsPlace) {
    Access::ReferenceId(signing_) = u"#1234567";
    const std::u16string reference = Access::ReferenceElement(signing_, kDigest);
    EXPECT_EQ(Utf8(reference),
              "<Reference URI=\"#1234567\"><DigestMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\">"
              "</DigestMethod><DigestValue>qZk+NkcGgWq6PiVxeFDCbJzQ2J0=</DigestValue></Reference>");

    const std::u16string signedInfo = Access::CreateSignedInfoElement(signing_, reference);
    EXPECT_EQ(Utf8(signedInfo),
              "<SignedInfo><SignatureMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\">"
              "</SignatureMethod><Reference URI=\"#1234567\"><DigestMethod "
              "Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\"></DigestMethod><DigestValue>"
              "qZk+NkcGgWq6PiVxeFDCbJzQ2J0=</DigestValue></Reference></SignedInfo>");

    const std::u16string signature = Access::createSignatureElement(signing_, signedInfo, kSignature, kCertificate);
    EXPECT_EQ(Utf8(signature),
              "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\"><SignedInfo><SignatureMethod "
              "Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\"></SignatureMethod><Reference "
              "URI=\"#1234567\"><DigestMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\"></DigestMethod>"
              "<DigestValue>qZk+NkcGgWq6PiVxeFDCbJzQ2J0=</DigestValue></Reference></SignedInfo><SignatureValue>"
              "c2lnbmF0\r\ndXJl</SignatureValue><KeyInfo><X509Data><X509Certificate>Y2VydA==</X509Certificate>"
              "</X509Data></KeyInfo></Signature>");

    EXPECT_EQ(Utf8(Access::XMLSignDocument(signing_, u"<doc Id=\"#1234567\">\r\n</doc>", u"<Signature/>")),
              "<XMLDigitalSignature><doc Id=\"#1234567\">\r\n</doc><Signature/></XMLDigitalSignature>");
    EXPECT_EQ(signer::glngErrorNumber, 0);
}

TEST_F(XmlSigningTexts, WrapperThatCannotBeBuiltIsTrapped) {
    signer::SetMaxTextLengthForTesting(40);  // the wrapper of this document would be longer
    EXPECT_EQ(Access::XMLSignDocument(signing_, u"<doc Id=\"#1234567\"/>", u"<Signature/>"), u"");
    EXPECT_EQ(signer::glngErrorNumber, 909);
    EXPECT_EQ(ErrorLog(), ErrorLine(909, "Out of string space"));
}

}  // namespace
