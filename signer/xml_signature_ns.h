// The namespace name of the XML-Signature recommendation (2000/09). It prefixes the digest and
// signature algorithm names and is the default namespace of the Signature element.
#pragma once

#include <string_view>

namespace signer {

inline constexpr std::u16string_view kXmlSignatureNamespace = u"http://www.w3.org/2000/09/xmldsig#";

}  // namespace signer
