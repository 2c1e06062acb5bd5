// The control's type library SIGNINGLib: loaded from the module file, its attributes and
// documentation, the members of _DSigning, and type information through the control.
#include <gtest/gtest.h>

#include "platform/com/typelib.h"
#include "platform/text/codepage.h"
#include "tests/signing/shell_fixture.h"

namespace testing_support {
namespace {

const GUID kLibId = MakeGuid("{8CC0627E-0EFD-46EA-8049-6EA94E246857}");
const IID kDispatchIid = MakeGuid("{4363F100-7913-43C0-B841-2C72C1B4D783}");
const IID kEventsIid = MakeGuid("{4F8A5F53-BADD-47F9-8588-07BDAD4B256B}");
const CLSID kControlClsid = MakeGuid("{97385D32-8FC9-4930-9F33-17CD1CC91BDC}");

class TypeLibTest : public ShellTest {
protected:
    com::ComPtr<ITypeLib> Load() {
        com::ComPtr<ITypeLib> lib;
        EXPECT_EQ(LoadTypeLib(text::FromUtf8(module_.path()).c_str(), lib.put()), S_OK);
        return lib;
    }
    com::ComPtr<ITypeInfo> InfoOf(ITypeLib* lib, REFGUID guid) {
        com::ComPtr<ITypeInfo> info;
        EXPECT_EQ(lib->GetTypeInfoOfGuid(guid, info.put()), S_OK);
        return info;
    }
};

struct Doc {
    std::string name, help, helpFile;
};

template <class F>
Doc Documentation(F get) {
    com::BStr name, help, file;
    DWORD context = 99;
    EXPECT_EQ(get(name.put(), help.put(), &context, file.put()), S_OK);
    EXPECT_EQ(context, 0u);
    return {name.ToUtf8(), help.ToUtf8(), file.ToUtf8()};
}

TEST_F(TypeLibTest, LibraryAttributesAndHelpStrings) {
    com::ComPtr<ITypeLib> lib = Load();
    ASSERT_TRUE(lib);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(GuidToString(attr->guid), GuidToString(kLibId));
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    EXPECT_EQ(attr->lcid, 0x0409u);
    EXPECT_EQ(attr->wLibFlags, com::LIBFLAG_FCONTROL);
    lib->ReleaseTLibAttr(attr);

    struct Row {
        int index;
        Doc doc;
    };
    const Row rows[] = {
        {-1, {"SIGNINGLib", "Signing ActiveX Control module", "Signing.hlp"}},
        {0, {"_DSigning", "Dispatch interface for Signing Control", "Signing.hlp"}},
        {1, {"_DSigningEvents", "Event interface for Signing Control", "Signing.hlp"}},
        {2, {"signing", "Signing Control", "Signing.hlp"}},
    };
    ASSERT_EQ(lib->GetTypeInfoCount(), 3u);
    for (const Row& r : rows) {
        Doc d = Documentation([&](BSTR* n, BSTR* h, DWORD* c, BSTR* f) { return lib->GetDocumentation(r.index, n, h, c, f); });
        EXPECT_EQ(d.name, r.doc.name) << r.index;
        EXPECT_EQ(d.help, r.doc.help) << r.index;
        EXPECT_EQ(d.helpFile, r.doc.helpFile) << r.index;
    }
}

TEST_F(TypeLibTest, KindsFlagsAndTheCoclassInterfaces) {
    com::ComPtr<ITypeLib> lib = Load();
    ASSERT_TRUE(lib);
    struct Row {
        GUID guid;
        TYPEKIND kind;
        WORD flags;
        WORD funcs;
    };
    const Row rows[] = {
        {kDispatchIid, TKIND_DISPATCH, com::TYPEFLAG_FHIDDEN | com::TYPEFLAG_FDISPATCHABLE, 9},
        {kEventsIid, TKIND_DISPATCH, com::TYPEFLAG_FDISPATCHABLE, 0},
        {kControlClsid, TKIND_COCLASS, com::TYPEFLAG_FCANCREATE | com::TYPEFLAG_FCONTROL, 0},
    };
    for (const Row& r : rows) {
        com::ComPtr<ITypeInfo> info = InfoOf(lib.get(), r.guid);
        ASSERT_TRUE(info);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        EXPECT_EQ(attr->typekind, r.kind) << GuidToString(r.guid);
        EXPECT_EQ(attr->wTypeFlags, r.flags) << GuidToString(r.guid);
        EXPECT_EQ(attr->cFuncs, r.funcs) << GuidToString(r.guid);
        info->ReleaseTypeAttr(attr);
    }
    // The coclass: _DSigning as default, _DSigningEvents as default source.
    com::ComPtr<ITypeInfo> coclass = InfoOf(lib.get(), kControlClsid);
    const std::pair<GUID, INT> implemented[] = {
        {kDispatchIid, com::IMPLTYPEFLAG_FDEFAULT},
        {kEventsIid, com::IMPLTYPEFLAG_FDEFAULT | com::IMPLTYPEFLAG_FSOURCE},
    };
    for (UINT i = 0; i < 2; ++i) {
        HREFTYPE ref = 0;
        INT flags = 0;
        ASSERT_EQ(coclass->GetRefTypeOfImplType(i, &ref), S_OK);
        ASSERT_EQ(coclass->GetImplTypeFlags(i, &flags), S_OK);
        com::ComPtr<ITypeInfo> target;
        ASSERT_EQ(coclass->GetRefTypeInfo(ref, target.put()), S_OK);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(target->GetTypeAttr(&attr), S_OK);
        EXPECT_EQ(GuidToString(attr->guid), GuidToString(implemented[i].first));
        target->ReleaseTypeAttr(attr);
        EXPECT_EQ(flags, implemented[i].second);
    }
}

struct MemberRow {
    const char16_t* name;
    DISPID id;
    VARTYPE result;
    std::vector<VARTYPE> params;
};

const MemberRow kMembers[] = {
    {u"signing", 1, VT_BSTR, {VT_BSTR, VT_BSTR}},
    {u"getCertificate", 2, VT_BSTR, {}},
    {u"openSession", 3, VT_BOOL, {}},
    {u"closeSession", 4, VT_BOOL, {}},
    {u"getErrorCode", 5, VT_BSTR, {}},
    {u"finalize", 6, VT_BOOL, {}},
    {u"endSession", 7, VT_BOOL, {}},
    {u"xmlSigning", 8, VT_I2, {VT_BSTR, VT_BSTR, VT_I2}},
    {u"AboutBox", -552, VT_VOID, {}},
};

TEST_F(TypeLibTest, TypeInfoNamesGiveTheDispatchIdsAndTheControlAgrees) {
    com::ComPtr<ITypeLib> lib = Load();
    ASSERT_TRUE(lib);
    com::ComPtr<ITypeInfo> info = InfoOf(lib.get(), kDispatchIid);
    com::ComPtr<IDispatch> control = module_.Create<IDispatch>(kControlClsid, IID_IDispatch);
    ASSERT_TRUE(info && control);
    for (const MemberRow& m : kMembers) {
        std::u16string name(m.name);
        LPOLESTR names[] = {name.data()};
        MEMBERID fromInfo = 0;
        DISPID fromControl = 0;
        EXPECT_EQ(info->GetIDsOfNames(names, 1, &fromInfo), S_OK);
        EXPECT_EQ(fromInfo, m.id) << text::ToUtf8(name);
        EXPECT_EQ(control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &fromControl), S_OK);
        EXPECT_EQ(fromControl, m.id) << text::ToUtf8(name);
    }
    std::u16string upper = u"GETERRORCODE", unknown = u"sign";
    LPOLESTR byCase[] = {upper.data()}, missing[] = {unknown.data()};
    MEMBERID id = 0;
    EXPECT_EQ(info->GetIDsOfNames(byCase, 1, &id), S_OK);
    EXPECT_EQ(id, 5);
    EXPECT_EQ(info->GetIDsOfNames(missing, 1, &id), DISP_E_UNKNOWNNAME);
}

TEST_F(TypeLibTest, FunctionDescriptionsAndParameterNames) {
    com::ComPtr<ITypeLib> lib = Load();
    ASSERT_TRUE(lib);
    com::ComPtr<ITypeInfo> info = InfoOf(lib.get(), kDispatchIid);
    for (UINT i = 0; i < std::size(kMembers); ++i) {
        const MemberRow& m = kMembers[i];
        FUNCDESC* f = nullptr;
        ASSERT_EQ(info->GetFuncDesc(i, &f), S_OK);
        EXPECT_EQ(f->memid, m.id);
        EXPECT_EQ(f->funckind, FUNC_DISPATCH);
        EXPECT_EQ(f->invkind, INVOKE_FUNC);
        EXPECT_EQ(f->elemdescFunc.tdesc.vt, m.result) << m.id;
        ASSERT_EQ(f->cParams, static_cast<SHORT>(m.params.size()));
        for (std::size_t p = 0; p < m.params.size(); ++p) EXPECT_EQ(f->lprgelemdescParam[p].tdesc.vt, m.params[p]);
        info->ReleaseFuncDesc(f);
    }
    BSTR names[4] = {};
    UINT count = 0;
    ASSERT_EQ(info->GetNames(8, names, 4, &count), S_OK);
    ASSERT_EQ(count, 4u);
    const char* expected[] = {"xmlSigning", "datatobesign", "alg", "signLength"};
    for (UINT k = 0; k < count; ++k) {
        EXPECT_EQ(com::BStr::Adopt(names[k]).ToUtf8(), expected[k]);
    }
}

TEST_F(TypeLibTest, TheControlGivesTypeInformationOnlyOnceTheLibraryIsRegistered) {
    com::ComPtr<IDispatch> control = module_.Create<IDispatch>(kControlClsid, IID_IDispatch);
    ASSERT_TRUE(control);
    UINT count = 0;
    ASSERT_EQ(control->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    // Libraries once loaded stay cached per locale for the process, so each half asks for a
    // locale of its own.
    com::ComPtr<ITypeInfo> info;
    EXPECT_EQ(control->GetTypeInfo(0, 0x0407, info.put()), TYPE_E_LIBNOTREGISTERED);
    EXPECT_FALSE(info);

    ASSERT_EQ(module_.Register(), S_OK);
    ASSERT_EQ(control->GetTypeInfo(0, 0x040C, info.put()), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(GuidToString(attr->guid), GuidToString(kDispatchIid));
    info->ReleaseTypeAttr(attr);
    EXPECT_EQ(control->GetTypeInfo(1, 0x040C, info.put()), DISP_E_BADINDEX);
}

}  // namespace
}  // namespace testing_support
