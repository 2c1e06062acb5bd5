#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/com/dispatch_map.h"
#include "platform/com/object.h"
#include "platform/com/variant_util.h"
#include "platform/text/codepage.h"

namespace {

using com::BStr;

// A dispatch class with one member of each kind the map has to carry.
class Sample : public com::Object<IDispatch> {
public:
    std::string lastAnsi;
    int aboutCalls = 0;

    BSTR Concat(const char* a, const char* b) {
        lastAnsi = std::string(a) + "|" + b;
        return BStr::FromAnsi(lastAnsi).release();
    }
    short Sub(short a, short b) { return static_cast<short>(a - b); }
    BOOL IsPositive(LONG x) { return x > 0 ? TRUE : FALSE; }
    BSTR Nothing() { return nullptr; }
    LONG Length(const OLECHAR* s) { return static_cast<LONG>(std::u16string_view(s ? s : u"").size()); }
    void Fail(LONG code) { throw com::DispatchError(code, "failed: \xC3\xBC"); }
    void Boom() { throw std::runtime_error("boom"); }
    void SetOut(VARIANT* out) {
        VARIANT v;
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(u"written");
        com::AssignVariant(out, v);
        VariantClear(&v);
    }
    void Bump(short* p) { ++*p; }
    void AboutBox() { ++aboutCalls; }
    bool Mismatched(LONG) { return true; }

    HRESULT QueryInterface(REFIID iid, void** object) override {
        return com::QueryFrom(iid, object, {{IID_IDispatch, this}});
    }
    HRESULT GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
        return Map().GetIDsOfNames(iid, names, count, lcid, ids);
    }
    HRESULT Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* info, UINT* argErr) override {
        return Map().Invoke(this, id, iid, lcid, flags, params, result, info, argErr);
    }

    static const com::DispatchMap<Sample>& Map() {
        static const com::DispatchMap<Sample> map("Sample.Object", {
            {1, "Concat", VT_BSTR, {VT_BSTR, VT_BSTR}, &Sample::Concat},
            {2, "Sub", VT_I2, {VT_I2, VT_I2}, &Sample::Sub},
            {3, "IsPositive", VT_BOOL, {VT_I4}, &Sample::IsPositive},
            {4, "Nothing", VT_BSTR, {}, &Sample::Nothing},
            {5, "Length", VT_I4, {VT_BSTR}, &Sample::Length},
            {6, "Fail", VT_EMPTY, {VT_I4}, &Sample::Fail},
            {7, "Boom", VT_EMPTY, {}, &Sample::Boom},
            {8, "SetOut", VT_EMPTY, {VT_VARIANT | VT_BYREF}, &Sample::SetOut},
            {9, "Bump", VT_EMPTY, {VT_I2 | VT_BYREF}, &Sample::Bump},
            {DISPID_ABOUTBOX, "AboutBox", VT_EMPTY, {}, &Sample::AboutBox},
        });
        return map;
    }
};

// Owns the arguments of one call, given first-to-last as a caller writes them.
struct Args {
    std::vector<VARIANT> v;  // already reversed: last argument first
    explicit Args(std::vector<VARIANT> firstToLast) : v(firstToLast.rbegin(), firstToLast.rend()) {}
    ~Args() {
        for (VARIANT& a : v) VariantClear(&a);
    }
    DISPPARAMS params() { return DISPPARAMS{v.data(), nullptr, static_cast<UINT>(v.size()), 0}; }
};

VARIANT Str(std::u16string_view s) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
    return v;
}
VARIANT I4(LONG x) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = x;
    return v;
}

class DispatchMapTest : public ::testing::Test {
protected:
    Sample sample;
    VARIANT result;
    EXCEPINFO info{};
    UINT argErr = 99;

    void SetUp() override { VariantInit(&result); }
    void TearDown() override {
        VariantClear(&result);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrSource);
    }
    HRESULT Call(DISPID id, Args& args) {
        VariantClear(&result);  // Invoke expects an empty result
        DISPPARAMS p = args.params();
        return sample.Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &p, &result, &info, &argErr);
    }
    HRESULT Call(DISPID id) {
        Args none({});
        return Call(id, none);
    }
};

TEST_F(DispatchMapTest, DeclarationsFit) { EXPECT_EQ(Sample::Map().Check(), ""); }

