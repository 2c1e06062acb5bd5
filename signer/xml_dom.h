// The XML DOM as the component uses it. Each helper raises a run-time error (runtime::Error)
// where the DOM fails, for the trap of the step that called it.
#pragma once

#include "platform/com/com_ptr.h"
#include "platform/xml/dom_interfaces.h"

namespace signer {

// A new DOM document object through class creation; a failure raises the creation's result
// with its description and the reason creation gave.
com::ComPtr<IXMLDOMDocument> NewDomDocument();
// Raises a failed DOM result, with its description.
void CheckDom(HRESULT hr);
// The document's root element; a document without one raises 91 (object not set).
com::ComPtr<IXMLDOMElement> RootElementOf(IXMLDOMDocument* document);

}  // namespace signer
