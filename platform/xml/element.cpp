#include <libxml/tree.h>

#include <cstring>
#include <new>

#include "platform/com/com_ptr.h"
#include "platform/xml/dom_objects.h"

namespace xmldom {

namespace {

// The attribute of the element whose qualified name (prefix:name, or name) is qualified.
xmlAttr* FindByQualifiedName(xmlNode* element, const xmlChar* qualified) {
    const char* wanted = reinterpret_cast<const char*>(qualified);
    for (xmlAttr* attr = element->properties; attr != nullptr; attr = attr->next) {
        const char* name = reinterpret_cast<const char*>(attr->name);
        if (attr->ns == nullptr || attr->ns->prefix == nullptr) {
            if (std::strcmp(name, wanted) == 0) return attr;
            continue;
        }
        const char* prefix = reinterpret_cast<const char*>(attr->ns->prefix);
        size_t length = std::strlen(prefix);
        if (std::strncmp(wanted, prefix, length) == 0 && wanted[length] == ':' &&
            std::strcmp(wanted + length + 1, name) == 0)
            return attr;
    }
    return nullptr;
}

// The object that owns a node once it is taken off its element: the node's own object when it
// has one, otherwise a new one (null when that cannot be made).
com::ComPtr<Attribute> OwnerOf(xmlAttr* node, const TreePtr& tree) {
    if (node->_private != nullptr) return com::ComPtr<Attribute>(static_cast<Attribute*>(node->_private));
    auto* made = new (std::nothrow) Attribute(nullptr, tree);
    return made != nullptr ? com::ComPtr<Attribute>(made) : com::ComPtr<Attribute>();
}

}  // namespace

HRESULT Element::setAttributeNode(IXMLDOMAttribute* attribute, IXMLDOMAttribute** replaced) {
    if (replaced != nullptr) *replaced = nullptr;
    try {
        Attribute* attr = Attribute::From(attribute);
        if (attr == nullptr) return E_INVALIDARG;
        xmlAttr* node = attr->Node();
        if (attr->Attached()) return node->parent == node_ ? S_OK : E_INVALIDARG;
        // A node taken off another tree may hold names of that tree's dictionary, which this
        // tree would free as its own.
        if (attr->Origin() && attr->Origin() != tree_) return E_INVALIDARG;

        xmlAttr* old = FindByQualifiedName(node_, node->name);
        // The object that will own the replaced node, made before the tree changes so that
        // nothing can fail half-way.
        com::ComPtr<Attribute> oldOwner = old != nullptr ? OwnerOf(old, tree_) : com::ComPtr<Attribute>();
        if (old != nullptr && !oldOwner) return E_OUTOFMEMORY;

        if (old != nullptr) {
            xmlReplaceNode(reinterpret_cast<xmlNode*>(old), reinterpret_cast<xmlNode*>(node));
        } else if (xmlAddChild(node_, reinterpret_cast<xmlNode*>(node)) == nullptr) {
            return E_FAIL;
        }
        attr->AttachTo(tree_);

        if (oldOwner) {
            old->_private = nullptr;
            if (oldOwner->Node() == nullptr)
                oldOwner->Adopt(old);
            else
                oldOwner->Detach();
            if (replaced != nullptr) *replaced = oldOwner.Detach();
        }
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace xmldom
