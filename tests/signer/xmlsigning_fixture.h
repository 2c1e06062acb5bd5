// The signer's fixture with an initialised thread and the DOM class registered in the test's
// registry, plus a verifier's view of the signed document.
#pragma once

#include <string>

#include "tests/signer/signer_fixture.h"
#include "tests/signer/xmlsigning_access.h"

class XmlSigningTest : public SignerTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the four steps as a signing call does, with "SIG" and "CERT" as the signer's answers;
    // document is replaced as the first step replaces it. Empty text when a step failed.
    std::u16string SignedDocument(std::u16string& document);

    signer::clsXMLsigning signing_;
    using Access = signer::clsXMLsigningTestAccess;
};

// What a verifier does: the document between "<XMLDigitalSignature>" and "<Signature ", less its
// CR LF pairs, in code page 1252 bytes, SHA-1, base64.
std::string DocumentInWrapper(const std::string& wrapper);
std::string DigestValueIn(const std::string& wrapper);
std::string VerifierDigest(const std::string& document);
std::string Utf8(std::u16string_view text);