TEST_F(DispatchMapTest, MismatchedDeclarationIsReportedAndFailsTheCall) {
    com::DispatchMap<Sample> bad{{
        {1, "Mismatched", VT_I2, {VT_BSTR}, &Sample::Mismatched},
        {1, "mismatched", VT_BOOL, {VT_I4}, &Sample::Mismatched},
    }};
    std::string problems = bad.Check();
    EXPECT_NE(problems.find("declared types do not fit"), std::string::npos) << problems;
    EXPECT_NE(problems.find("DISPID used twice"), std::string::npos) << problems;
    EXPECT_NE(problems.find("name used twice"), std::string::npos) << problems;
    Args args({Str(u"x")});
    DISPPARAMS p = args.params();
    EXPECT_EQ(bad.Invoke(&sample, 1, IID_NULL, 0, DISPATCH_METHOD, &p, &result, &info, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, E_UNEXPECTED);
}

TEST_F(DispatchMapTest, NamesResolveWithoutRegardToCase) {
    struct {
        const char16_t* name;
        DISPID id;
        HRESULT hr;
    } cases[] = {
        {u"concat", 1, S_OK},
        {u"CONCAT", 1, S_OK},
        {u"aboutbox", DISPID_ABOUTBOX, S_OK},
        {u"Concatenate", DISPID_UNKNOWN, DISP_E_UNKNOWNNAME},
        {u"Conca", DISPID_UNKNOWN, DISP_E_UNKNOWNNAME},
        {u"", DISPID_UNKNOWN, DISP_E_UNKNOWNNAME},
    };
    for (auto& c : cases) {
        std::u16string name = c.name;
        LPOLESTR names[] = {name.data()};
        DISPID id = 1234;
        EXPECT_EQ(sample.GetIDsOfNames(IID_NULL, names, 1, 0, &id), c.hr);
        EXPECT_EQ(id, c.id);
    }
    // Parameter names are not known: the member still resolves, the rest do not.
    std::u16string member = u"Sub", param = u"a";
    LPOLESTR names[] = {member.data(), param.data()};
    DISPID ids[2] = {0, 0};
    EXPECT_EQ(sample.GetIDsOfNames(IID_NULL, names, 2, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], 2);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
}

TEST_F(DispatchMapTest, ArgumentsArriveLastFirst) {
    Args args({I4(10), I4(3)});  // Sub(10, 3)
    ASSERT_EQ(Call(2, args), S_OK);
    EXPECT_EQ(result.vt, VT_I2);
    EXPECT_EQ(result.iVal, 7);
}

TEST_F(DispatchMapTest, TextReachesConstCharAsAnsiWithUnmappableAsQuestionMark) {
    // U+0416 (Cyrillic) has no place in code page 1252; U+00E9 has.
    Args args({Str(u"caf\u00E9"), Str(u"\u0416x")});
    ASSERT_EQ(Call(1, args), S_OK);
    EXPECT_EQ(sample.lastAnsi, "caf\xE9|?x");
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_EQ(std::u16string_view(result.bstrVal), u"caf\u00E9|?x");
}

TEST_F(DispatchMapTest, ResultsAndConversions) {
    Args positive({Str(u"5")});  // text converts to the declared VT_I4
    ASSERT_EQ(Call(3, positive), S_OK);
    EXPECT_EQ(result.vt, VT_BOOL);
    EXPECT_EQ(result.boolVal, VARIANT_TRUE);
    Args negative({I4(-5)});
    ASSERT_EQ(Call(3, negative), S_OK);
    EXPECT_EQ(result.boolVal, VARIANT_FALSE);

    ASSERT_EQ(Call(4), S_OK);  // a null BSTR result stays null
    EXPECT_EQ(result.vt, VT_BSTR);
    EXPECT_EQ(result.bstrVal, nullptr);

    Args length({Str(u"abcd")});  // a BSTR parameter gets the BSTR
    ASSERT_EQ(Call(5, length), S_OK);
    EXPECT_EQ(result.lVal, 4);

    ASSERT_EQ(Call(DISPID_ABOUTBOX), S_OK);
    EXPECT_EQ(result.vt, VT_EMPTY);
    EXPECT_EQ(sample.aboutCalls, 1);

    // No result wanted: a BSTR result is freed, not leaked (checked under sanitizers).
    Args more({Str(u"a"), Str(u"b")});
    DISPPARAMS p = more.params();
    EXPECT_EQ(sample.Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &p, nullptr, nullptr, nullptr), S_OK);
}

