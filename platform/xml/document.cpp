#include <libxml/parser.h>

#include <new>

#include "platform/text/codepage.h"
#include "platform/xml/dom_objects.h"
#include "platform/xml/safe_parse.h"
#include "platform/xml/serialize.h"
#include "platform/xml/utf.h"

namespace xmldom {

namespace {

// The most characters a BSTR can carry (its byte length is a 32-bit count).
constexpr size_t kMaxBstrLength = 0x7FFFFFFF;

}  // namespace

Document::Document() : tree_(std::make_shared<Tree>()) {}

HRESULT Document::get_xml(BSTR* xml) {
    if (xml == nullptr) return E_POINTER;
    *xml = nullptr;
    try {
        std::optional<std::u16string> text = Serialize(*tree_);
        if (!text) return E_FAIL;
        if (text->size() > kMaxBstrLength) return E_OUTOFMEMORY;
        *xml = SysAllocStringLen(text->data(), static_cast<UINT>(text->size()));
        return *xml != nullptr ? S_OK : E_OUTOFMEMORY;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT Document::get_documentElement(IXMLDOMElement** element) {
    if (element == nullptr) return E_POINTER;
    *element = nullptr;
    try {
        xmlNode* root = tree_->doc ? xmlDocGetRootElement(tree_->doc.get()) : nullptr;
        if (root == nullptr) return S_FALSE;
        return com::CreateObject<Element>(IID_IXMLDOMElement, reinterpret_cast<void**>(element), tree_, root);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT Document::createAttribute(BSTR name, IXMLDOMAttribute** attribute) {
    if (attribute == nullptr) return E_POINTER;
    *attribute = nullptr;
    try {
        std::optional<std::string> utf8 = Utf8Of(text::View(name));
        if (!utf8 || utf8->empty() || utf8->find('\0') != std::string::npos ||
            xmlValidateName(reinterpret_cast<const xmlChar*>(utf8->c_str()), 0) != 0)
            return E_INVALIDARG;
        // A node of no tree: its names are its own, not a dictionary's.
        xmlAttr* node = xmlNewDocProp(nullptr, reinterpret_cast<const xmlChar*>(utf8->c_str()), nullptr);
        if (node == nullptr) return E_OUTOFMEMORY;
        auto* created = new (std::nothrow) Attribute(node, nullptr);
        if (created == nullptr) {
            xmlFreeProp(node);
            return E_OUTOFMEMORY;
        }
        created->AddRef();
        HRESULT hr = created->QueryInterface(IID_IXMLDOMAttribute, reinterpret_cast<void**>(attribute));
        created->Release();
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT Document::loadXML(BSTR text, VARIANT_BOOL* isSuccessful) {
    if (isSuccessful != nullptr) *isSuccessful = VARIANT_FALSE;
    try {
        // Whatever the outcome, the old tree is gone from the document (nodes taken from it keep
        // it alive); a text that does not parse leaves the document empty.
        tree_ = std::make_shared<Tree>();
        TreePtr parsed = ParseSafely(text::View(text));
        if (!parsed) return S_FALSE;
        tree_ = std::move(parsed);
        if (isSuccessful != nullptr) *isSuccessful = VARIANT_TRUE;
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace xmldom
