// The pieces of the signed document: Reference, SignedInfo, Signature and the wrapper.
#include "platform/runtime/error.h"
#include "signer/clsXMLsigning.h"
#include "signer/globals.h"
#include "signer/modGeneral.h"
#include "signer/status_codes.h"
#include "signer/text_join.h"
#include "signer/xml_signature_ns.h"

namespace signer {

std::u16string clsXMLsigning::ReferenceElement(std::u16string_view digestValue) const {
    return JoinTexts({u"<Reference URI=\"", strReferenceId, u"\">", u"<DigestMethod Algorithm=\"",
                      kXmlSignatureNamespace, strDigestAlg, u"\"></DigestMethod>", u"<DigestValue>", digestValue,
                      u"</DigestValue>", u"</Reference>"});
}

std::u16string clsXMLsigning::CreateSignedInfoElement(std::u16string_view reference) const {
    return JoinTexts({u"<SignedInfo><SignatureMethod Algorithm=\"", kXmlSignatureNamespace, strSignAlg,
                      u"\"></SignatureMethod>", reference, u"</SignedInfo>"});
}

std::u16string clsXMLsigning::createSignatureElement(std::u16string_view signedInfo, std::u16string_view signValue,
                                                     std::u16string_view certificate) const {
    return JoinTexts({u"<Signature xmlns=\"", kXmlSignatureNamespace, u"\">", signedInfo, u"<SignatureValue>",
                      signValue, u"</SignatureValue>", u"<KeyInfo><X509Data><X509Certificate>", certificate,
                      u"</X509Certificate></X509Data></KeyInfo>", u"</Signature>"});
}

std::u16string clsXMLsigning::XMLSignDocument(std::u16string_view document, std::u16string_view signature) {
    try {
        return JoinTexts({u"<XMLDigitalSignature>", document, signature, u"</XMLDigitalSignature>"});
    } catch (...) {
        runtime::Error error = runtime::CurrentError();
        glngErrorNumber = signer_status::kStepFailed;
        modGeneral::LogError(glngErrorNumber, error.Description());
        return {};
    }
}

}  // namespace signer
