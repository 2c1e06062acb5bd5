// The libxml2 tree a DOM document stands on. Internal to the DOM: only platform/xml includes it.
#pragma once

#include <libxml/tree.h>

#include <memory>
#include <string>

namespace xmldom {

struct XmlDocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocFree>;

// One parsed text. The document and every node object taken from it share the tree, so a node
// stays valid after its document has loaded another text, and a node taken off the tree can
// still free names that live in the tree's dictionary.
struct Tree {
    XmlDocPtr doc;                // null for an empty document
    std::u16string declaration;  // the source's XML declaration as written; empty when it had none
};
using TreePtr = std::shared_ptr<Tree>;

}  // namespace xmldom
