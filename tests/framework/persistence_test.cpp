// Property exchange through a property bag: defaults for what a bag lacks or cannot convert,
// reset, and a save that cannot be written.
#include <gtest/gtest.h>

#include "platform/framework/prop_exchange.h"
#include "tests/framework/test_control.h"

namespace testing_support {
namespace {

com::ComPtr<framework::PropertyBag> NewBag() { return com::ComPtr<framework::PropertyBag>(new framework::PropertyBag); }

void Put(framework::PropertyBag* bag, const char16_t* name, VARIANT v) { ASSERT_EQ(bag->Write(name, &v), S_OK); }

VARIANT Long(LONG value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

// A bag that refuses every write.
class ReadOnlyBag final : public com::Object<IPropertyBag> {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override { return com::QueryFrom(iid, object, {{IID_IPropertyBag, this}}); }
    HRESULT Read(LPCOLESTR, VARIANT*, IErrorLog*) override { return E_INVALIDARG; }
    HRESULT Write(LPCOLESTR, VARIANT*) override { return E_ACCESSDENIED; }
};

TEST(PropertyExchange, LoadTakesStoredItemsAndDefaultsForMissingOrUnconvertibleOnes) {
    com::ComPtr<TestControl> control(new TestControl);
    control->Release();  // ComPtr holds the only reference now
    auto bag = NewBag();
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(u"wide");
    Put(bag.get(), u"width", text);  // names compare without regard to case
    VariantClear(&text);
    Put(bag.get(), u"_EXTENTX", Long(500));
    ASSERT_EQ(control->Load(bag.get(), nullptr), S_OK);
    EXPECT_EQ(control->width, 100);
    EXPECT_EQ(control->GetExtentHimetric().cx, 500);
    EXPECT_EQ(control->GetLoadedVersion(), TestControl::kVersion);

    Put(bag.get(), u"Width", Long(7));
    Put(bag.get(), u"_Version", Long(1));
    ASSERT_EQ(control->Load(bag.get(), nullptr), S_OK);
    EXPECT_EQ(control->width, 7);
    EXPECT_EQ(control->GetLoadedVersion(), 1u);

    ASSERT_EQ(control->InitNew(), S_OK);  // reset: every default again
    EXPECT_EQ(control->width, 100);
    EXPECT_EQ(control->GetLoadedVersion(), TestControl::kVersion);
}

TEST(PropertyExchange, ASaveThatCannotBeWrittenIsReported) {
    com::ComPtr<TestControl> control(new TestControl);
    control->Release();
    com::ComPtr<ReadOnlyBag> bag(new ReadOnlyBag);
    EXPECT_EQ(control->Save(bag.get(), TRUE, TRUE), E_FAIL);
    EXPECT_EQ(control->Load(nullptr, nullptr), E_POINTER);
}

}  // namespace
}  // namespace testing_support
