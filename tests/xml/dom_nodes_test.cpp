// Attributes and elements as objects: replacement, ownership, and nodes that outlive a reload.
#include <gtest/gtest.h>

#include "tests/xml/dom_fixture.h"

namespace {

using DomNodes = DomTest;

TEST_F(DomNodes, ReplacedAttributeComesBackWithItsValue) {
    com::ComPtr<IXMLDOMDocument> doc = NewDocument();
    ASSERT_TRUE(Load(doc.get(), std::string("<doc Id='parsed'/>")));
    com::ComPtr<IXMLDOMElement> root = Root(doc.get());
    com::ComPtr<IXMLDOMAttribute> first = NewAttribute(doc.get(), "Id", "first");
    com::ComPtr<IXMLDOMAttribute> second = NewAttribute(doc.get(), "Id", "second");

    com::ComPtr<IXMLDOMAttribute> replaced;
    ASSERT_EQ(root->setAttributeNode(first.get(), replaced.put()), S_OK);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(ValueOf(replaced.get()), "parsed");

    ASSERT_EQ(root->setAttributeNode(second.get(), replaced.put()), S_OK);
    EXPECT_EQ(replaced.get(), first.get());  // the same object, now on no element
    EXPECT_EQ(Xml(doc.get()), "<doc Id=\"second\"/>");

    // The taken-off attribute can go back on its own document's element.
    com::ComPtr<IXMLDOMAttribute> again;
    ASSERT_EQ(root->setAttributeNode(first.get(), again.put()), S_OK);
    EXPECT_EQ(again.get(), second.get());
    EXPECT_EQ(Xml(doc.get()), "<doc Id=\"first\"/>");
}

TEST_F(DomNodes, AttributeInUseIsRefusedElsewhere) {
    com::ComPtr<IXMLDOMDocument> one = NewDocument();
    com::ComPtr<IXMLDOMDocument> two = NewDocument();
    ASSERT_TRUE(Load(one.get(), std::string("<one Id='x'/>")));
    ASSERT_TRUE(Load(two.get(), std::string("<two/>")));
    com::ComPtr<IXMLDOMAttribute> attribute = NewAttribute(one.get(), "Id", "v");
    ASSERT_EQ(Root(one.get())->setAttributeNode(attribute.get(), nullptr), S_OK);

    EXPECT_EQ(Root(one.get())->setAttributeNode(attribute.get(), nullptr), S_OK);  // already there
    EXPECT_EQ(Root(two.get())->setAttributeNode(attribute.get(), nullptr), E_INVALIDARG);
    EXPECT_EQ(Root(two.get())->setAttributeNode(nullptr, nullptr), E_INVALIDARG);

    // A node taken off one document's tree does not move into another's.
    com::ComPtr<IXMLDOMAttribute> replaced;
    ASSERT_EQ(Root(one.get())->setAttributeNode(NewAttribute(one.get(), "Id", "w").get(), replaced.put()), S_OK);
    EXPECT_EQ(Root(two.get())->setAttributeNode(replaced.get(), nullptr), E_INVALIDARG);
    EXPECT_EQ(Xml(one.get()), "<one Id=\"w\"/>");
    EXPECT_EQ(Xml(two.get()), "<two/>");
}

TEST_F(DomNodes, NodesOutliveTheirDocumentsText) {
    com::ComPtr<IXMLDOMDocument> doc = NewDocument();
    ASSERT_TRUE(Load(doc.get(), std::string("<old Id='1'/>")));
    com::ComPtr<IXMLDOMElement> oldRoot = Root(doc.get());
    ASSERT_TRUE(Load(doc.get(), std::string("<new/>")));

    com::ComPtr<IXMLDOMAttribute> replaced;
    EXPECT_EQ(oldRoot->setAttributeNode(NewAttribute(doc.get(), "Id", "2").get(), replaced.put()), S_OK);
    EXPECT_EQ(ValueOf(replaced.get()), "1");
    EXPECT_EQ(Xml(doc.get()), "<new/>");
    doc = nullptr;  // the old tree goes with the last node that holds it
    EXPECT_EQ(ValueOf(replaced.get()), "1");
}

TEST_F(DomNodes, DocumentAnswersOnlyItsInterfaces) {
    com::ComPtr<IXMLDOMDocument> doc = NewDocument();
    com::ComPtr<IXMLDOMElement> element;
    EXPECT_EQ(doc.As(IID_IXMLDOMElement, element.put()), E_NOINTERFACE);
    com::ComPtr<IDispatch> dispatch;
    EXPECT_EQ(doc.As(IID_IDispatch, dispatch.put()), S_OK);
    UINT count = 1;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
}

}  // namespace
