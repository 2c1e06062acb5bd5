#include "tests/xml/dom_fixture.h"

#include "platform/com/creation.h"
#include "platform/text/codepage.h"
#include "tests/support/com_registration.h"

void DomTest::SetUp() {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    testing_support::RegisterModule(XMLDOM_MODULE);
}

void DomTest::TearDown() { CoUninitialize(); }

com::ComPtr<IXMLDOMDocument> DomTest::NewDocument() {
    com::ComPtr<IXMLDOMDocument> doc;
    HRESULT hr = CoCreateInstance(MakeGuid(kDomDocumentClsid), nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                  doc.put_void());
    EXPECT_EQ(hr, S_OK) << com::LastCreationError();
    return doc;
}

bool DomTest::Load(IXMLDOMDocument* doc, const std::u16string& text) {
    com::BStr bstr(text);
    VARIANT_BOOL ok = VARIANT_TRUE;
    HRESULT hr = doc->loadXML(bstr.get(), &ok);
    EXPECT_EQ(hr, ok == VARIANT_TRUE ? S_OK : S_FALSE);
    return ok == VARIANT_TRUE;
}

bool DomTest::Load(IXMLDOMDocument* doc, const std::string& utf8) { return Load(doc, text::FromUtf8(utf8)); }

std::string DomTest::Xml(IXMLDOMDocument* doc) {
    com::BStr xml;
    EXPECT_EQ(doc->get_xml(xml.put()), S_OK);
    return xml.ToUtf8();
}

com::ComPtr<IXMLDOMAttribute> DomTest::NewAttribute(IXMLDOMDocument* doc, const std::string& name,
                                                   const std::string& value) {
    com::ComPtr<IXMLDOMAttribute> attribute;
    EXPECT_EQ(doc->createAttribute(com::BStr::FromUtf8(name).get(), attribute.put()), S_OK);
    com::BStr text = com::BStr::FromUtf8(value);
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = text.get();
    if (attribute) {
        EXPECT_EQ(attribute->put_value(v), S_OK);
    }
    return attribute;
}

std::string DomTest::ValueOf(IXMLDOMAttribute* attribute) {
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ(attribute->get_value(&v), S_OK);
    EXPECT_EQ(v.vt, VT_BSTR);
    com::BStr text = com::BStr::Adopt(v.bstrVal);
    return text.ToUtf8();
}

com::ComPtr<IXMLDOMElement> DomTest::Root(IXMLDOMDocument* doc) {
    com::ComPtr<IXMLDOMElement> root;
    EXPECT_EQ(doc->get_documentElement(root.put()), S_OK);
    return root;
}

std::string DomTest::XmlWithAttribute(const std::string& source, const std::string& name, const std::string& value) {
    com::ComPtr<IXMLDOMDocument> doc = NewDocument();
    com::ComPtr<IXMLDOMAttribute> attribute = NewAttribute(doc.get(), name, value);
    if (!Load(doc.get(), source)) return "(does not parse)";
    com::ComPtr<IXMLDOMElement> root = Root(doc.get());
    if (!root) return "(no root)";
    EXPECT_EQ(root->setAttributeNode(attribute.get(), nullptr), S_OK);
    return Xml(doc.get());
}
