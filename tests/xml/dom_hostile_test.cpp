// Documents that try to read files or exhaust memory.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>

#include "tests/xml/dom_fixture.h"

namespace {

using DomHostile = DomTest;

constexpr char kMarker[] = "SECRET-FILE-CONTENT";

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::string BillionLaughs() {
    std::string dtd = "<!ENTITY lol0 \"lol\">";
    for (int level = 1; level <= 9; ++level) {
        dtd += "<!ENTITY lol" + std::to_string(level) + " \"";
        for (int k = 0; k < 10; ++k) dtd += "&lol" + std::to_string(level - 1) + ";";
        dtd += "\">";
    }
    return "<?xml version=\"1.0\"?><!DOCTYPE lolz [" + dtd + "]><lolz>&lol9;</lolz>";
}

TEST_F(DomHostile, NothingOutsideTheTextIsRead) {
    testing_support::TempDir dir;
    const std::string file = "file://" + (dir.path() / "secret.txt").string();
    testing_support::WriteFile(dir.path() / "secret.txt", kMarker);
    const std::string external = "<!ENTITY x SYSTEM \"" + file + "\">";
    struct Case {
        const char* name;
        std::string text;
    };
    const Case refused[] = {
        {"external entity in content", "<!DOCTYPE a [" + external + "]><a>&x;</a>"},
        {"through an internal entity", "<!DOCTYPE a [" + external + "<!ENTITY i \"[&x;]\">]><a>&i;</a>"},
        {"in an attribute value", "<!DOCTYPE a [" + external + "]><a v='&x;'/>"},
        {"external parameter entity", "<!DOCTYPE a [<!ENTITY % p SYSTEM \"" + file + "\"> %p;]><a/>"},
        {"entity of an external DTD", "<!DOCTYPE a SYSTEM \"" + file + "\"><a>&u;</a>"},
    };
    for (const Case& c : refused) {
        com::ComPtr<IXMLDOMDocument> doc = NewDocument();
        EXPECT_FALSE(Load(doc.get(), c.text)) << c.name;
        EXPECT_EQ(Xml(doc.get()).find(kMarker), std::string::npos) << c.name;
    }
    // Declared but never used, an external entity is kept as a declaration and nothing more.
    com::ComPtr<IXMLDOMDocument> doc = NewDocument();
    ASSERT_TRUE(Load(doc.get(), "<!DOCTYPE a [" + external + "]><a/>"));
    EXPECT_EQ(Xml(doc.get()), "<!DOCTYPE a [\n" + external + "\n]>\r\n<a/>");
}

TEST_F(DomHostile, BillionLaughsIsRejectedWithoutExhaustingMemory) {
    const long before = PeakRssKb();
    com::ComPtr<IXMLDOMDocument> doc = NewDocument();
    EXPECT_FALSE(Load(doc.get(), BillionLaughs()));
    EXPECT_LT(PeakRssKb() - before, 64 * 1024) << "peak resident set grew by more than 64 MB";
    EXPECT_EQ(Xml(doc.get()), "");
}

}  // namespace
