// The DOM's COM objects: the document, its elements and attributes. Internal to the DOM.
#pragma once

#include "platform/com/object.h"
#include "platform/xml/dom_interfaces.h"
#include "platform/xml/tree.h"

namespace xmldom {

// Reference counting (com::Object counts live objects for the unload test), and interface look-up
// for one DOM interface. The DOM is used through its interfaces only, so IDispatch knows no names.
template <class Itf, const IID& kIid>
class DomObject : public com::Object<Itf> {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        return com::QueryFrom(iid, object, {{kIid, this}, {IID_IDispatch, this}});
    }
    HRESULT GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) override {
        for (UINT k = 0; ids != nullptr && k < count; ++k) ids[k] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }
};

class Document final : public DomObject<IXMLDOMDocument, IID_IXMLDOMDocument> {
public:
    Document();
    HRESULT get_xml(BSTR* xml) override;
    HRESULT get_documentElement(IXMLDOMElement** element) override;
    HRESULT createAttribute(BSTR name, IXMLDOMAttribute** attribute) override;
    HRESULT loadXML(BSTR text, VARIANT_BOOL* isSuccessful) override;

private:
    TreePtr tree_;
};

class Element final : public DomObject<IXMLDOMElement, IID_IXMLDOMElement> {
public:
    Element(TreePtr tree, xmlNode* node) : tree_(std::move(tree)), node_(node) {}
    HRESULT setAttributeNode(IXMLDOMAttribute* attribute, IXMLDOMAttribute** replaced) override;

private:
    TreePtr tree_;
    xmlNode* node_;
};

// An attribute node. While it belongs to no element the object owns the node; while it is
// attached the tree owns it and the node points back at the object (_private), so that the
// object takes the node back when another attribute replaces it.
class Attribute final : public DomObject<IXMLDOMAttribute, IID_IXMLDOMAttribute> {
public:
    // Owns node (which may be null until Adopt); tree is the tree whose dictionary the node's
    // names may come from, or null for a node made outside any tree.
    Attribute(xmlAttr* node, TreePtr tree) : node_(node), tree_(std::move(tree)) {}

    HRESULT get_value(VARIANT* value) override;
    HRESULT put_value(VARIANT value) override;

    // Our own attribute behind an interface pointer; null for null or another implementation.
    static Attribute* From(IXMLDOMAttribute* attribute);
    xmlAttr* Node() const { return node_; }
    bool Attached() const { return attached_; }
    // The tree the node came from; null for a node made by createAttribute.
    const TreePtr& Origin() const { return tree_; }
    // The node now belongs to an element of tree.
    void AttachTo(TreePtr tree);
    // The node was taken off its element and belongs to this object again.
    void Detach() { attached_ = false; }
    // Takes ownership of a node taken off tree_, for an object made empty.
    void Adopt(xmlAttr* node) { node_ = node; }

private:
    ~Attribute() override;

    xmlAttr* node_;
    TreePtr tree_;
    bool attached_ = false;
};

}  // namespace xmldom
