// CreateRefernceElement: the Id on the document, its serialization and the Reference element.
#include "platform/com/com_ptr.h"
#include "platform/runtime/error.h"
#include "signer/clsCryptoAPI.h"
#include "signer/clsXMLsigning.h"
#include "signer/globals.h"
#include "signer/modGeneral.h"
#include "signer/reference_parts.h"
#include "signer/status_codes.h"
#include "signer/xml_dom.h"

namespace signer {

namespace {

constexpr char16_t kIdAttributeName[] = u"Id";

// The digest session of one call: once started, it is ended on every way out.
class DigestSession {
public:
    explicit DigestSession(clsCryptoAPI& crypto) : crypto_(crypto) {}
    ~DigestSession() {
        try {
            End();
        } catch (...) {
            // Releasing a context reports nothing the caller could act on.
        }
    }
    DigestSession(const DigestSession&) = delete;
    DigestSession& operator=(const DigestSession&) = delete;

    // Empty names select the default provider and key container.
    bool Start() { return started_ = crypto_.SessionStart(u"", u""); }
    void End() {
        if (started_) {
            started_ = false;
            crypto_.SessionEnd();
        }
    }

private:
    clsCryptoAPI& crypto_;
    bool started_ = false;
};

// Puts Id = id on the root element of text and returns the document's serialization. The DOM
// objects live only for this call.
std::u16string SerializeWithId(std::u16string_view text, std::u16string_view id) {
    com::ComPtr<IXMLDOMDocument> dom = NewDomDocument();
    com::ComPtr<IXMLDOMAttribute> attribute;
    CheckDom(dom->createAttribute(com::BStr(kIdAttributeName).get(), attribute.put()));
    VARIANT value;
    VariantInit(&value);
    com::BStr idText(id);
    value.vt = VT_BSTR;
    value.bstrVal = idText.get();  // borrowed: put_value copies it
    CheckDom(attribute->put_value(value));
    // The caller has established that the text parses; a text that does not leaves the
    // document without a root element, which the next step reports.
    VARIANT_BOOL loaded = VARIANT_FALSE;
    CheckDom(dom->loadXML(com::BStr(text).get(), &loaded));
    com::ComPtr<IXMLDOMAttribute> replaced;
    CheckDom(RootElementOf(dom.get())->setAttributeNode(attribute.get(), replaced.put()));
    com::BStr xml;
    CheckDom(dom->get_xml(xml.put()));
    return std::u16string(xml.view());
}

}  // namespace

std::u16string clsXMLsigning::CreateRefernceElement(std::u16string& document) {
    clsCryptoAPI crypto;
    DigestSession session(crypto);
    try {
        strReferenceId = NewReferenceId();
        document = SerializeWithId(document, strReferenceId);
        const std::u16string digestInput = WithoutCrLfPairs(document);
        if (!session.Start()) return {};  // 901 is set
        const std::u16string digest = crypto.GetHash(digestInput);
        if (digest.empty()) return {};  // 902 or 903 is set; the session ends on the way out
        session.End();
        return ReferenceElement(digest);
    } catch (...) {
        runtime::Error error = runtime::CurrentError();
        session.End();
        glngErrorNumber = signer_status::kStepFailed;
        modGeneral::LogError(glngErrorNumber, error.Description());
        return {};
    }
}

}  // namespace signer
