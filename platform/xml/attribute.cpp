#include <libxml/tree.h>

#include <new>

#include "platform/com/com_ptr.h"
#include "platform/text/codepage.h"
#include "platform/xml/dom_objects.h"
#include "platform/xml/utf.h"

namespace xmldom {

namespace {

struct XmlCharFree {
    void operator()(xmlChar* text) const { xmlFree(text); }
};

}  // namespace

Attribute::~Attribute() {
    if (attached_)
        node_->_private = nullptr;  // the tree keeps the node
    else if (node_ != nullptr)
        xmlFreeProp(node_);  // before tree_ goes: the names may live in its dictionary
}

Attribute* Attribute::From(IXMLDOMAttribute* attribute) { return dynamic_cast<Attribute*>(attribute); }

void Attribute::AttachTo(TreePtr tree) {
    tree_ = std::move(tree);
    attached_ = true;
    node_->_private = this;
}

HRESULT Attribute::get_value(VARIANT* value) {
    if (value == nullptr) return E_POINTER;
    VariantInit(value);
    try {
        std::unique_ptr<xmlChar, XmlCharFree> content(xmlNodeGetContent(reinterpret_cast<xmlNode*>(node_)));
        std::string_view utf8 = content ? reinterpret_cast<const char*>(content.get()) : "";
        std::optional<std::u16string> text = Utf16Of(utf8);
        if (!text) return E_FAIL;
        com::BStr bstr(*text);
        if (bstr.get() == nullptr && !text->empty()) return E_OUTOFMEMORY;
        value->vt = VT_BSTR;
        value->bstrVal = bstr.release();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT Attribute::put_value(VARIANT value) {
    try {
        VARIANT converted;
        VariantInit(&converted);
        HRESULT hr = VariantChangeType(&converted, &value, 0, VT_BSTR);
        if (FAILED(hr)) return hr;
        com::BStr text = com::BStr::Adopt(converted.bstrVal);
        if (!IsXmlText(text.view())) return E_INVALIDARG;
        std::optional<std::string> utf8 = Utf8Of(text.view());
        if (!utf8) return E_INVALIDARG;
        // The value is plain text: one text node, so "&" stays a character, not an entity.
        xmlNode* child = xmlNewDocText(node_->doc, reinterpret_cast<const xmlChar*>(utf8->c_str()));
        if (child == nullptr) return E_OUTOFMEMORY;
        xmlFreeNodeList(node_->children);
        child->parent = reinterpret_cast<xmlNode*>(node_);
        node_->children = node_->last = child;
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace xmldom
