// The XML DOM as this system uses it: a document that parses a text, hands out its root element,
// makes attributes, and serializes itself. Each interface is a struct of pure virtuals after
// IDispatch and holds only the members the system calls, in the order documents, elements and
// attributes are usually listed (the node members first).
//
// Result conventions: S_OK on success; get_documentElement gives S_FALSE and a null element when
// the document has none; loadXML gives S_FALSE and *isSuccessful = VARIANT_FALSE when the text
// does not parse (the document is then empty). Strings are BSTRs the caller owns.
#pragma once

#include "platform/com/interfaces.h"
#include "platform/com/types.h"

struct IXMLDOMAttribute : IDispatch {
    // The attribute's text; a VT_BSTR the caller clears.
    virtual HRESULT get_value(VARIANT* value) = 0;
    // Anything that converts to text; the text is stored literally ("&" is not an entity).
    virtual HRESULT put_value(VARIANT value) = 0;
};

struct IXMLDOMElement : IDispatch {
    // Attaches the attribute to this element. An attribute of the same name is taken off and
    // handed back through *replaced (null when there was none; replaced itself may be null).
    // An attribute that belongs to another element, or was taken off an element of another
    // document, is refused (E_INVALIDARG).
    virtual HRESULT setAttributeNode(IXMLDOMAttribute* attribute, IXMLDOMAttribute** replaced) = 0;
};

struct IXMLDOMDocument : IDispatch {
    // The serialization of the whole document (empty for an empty document).
    virtual HRESULT get_xml(BSTR* xml) = 0;
    virtual HRESULT get_documentElement(IXMLDOMElement** element) = 0;
    // A new attribute that belongs to no element yet; E_INVALIDARG for a name that is not an
    // XML name.
    virtual HRESULT createAttribute(BSTR name, IXMLDOMAttribute** attribute) = 0;
    virtual HRESULT loadXML(BSTR text, VARIANT_BOOL* isSuccessful) = 0;
};

extern const IID IID_IXMLDOMDocument;
extern const IID IID_IXMLDOMElement;
extern const IID IID_IXMLDOMAttribute;

// The version-independent DOM document class.
inline constexpr char kDomDocumentClsid[] = "{2933BF90-7B36-11D2-B20E-00C04F983E60}";
inline constexpr char kDomDocumentProgId[] = "Msxml2.DOMDocument";
