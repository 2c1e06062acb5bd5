// clsXMLsigning, the component's public class: it signs an XML document and returns the
// XMLDigitalSignature wrapper that holds the document and its Signature element. The steps
// below build that wrapper from fixed pieces of text, without canonicalization.
#pragma once

#include <string>
#include <string_view>

namespace signer {

class clsXMLsigning {
public:
    clsXMLsigning() = default;
    clsXMLsigning(const clsXMLsigning&) = delete;
    clsXMLsigning& operator=(const clsXMLsigning&) = delete;

private:
    friend class clsXMLsigningTestAccess;

    // Puts Id = strReferenceId, a fresh "#" + 7 or 8 digits, on the document's root element,
    // replaces document with the DOM's serialization, and returns the Reference element whose
    // DigestValue is the base64 SHA-1 of that serialization less its CR LF pairs. Empty text on
    // failure: the digest helper's 901, 902 or 903, or 909 with an error-log line for an error
    // inside the step (document is then replaced only if the serialization was read).
    std::u16string CreateRefernceElement(std::u16string& document);
    // The Reference element for strReferenceId and strDigestAlg with the given digest value.
    std::u16string ReferenceElement(std::u16string_view digestValue) const;
    // SignedInfo around the Reference: the text that is signed.
    std::u16string CreateSignedInfoElement(std::u16string_view reference) const;
    // The Signature element; the signature and certificate texts go in unchanged.
    std::u16string createSignatureElement(std::u16string_view signedInfo, std::u16string_view signValue,
                                          std::u16string_view certificate) const;
    // The XMLDigitalSignature wrapper; empty text and 909 with an error-log line on failure.
    std::u16string XMLSignDocument(std::u16string_view document, std::u16string_view signature);

    std::u16string strDigestAlg;    // "sha1" during a signing call
    std::u16string strSignAlg;      // "rsa-sha1" during a signing call
    std::u16string strReferenceId;  // the Id text of the current call
};

}  // namespace signer
