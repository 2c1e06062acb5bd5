// Loading, serializing and putting an attribute on the root element.
#include <gtest/gtest.h>

#include "tests/xml/dom_fixture.h"

namespace {

using DomDocument = DomTest;

TEST_F(DomDocument, SerializationKeepsThePrologAndAddsNoDeclaration) {
    struct Case {
        const char* name;
        const char* source;
        const char* expected;  // after Id="7" was put on the root element
    };
    const Case cases[] = {
        {"plain document", "<doc a='1'>text</doc>", "<doc a=\"1\" Id=\"7\">text</doc>"},
        {"declaration as written", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone='yes'?>\n<doc/>",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone='yes'?>\r\n<doc Id=\"7\"/>"},
        {"PI, DOCTYPE, comment",
         "<?xml-stylesheet href=\"s.xsl\"?><!DOCTYPE doc [<!ENTITY e \"x\">]><!-- c --><doc>&e;</doc>",
         "<?xml-stylesheet href=\"s.xsl\"?>\r\n<!DOCTYPE doc [\n<!ENTITY e \"x\">\n]>\r\n<!-- c -->\r\n"
         "<doc Id=\"7\">&e;</doc>"},
        {"byte order mark", "\xEF\xBB\xBF<doc/>", "<doc Id=\"7\"/>"},
        {"line ends", "<doc>\r\n<a>x&#13;y</a>\r</doc>", "<doc Id=\"7\">\n<a>x&#13;y</a>\n</doc>"},
        {"Id replaced in place", "<doc x='1' Id='old' y='2'/>", "<doc x=\"1\" Id=\"7\" y=\"2\"/>"},
        {"prefixed Id stays", "<p:doc xmlns:p='urn:p' p:Id='keep'/>",
         "<p:doc xmlns:p=\"urn:p\" p:Id=\"keep\" Id=\"7\"/>"},
        {"default namespace", "<doc xmlns='urn:d'><a/></doc>", "<doc xmlns=\"urn:d\" Id=\"7\"><a/></doc>"},
        {"characters", "<doc>\xC3\xA9 &lt; \xE6\x97\xA5 <![CDATA[<x>]]></doc>",
         "<doc Id=\"7\">\xC3\xA9 &lt; \xE6\x97\xA5 <![CDATA[<x>]]></doc>"},
    };
    for (const Case& c : cases) EXPECT_EQ(XmlWithAttribute(c.source, "Id", "7"), c.expected) << c.name;
}

TEST_F(DomDocument, TextsThatDoNotParseLeaveAnEmptyDocument) {
    struct Case {
        const char* name;
        std::u16string text;
    };
    const Case cases[] = {
        {"empty", u""},
        {"no markup", u"plain"},
        {"unclosed", u"<doc>"},
        {"mismatched", u"<a></b>"},
        {"two roots", u"<a/><b/>"},
        {"blank before the declaration", u" <?xml version=\"1.0\"?><a/>"},
        {"undeclared entity", u"<a>&u;</a>"},
        {"unknown encoding named", u"<?xml version=\"1.0\" encoding=\"bogus\"?><a/>"},
        {"unpaired surrogate", std::u16string(u"<a>") + char16_t(0xD800) + u"</a>"},
        {"NUL character", std::u16string(u"<a>x", 4) + char16_t(0) + u"</a>"},
        {"undeclared element prefix", u"<p:a/>"},
        {"undeclared attribute prefix", u"<a p:x='1'/>"},
        {"prefix bound to nothing", u"<a xmlns:p=''/>"},
        {"one attribute under two prefixes", u"<a xmlns:p='u' xmlns:q='u' p:x='1' q:x='2'/>"},
    };
    for (const Case& c : cases) {
        com::ComPtr<IXMLDOMDocument> doc = NewDocument();
        ASSERT_TRUE(Load(doc.get(), std::string("<before/>")));
        EXPECT_FALSE(Load(doc.get(), c.text)) << c.name;
        com::ComPtr<IXMLDOMElement> root;
        EXPECT_EQ(doc->get_documentElement(root.put()), S_FALSE) << c.name;
        EXPECT_FALSE(root) << c.name;
        EXPECT_EQ(Xml(doc.get()), "") << c.name;
    }
}

TEST_F(DomDocument, AttributeValueIsPlainText) {
    com::ComPtr<IXMLDOMDocument> doc = NewDocument();
    com::ComPtr<IXMLDOMAttribute> attribute = NewAttribute(doc.get(), "Id", "a<&\"'b &e;");
    EXPECT_EQ(ValueOf(attribute.get()), "a<&\"'b &e;");
    ASSERT_TRUE(Load(doc.get(), std::string("<doc/>")));
    ASSERT_EQ(Root(doc.get())->setAttributeNode(attribute.get(), nullptr), S_OK);
    EXPECT_EQ(Xml(doc.get()), "<doc Id=\"a&lt;&amp;&quot;'b &amp;e;\"/>");

    // A number converts to its text; text an XML document cannot hold is refused.
    VARIANT number;
    VariantInit(&number);
    number.vt = VT_I4;
    number.lVal = 42;
    EXPECT_EQ(attribute->put_value(number), S_OK);
    EXPECT_EQ(ValueOf(attribute.get()), "42");
    EXPECT_EQ(Xml(doc.get()), "<doc Id=\"42\"/>");
    for (std::u16string bad : {std::u16string(1, char16_t(0)), std::u16string(u"\x01"), std::u16string(1, char16_t(0xDC00))}) {
        com::BStr text(bad);
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = text.get();
        EXPECT_EQ(attribute->put_value(v), E_INVALIDARG);
    }
    EXPECT_EQ(ValueOf(attribute.get()), "42");
}

TEST_F(DomDocument, AttributeNamesMustBeXmlNames) {
    com::ComPtr<IXMLDOMDocument> doc = NewDocument();
    for (const char* name : {"", "1a", "a b", "a<", "-a"}) {
        com::ComPtr<IXMLDOMAttribute> attribute;
        EXPECT_EQ(doc->createAttribute(com::BStr::FromUtf8(name).get(), attribute.put()), E_INVALIDARG) << name;
        EXPECT_FALSE(attribute) << name;
    }
}

TEST_F(DomDocument, EmptyDocumentHasNoRootAndNoText) {
    com::ComPtr<IXMLDOMDocument> doc = NewDocument();
    com::ComPtr<IXMLDOMElement> root;
    EXPECT_EQ(doc->get_documentElement(root.put()), S_FALSE);
    EXPECT_FALSE(root);
    EXPECT_EQ(Xml(doc.get()), "");
}

}  // namespace
