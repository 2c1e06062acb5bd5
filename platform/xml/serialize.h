// The text of a whole tree: the source's XML declaration when it had one, then each top-level
// node (processing instructions, comments, the document type declaration with its internal
// subset, the root element) as libxml2 writes it, with CR LF between them.
#pragma once

#include <optional>
#include <string>

#include "platform/xml/tree.h"

namespace xmldom {

// Empty text for an empty document; nullopt when libxml2 fails to write the tree.
std::optional<std::u16string> Serialize(const Tree& tree);

}  // namespace xmldom
