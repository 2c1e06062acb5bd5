#include <gtest/gtest.h>

#include <string>

#include "platform/com/com_ptr.h"
#include "platform/com/types.h"
#include "platform/com/variant_util.h"

namespace {

// Small owners so the table stays readable.
struct Var {
    VARIANT v;
    Var() { VariantInit(&v); }
    ~Var() { VariantClear(&v); }
    static Var I2(short x) { Var r; r.v.vt = VT_I2; r.v.iVal = x; return r; }
    static Var I4(LONG x) { Var r; r.v.vt = VT_I4; r.v.lVal = x; return r; }
    static Var R8(double x) { Var r; r.v.vt = VT_R8; r.v.dblVal = x; return r; }
    static Var Bool(bool x) { Var r; r.v.vt = VT_BOOL; r.v.boolVal = x ? VARIANT_TRUE : VARIANT_FALSE; return r; }
    static Var Str(std::u16string_view s) {
        Var r;
        r.v.vt = VT_BSTR;
        r.v.bstrVal = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
        return r;
    }
    static Var Empty() { return Var(); }
    static Var Null() { Var r; r.v.vt = VT_NULL; return r; }
    Var(Var&& o) noexcept : v(o.v) { VariantInit(&o.v); }
};

// The converted value as text, whatever its type, for comparing in one column.
std::string Show(const VARIANT& v) {
    switch (v.vt) {
        case VT_EMPTY: return "empty";
        case VT_I2: return "I2:" + std::to_string(v.iVal);
        case VT_I4: return "I4:" + std::to_string(v.lVal);
        case VT_UI1: return "UI1:" + std::to_string(v.bVal);
        case VT_BOOL: return "BOOL:" + std::to_string(v.boolVal);
        case VT_R8: {
            char b[40];
            std::snprintf(b, sizeof b, "R8:%g", v.dblVal);
            return b;
        }
        case VT_BSTR: return "BSTR:" + com::BStr(std::u16string_view(v.bstrVal ? v.bstrVal : u"", SysStringLen(v.bstrVal))).ToUtf8();
        default: return "vt" + std::to_string(v.vt);
    }
}

struct Case {
    const char* name;
    Var (*make)();
    WORD flags;
    VARTYPE to;
    HRESULT hr;
    const char* expected;  // Show() of the result when hr succeeds
};

#define V(expr) +[]() { return expr; }

const Case kCases[] = {
    // numbers among each other
    {"I2 to I4", V(Var::I2(-5)), 0, VT_I4, S_OK, "I4:-5"},
    {"I4 to I2 fits", V(Var::I4(32767)), 0, VT_I2, S_OK, "I2:32767"},
    {"I4 to I2 overflow", V(Var::I4(32768)), 0, VT_I2, DISP_E_OVERFLOW, ""},
    {"I4 to I2 negative overflow", V(Var::I4(-32769)), 0, VT_I2, DISP_E_OVERFLOW, ""},
    {"R8 to I4 rounds half to even", V(Var::R8(2.5)), 0, VT_I4, S_OK, "I4:2"},
    {"R8 to I4 rounds half to even up", V(Var::R8(3.5)), 0, VT_I4, S_OK, "I4:4"},
    {"R8 to I4 overflow", V(Var::R8(3e9)), 0, VT_I4, DISP_E_OVERFLOW, ""},
    {"I4 to R8", V(Var::I4(-7)), 0, VT_R8, S_OK, "R8:-7"},
    {"I4 to UI1 overflow", V(Var::I4(-1)), 0, VT_UI1, DISP_E_OVERFLOW, ""},
    // Booleans
    {"BOOL true to I2", V(Var::Bool(true)), 0, VT_I2, S_OK, "I2:-1"},
    {"BOOL false to I4", V(Var::Bool(false)), 0, VT_I4, S_OK, "I4:0"},
    {"I4 non-zero to BOOL", V(Var::I4(7)), 0, VT_BOOL, S_OK, "BOOL:-1"},
    {"R8 zero to BOOL", V(Var::R8(0.0)), 0, VT_BOOL, S_OK, "BOOL:0"},
    {"BOOL to text alpha", V(Var::Bool(true)), VARIANT_ALPHABOOL, VT_BSTR, S_OK, "BSTR:True"},
    {"BOOL false to text alpha", V(Var::Bool(false)), VARIANT_ALPHABOOL, VT_BSTR, S_OK, "BSTR:False"},
    {"BOOL to text numeric", V(Var::Bool(true)), 0, VT_BSTR, S_OK, "BSTR:-1"},
    {"BOOL false to text numeric", V(Var::Bool(false)), 0, VT_BSTR, S_OK, "BSTR:0"},
    // numbers to text
    {"I4 to text", V(Var::I4(-2147483647 - 1)), 0, VT_BSTR, S_OK, "BSTR:-2147483648"},
    {"I2 to text", V(Var::I2(42)), 0, VT_BSTR, S_OK, "BSTR:42"},
    {"R8 to text", V(Var::R8(1.5)), 0, VT_BSTR, S_OK, "BSTR:1.5"},
    // text to numbers
    {"text to I4", V(Var::Str(u"-123")), 0, VT_I4, S_OK, "I4:-123"},
    {"text with plus and blanks", V(Var::Str(u"  +42 ")), 0, VT_I4, S_OK, "I4:42"},
    {"text I4 max", V(Var::Str(u"2147483647")), 0, VT_I4, S_OK, "I4:2147483647"},
    {"text I4 overflow", V(Var::Str(u"2147483648")), 0, VT_I4, DISP_E_OVERFLOW, ""},
    {"text I2 overflow", V(Var::Str(u"40000")), 0, VT_I2, DISP_E_OVERFLOW, ""},
    {"text huge overflow", V(Var::Str(u"99999999999999999999999")), 0, VT_I4, DISP_E_OVERFLOW, ""},
    {"text fraction to I4 rounds", V(Var::Str(u"1.5")), 0, VT_I4, S_OK, "I4:2"},
    {"text to R8", V(Var::Str(u"-0.25")), 0, VT_R8, S_OK, "R8:-0.25"},
    {"text exponent to R8", V(Var::Str(u"1e3")), 0, VT_R8, S_OK, "R8:1000"},
    {"text junk", V(Var::Str(u"12abc")), 0, VT_I4, DISP_E_TYPEMISMATCH, ""},
    {"text empty", V(Var::Str(u"")), 0, VT_I4, DISP_E_TYPEMISMATCH, ""},
    {"text sign only", V(Var::Str(u"-")), 0, VT_I2, DISP_E_TYPEMISMATCH, ""},
    {"text blank inside", V(Var::Str(u"1 2")), 0, VT_I4, DISP_E_TYPEMISMATCH, ""},
    {"text non-ASCII digit", V(Var::Str(u"\u0661")), 0, VT_I4, DISP_E_TYPEMISMATCH, ""},
    // text to Booleans
    {"text True", V(Var::Str(u"True")), 0, VT_BOOL, S_OK, "BOOL:-1"},
    {"text fALSE any case", V(Var::Str(u"fALSE")), 0, VT_BOOL, S_OK, "BOOL:0"},
    {"text number to BOOL", V(Var::Str(u"-1")), 0, VT_BOOL, S_OK, "BOOL:-1"},
    {"text zero to BOOL", V(Var::Str(u"0")), 0, VT_BOOL, S_OK, "BOOL:0"},
    {"text yes is junk", V(Var::Str(u"yes")), 0, VT_BOOL, DISP_E_TYPEMISMATCH, ""},
    // empty and null
    {"empty to I4", V(Var::Empty()), 0, VT_I4, S_OK, "I4:0"},
    {"empty to text", V(Var::Empty()), 0, VT_BSTR, S_OK, "BSTR:"},
    {"empty to BOOL", V(Var::Empty()), 0, VT_BOOL, S_OK, "BOOL:0"},
    {"null to I4", V(Var::Null()), 0, VT_I4, DISP_E_TYPEMISMATCH, ""},
    {"anything to empty", V(Var::I4(3)), 0, VT_EMPTY, S_OK, "empty"},
    {"to a reference type", V(Var::I4(3)), 0, VT_I4 | VT_BYREF, DISP_E_BADVARTYPE, ""},
};

TEST(VariantChangeType, ConversionTable) {
    for (const Case& c : kCases) {
        Var src = c.make();
        Var dest;
        HRESULT hr = VariantChangeType(&dest.v, &src.v, c.flags, c.to);
        EXPECT_EQ(hr, c.hr) << c.name;
        if (SUCCEEDED(c.hr)) {
            EXPECT_EQ(Show(dest.v), c.expected) << c.name;
        } else {
            EXPECT_EQ(dest.v.vt, VT_EMPTY) << c.name << ": failure left a value";
        }
    }
}

TEST(VariantChangeType, FollowsReferencesAndConvertsInPlace) {
    BSTR text = SysAllocString(u"17");
    Var ref;
    ref.v.vt = VT_BYREF | VT_BSTR;
    ref.v.pbstrVal = &text;
    Var dest;
    ASSERT_EQ(VariantChangeType(&dest.v, &ref.v, 0, VT_I2), S_OK);
    EXPECT_EQ(Show(dest.v), "I2:17");

    // VT_BYREF|VT_VARIANT reaches the variant it points at.
    Var inner = Var::I4(5);
    Var byVariant;
    byVariant.v.vt = VT_BYREF | VT_VARIANT;
    byVariant.v.pvarVal = &inner.v;
    ASSERT_EQ(VariantChangeType(&dest.v, &byVariant.v, 0, VT_BSTR), S_OK);
    EXPECT_EQ(Show(dest.v), "BSTR:5");

    // dest == src: the old text is released only after the new value is made.
    Var self = Var::Str(u"123");
    ASSERT_EQ(VariantChangeType(&self.v, &self.v, 0, VT_I4), S_OK);
    EXPECT_EQ(Show(self.v), "I4:123");
    SysFreeString(text);

    Var nullRef;
    nullRef.v.vt = VT_BYREF | VT_I4;
    nullRef.v.plVal = nullptr;
    EXPECT_EQ(VariantChangeType(&dest.v, &nullRef.v, 0, VT_I4), E_INVALIDARG);
}

TEST(Variant, CopyCopyIndAndClear) {
    Var text = Var::Str(u"abc");
    Var copy;
    ASSERT_EQ(VariantCopy(&copy.v, &text.v), S_OK);
    EXPECT_NE(copy.v.bstrVal, text.v.bstrVal);  // a copy of its own
    EXPECT_EQ(Show(copy.v), "BSTR:abc");

    // VariantCopy keeps a reference a reference; VariantCopyInd takes the value.
    Var ref;
    ref.v.vt = VT_BYREF | VT_BSTR;
    ref.v.pbstrVal = &text.v.bstrVal;
    Var refCopy;
    ASSERT_EQ(VariantCopy(&refCopy.v, &ref.v), S_OK);
    EXPECT_EQ(refCopy.v.pbstrVal, &text.v.bstrVal);
    Var value;
    ASSERT_EQ(VariantCopyInd(&value.v, &ref.v), S_OK);
    EXPECT_EQ(value.v.vt, VT_BSTR);
    EXPECT_NE(value.v.bstrVal, text.v.bstrVal);

    // An odd byte length survives a copy.
    Var odd;
    odd.v.vt = VT_BSTR;
    odd.v.bstrVal = SysAllocStringByteLen("xyz", 3);
    ASSERT_EQ(VariantCopy(&copy.v, &odd.v), S_OK);
    EXPECT_EQ(SysStringByteLen(copy.v.bstrVal), 3u);

    Var bad;
    bad.v.vt = 0x7F;
    EXPECT_EQ(VariantCopy(&copy.v, &bad.v), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantClear(&bad.v), DISP_E_BADVARTYPE);
    bad.v.vt = VT_EMPTY;
}

TEST(Variant, AssignThroughCallersReference) {
    // A by-reference BSTR: the caller's variable gets a new string, converted to its type.
    BSTR variable = SysAllocString(u"old");
    Var target;
    target.v.vt = VT_BYREF | VT_BSTR;
    target.v.pbstrVal = &variable;
    Var number = Var::I4(12);
    ASSERT_EQ(com::AssignVariant(&target.v, number.v), S_OK);
    EXPECT_EQ(std::u16string_view(variable), u"12");
    SysFreeString(variable);

    // Through VT_BYREF|VT_VARIANT the whole variant is replaced.
    Var held = Var::I2(1);
    Var viaVariant;
    viaVariant.v.vt = VT_BYREF | VT_VARIANT;
    viaVariant.v.pvarVal = &held.v;
    Var text = Var::Str(u"sig");
    ASSERT_EQ(com::AssignVariant(&viaVariant.v, text.v), S_OK);
    EXPECT_EQ(Show(held.v), "BSTR:sig");

    // A short variable cannot take text that is not a number.
    short small = 3;
    Var shortRef;
    shortRef.v.vt = VT_BYREF | VT_I2;
    shortRef.v.piVal = &small;
    EXPECT_EQ(com::AssignVariant(&shortRef.v, text.v), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(small, 3);
}

}  // namespace
