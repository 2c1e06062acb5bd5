// The control's dispatch interface as a late-bound host sees it: names, DISPIDs and result types.
#include <gtest/gtest.h>

#include "platform/text/codepage.h"
#include "tests/signing/signing_client.h"
#include "tests/support/run_command.h"

namespace ts = testing_support;

namespace {

DISPID IdOf(IDispatch* d, const char* name) {
    std::u16string wide = text::FromUtf8(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = 0;
    EXPECT_EQ(d->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
    return id;
}

TEST(DispatchTest, EveryMemberAnswersByNameInAnyCase) {
    ts::SigningClient control;
    const std::pair<const char*, DISPID> members[] = {
        {"signing", 1},      {"getCertificate", 2}, {"openSession", 3}, {"closeSession", 4},   {"getErrorCode", 5},
        {"finalize", 6},     {"endSession", 7},     {"xmlSigning", 8},  {"AboutBox", -552},    {"GETERRORCODE", 5},
    };
    for (const auto& [name, id] : members) EXPECT_EQ(IdOf(control.dispatch(), name), id) << name;

    std::u16string unknown = u"sign";
    LPOLESTR names[] = {unknown.data()};
    DISPID id = 0;
    EXPECT_EQ(control.dispatch()->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
}

TEST(DispatchTest, ResultsHaveThePlatformsTypesAndFailuresAreNullNotErrors) {
    ts::SigningClient control;
    ts::CallResult code = control.Invoke(5);
    EXPECT_EQ(code.value.vt, VT_BSTR);
    ts::CallResult cert = control.Invoke(2);  // no session: fails quietly
    EXPECT_EQ(cert.hr, S_OK);
    EXPECT_EQ(cert.value.vt, VT_BSTR);
    EXPECT_EQ(cert.value.bstrVal, nullptr);
    short length = 0;
    ts::CallResult xml = control.Invoke(8, {"x", "y"}, &length);
    EXPECT_EQ(xml.value.vt, VT_I2);
    EXPECT_EQ(control.Invoke(3, {"unexpected"}).hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(control.Invoke(99).hr, DISP_E_MEMBERNOTFOUND);
}

TEST(DispatchTest, AFreshProcessReportsStatusZero) {
    // A process of its own, so nothing before has touched the status register.
    EXPECT_EQ(ts::RunOrThrow(std::string(CS_BUILD_DIR) + "/bin/comcall --ui none --module " + ts::SigningModulePath() +
                             " {97385D32-8FC9-4930-9F33-17CD1CC91BDC} getErrorCode"),
              "getErrorCode = \"0\"\n");
}

}  // namespace
