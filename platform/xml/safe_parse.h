// Parsing a text into a tree, safely: nothing is fetched from the network, no external entity or
// external DTD is read, entity expansion stays bounded (libxml2's own guard), and a document
// that would need anything that is never loaded, or that breaks the namespace rules, is refused
// like one that is not well-formed.
#pragma once

#include <string_view>

#include "platform/xml/tree.h"

namespace xmldom {

// The tree, or null when the text does not parse or is refused.
TreePtr ParseSafely(std::u16string_view text);

}  // namespace xmldom
