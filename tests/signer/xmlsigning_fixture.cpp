#include "tests/signer/xmlsigning_fixture.h"

#include <openssl/sha.h>

#include <stdexcept>

#include "platform/com/creation.h"
#include "platform/text/codepage.h"
#include "signer/text_join.h"
#include "tests/support/com_registration.h"

void XmlSigningTest::SetUp() {
    SignerTest::SetUp();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    Access::SetAlgorithms(signing_);
    testing_support::RegisterModule(XMLDOM_MODULE);
}

void XmlSigningTest::TearDown() {
    signer::SetMaxTextLengthForTesting(0);
    CoUninitialize();
    SignerTest::TearDown();
}

std::u16string XmlSigningTest::SignedDocument(std::u16string& document) {
    std::u16string reference = Access::CreateRefernceElement(signing_, document);
    if (reference.empty()) return {};
    std::u16string signedInfo = Access::CreateSignedInfoElement(signing_, reference);
    std::u16string signature = Access::createSignatureElement(signing_, signedInfo, u"SIG", u"CERT");
    return Access::XMLSignDocument(signing_, document, signature);
}

std::string Utf8(std::u16string_view text) { return text::ToUtf8(text); }

std::string DocumentInWrapper(const std::string& wrapper) {
    const std::string open = "<XMLDigitalSignature>";
    size_t end = wrapper.find("<Signature xmlns=");
    if (wrapper.rfind(open, 0) != 0 || end == std::string::npos) throw std::runtime_error("not a wrapper: " + wrapper);
    return wrapper.substr(open.size(), end - open.size());
}

std::string DigestValueIn(const std::string& wrapper) {
    size_t start = wrapper.find("<DigestValue>") + std::string("<DigestValue>").size();
    return wrapper.substr(start, wrapper.find("</DigestValue>") - start);
}

std::string VerifierDigest(const std::string& document) {
    std::string kept;
    for (size_t i = 0; i < document.size(); ++i) {
        if (document[i] == '\r' && i + 1 < document.size() && document[i + 1] == '\n') ++i;
        else kept += document[i];
    }
    // Code page 1252 bytes of the test documents: ASCII, and U+00A0..U+00FF as themselves.
    std::string bytes;
    for (char16_t c : text::FromUtf8(kept)) {
        if (c >= 0x100 || (c >= 0x80 && c < 0xA0)) throw std::runtime_error("outside the test's code page subset");
        bytes += static_cast<char>(c);
    }
    unsigned char digest[SHA_DIGEST_LENGTH];
    SHA1(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), digest);
    return testing_support::Base64Of(std::string(reinterpret_cast<char*>(digest), sizeof digest));
}
