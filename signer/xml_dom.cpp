#include "signer/xml_dom.h"

#include <string>

#include "platform/com/creation.h"
#include "platform/com/hresult_text.h"
#include "platform/runtime/error.h"
#include "platform/text/codepage.h"

namespace signer {

namespace {

constexpr LONG kErrObjectNotSet = 91;
constexpr char16_t kObjectNotSetText[] = u"Object variable or With block variable not set";

[[noreturn]] void RaiseResult(HRESULT hr, const std::string& detail) {
    std::string description = com::DescribeHResult(hr);
    if (!detail.empty()) description += " (" + detail + ")";
    runtime::Raise(hr, text::FromUtf8(description));
}

}  // namespace

com::ComPtr<IXMLDOMDocument> NewDomDocument() {
    com::ComPtr<IXMLDOMDocument> document;
    HRESULT hr = CoCreateInstance(MakeGuid(kDomDocumentClsid), nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IXMLDOMDocument, document.put_void());
    if (FAILED(hr)) RaiseResult(hr, com::LastCreationError());
    return document;
}

void CheckDom(HRESULT hr) {
    if (FAILED(hr)) RaiseResult(hr, {});
}

com::ComPtr<IXMLDOMElement> RootElementOf(IXMLDOMDocument* document) {
    com::ComPtr<IXMLDOMElement> root;
    CheckDom(document->get_documentElement(root.put()));
    if (!root) runtime::Raise(kErrObjectNotSet, kObjectNotSetText);
    return root;
}

}  // namespace signer
