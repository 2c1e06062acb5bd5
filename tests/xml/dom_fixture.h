// A fresh registry with the DOM module registered, an initialised thread, and short ways to
// drive a DOM document with UTF-8 text.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/com/com_ptr.h"
#include "platform/xml/dom_interfaces.h"
#include "tests/support/temp_dir.h"

class DomTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static com::ComPtr<IXMLDOMDocument> NewDocument();
    // loadXML's Boolean; a failed call fails the test.
    static bool Load(IXMLDOMDocument* doc, const std::string& utf8);
    static bool Load(IXMLDOMDocument* doc, const std::u16string& text);
    static std::string Xml(IXMLDOMDocument* doc);
    static com::ComPtr<IXMLDOMAttribute> NewAttribute(IXMLDOMDocument* doc, const std::string& name,
                                                      const std::string& value);
    static std::string ValueOf(IXMLDOMAttribute* attribute);
    static com::ComPtr<IXMLDOMElement> Root(IXMLDOMDocument* doc);
    // Loads the text and puts name = value on its root element.
    static std::string XmlWithAttribute(const std::string& source, const std::string& name, const std::string& value);

    testing_support::ScopedPrefix prefix_;
};
