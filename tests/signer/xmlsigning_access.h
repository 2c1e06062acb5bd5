// The tests' way into clsXMLsigning's steps and fields.
#pragma once

#include <string>
#include <string_view>

#include "signer/clsXMLsigning.h"

namespace signer {

class clsXMLsigningTestAccess {
public:
    // The algorithm names a signing call sets before the steps run.
    static void SetAlgorithms(clsXMLsigning& s) {
        s.strDigestAlg = u"sha1";
        s.strSignAlg = u"rsa-sha1";
    }
    static std::u16string& ReferenceId(clsXMLsigning& s) { return s.strReferenceId; }
    static std::u16string CreateRefernceElement(clsXMLsigning& s, std::u16string& document) {
        return s.CreateRefernceElement(document);
    }
    static std::u16string ReferenceElement(const clsXMLsigning& s, std::u16string_view digest) {
        return s.ReferenceElement(digest);
    }
    static std::u16string CreateSignedInfoElement(const clsXMLsigning& s, std::u16string_view reference) {
        return s.CreateSignedInfoElement(reference);
    }
    static std::u16string createSignatureElement(const clsXMLsigning& s, std::u16string_view signedInfo,
                                                 std::u16string_view signValue, std::u16string_view certificate) {
        return s.createSignatureElement(signedInfo, signValue, certificate);
    }
    static std::u16string XMLSignDocument(clsXMLsigning& s, std::u16string_view document,
                                          std::u16string_view signature) {
        return s.XMLSignDocument(document, signature);
    }
};

}  // namespace signer