TEST_F(DispatchMapTest, ByReferenceArguments) {
    // A script host's variables, passed as VT_BYREF|VT_BSTR and VT_BYREF|VT_I2.
    BSTR a = SysAllocString(u"x");
    BSTR b = SysAllocString(u"y");
    VARIANT ra, rb;
    ra.vt = rb.vt = VT_BYREF | VT_BSTR;
    ra.pbstrVal = &a;
    rb.pbstrVal = &b;
    VARIANT args1[] = {rb, ra};
    DISPPARAMS p1{args1, nullptr, 2, 0};
    ASSERT_EQ(sample.Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &p1, &result, &info, &argErr), S_OK);
    EXPECT_EQ(sample.lastAnsi, "x|y");
    VariantClear(&result);
    EXPECT_EQ(std::u16string_view(a), u"x");  // an in-parameter is not touched
    SysFreeString(a);
    SysFreeString(b);

    short counter = 41;
    VARIANT rc;
    rc.vt = VT_BYREF | VT_I2;
    rc.piVal = &counter;
    DISPPARAMS p2{&rc, nullptr, 1, 0};
    ASSERT_EQ(sample.Invoke(9, IID_NULL, 0, DISPATCH_METHOD, &p2, &result, &info, &argErr), S_OK);
    EXPECT_EQ(counter, 42);

    // A VARIANT* member writes the caller's variable, directly or through VT_BYREF|VT_VARIANT.
    VARIANT variable;
    VariantInit(&variable);
    VARIANT rv;
    rv.vt = VT_BYREF | VT_VARIANT;
    rv.pvarVal = &variable;
    DISPPARAMS p3{&rv, nullptr, 1, 0};
    ASSERT_EQ(sample.Invoke(8, IID_NULL, 0, DISPATCH_METHOD, &p3, &result, &info, &argErr), S_OK);
    ASSERT_EQ(variable.vt, VT_BSTR);
    EXPECT_EQ(std::u16string_view(variable.bstrVal), u"written");
    VariantClear(&variable);

    BSTR textVar = SysAllocString(u"before");
    VARIANT rt;
    rt.vt = VT_BYREF | VT_BSTR;
    rt.pbstrVal = &textVar;
    DISPPARAMS p4{&rt, nullptr, 1, 0};
    ASSERT_EQ(sample.Invoke(8, IID_NULL, 0, DISPATCH_METHOD, &p4, &result, &info, &argErr), S_OK);
    EXPECT_EQ(std::u16string_view(textVar), u"written");
    SysFreeString(textVar);
}

TEST_F(DispatchMapTest, CallErrors) {
    Args one({I4(1)});
    EXPECT_EQ(Call(2, one), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(2), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(77), DISP_E_MEMBERNOTFOUND);

    // The second argument (index 0 in DISPPARAMS) does not convert.
    Args junk({I4(1), Str(u"junk")});
    EXPECT_EQ(Call(2, junk), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 0u);
    Args junkFirst({Str(u"junk"), I4(1)});
    EXPECT_EQ(Call(2, junkFirst), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 1u);
    Args tooBig({I4(70000), I4(1)});
    EXPECT_EQ(Call(2, tooBig), DISP_E_OVERFLOW);
    EXPECT_EQ(argErr, 1u);

    DISPPARAMS p = one.params();
    EXPECT_EQ(sample.Invoke(3, IID_IDispatch, 0, DISPATCH_METHOD, &p, &result, &info, &argErr),
              DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(sample.Invoke(3, IID_NULL, 0, DISPATCH_PROPERTYPUT, &p, &result, &info, &argErr),
              DISP_E_MEMBERNOTFOUND);
    DISPID named = 0;
    DISPPARAMS withNames{one.v.data(), &named, 1, 1};
    EXPECT_EQ(sample.Invoke(3, IID_NULL, 0, DISPATCH_METHOD, &withNames, &result, &info, &argErr),
              DISP_E_NONAMEDARGS);
}

TEST_F(DispatchMapTest, ThrownErrorsBecomeExceptionInfo) {
    Args code({I4(static_cast<LONG>(0x80040200u))});
    ASSERT_EQ(Call(6, code), DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, static_cast<HRESULT>(0x80040200u));
    ASSERT_NE(info.bstrDescription, nullptr);
    EXPECT_EQ(std::u16string_view(info.bstrDescription), u"failed: \u00FC");
    ASSERT_NE(info.bstrSource, nullptr);
    EXPECT_EQ(std::u16string_view(info.bstrSource), u"Sample.Object");
    EXPECT_EQ(result.vt, VT_EMPTY);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrSource);

    ASSERT_EQ(Call(7), DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, E_FAIL);
    EXPECT_EQ(std::u16string_view(info.bstrDescription), u"boom");

    // A success code cannot make a thrown error read as success.
    EXPECT_EQ(com::DispatchError(S_OK, "x").scode(), E_FAIL);

    // Without an EXCEPINFO the failure still comes back as DISP_E_EXCEPTION.
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(sample.Invoke(7, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              DISP_E_EXCEPTION);
}

}  // namespace
