// The token session lifecycle against the scriptable test module: the Cryptoki calls made, the
// status codes left, the clean-up order and the message boxes shown.
#include <gtest/gtest.h>

#include <ostream>

#include <filesystem>

#include "platform/registry/registry.h"
#include "tests/signing/mock_token.h"
#include "tests/signing/signing_client.h"
#include "tests/support/run_command.h"
#include "tests/support/ui_script.h"

namespace ts = testing_support;
using Names = std::vector<std::string>;

namespace {

// What a user at the PIN dialog does to log in with the test module's PIN.
const std::vector<std::string> kLogin = {"type 201 1234", "click OK"};

std::vector<std::string> With(std::vector<std::string> first, const std::vector<std::string>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

class SessionTest : public ::testing::Test {
protected:
    ts::MockToken token;
    ts::SigningClient control;
};

TEST_F(SessionTest, OpenSessionOpensOnTheFirstListedSlotAndCloseSessionTakesItDown) {
    ts::UiScript ui(kLogin);
    unsigned long slots[] = {7, 3};
    token.setSlots(slots, 2);

    EXPECT_TRUE(control.openSession());
    EXPECT_EQ(control.getErrorCode(), "0");
    Names calls = token.Calls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0], "C_Initialize(null)");
    EXPECT_EQ(calls[1], "C_GetSlotList(1,null)");
    EXPECT_EQ(calls[2], "C_GetSlotList(1,ptr)");
    EXPECT_EQ(calls[3], "C_OpenSession(slot=7,flags=7,app=null,notify=null)");

    token.ClearLog();
    EXPECT_TRUE(control.closeSession());
    EXPECT_EQ(token.Calls(), (Names{"C_Logout(session=85)", "C_CloseSession(session=85)", "C_Finalize(null)"}));
    EXPECT_EQ(control.getErrorCode(), "0");
    EXPECT_TRUE(ui.Shown("Please Insert Smartcard").empty());
}

struct FailureRow {
    const char* name;
    const char* failing;       // the function that fails
    int callIndex;             // which of its calls fails (0 = first)
    unsigned long rv;
    const char* cleanupFails;  // a clean-up call that fails too, or null
    Names expectedCalls;
    const char* expectedCode;
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const FailureRow& c, std::ostream* os) { *os << c.name; }
};

class SessionFailureTest : public SessionTest, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(SessionFailureTest, FailsWithTheCodeAndCleansUpInOrder) {
    const FailureRow& row = GetParam();
    ts::UiScript ui(kLogin);
    for (int i = 0; i < row.callIndex; ++i) token.pushRv(row.failing, 0);
    token.pushRv(row.failing, row.rv);
    if (row.cleanupFails) token.pushRv(row.cleanupFails, 0x5);

    EXPECT_FALSE(control.openSession());
    EXPECT_EQ(token.Names(), row.expectedCalls);
    EXPECT_EQ(control.getErrorCode(), row.expectedCode);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SessionFailureTest,
    ::testing::Values(
        FailureRow{"InitializeFails", "C_Initialize", 0, 0x6, nullptr, {"C_Initialize"}, "6"},
        FailureRow{"VendorCodeReadsNegative", "C_Initialize", 0, 0x80000001ul, nullptr, {"C_Initialize"},
                   "-2147483647"},
        FailureRow{"CountQueryFails", "C_GetSlotList", 0, 0x30, nullptr,
                   {"C_Initialize", "C_GetSlotList", "C_Finalize"}, "48"},
        FailureRow{"ListFails", "C_GetSlotList", 1, 0x150, nullptr,
                   {"C_Initialize", "C_GetSlotList", "C_GetSlotList", "C_Finalize"}, "336"},
        FailureRow{"OpenSessionFails", "C_OpenSession", 0, 0xB0, nullptr,
                   {"C_Initialize", "C_GetSlotList", "C_GetSlotList", "C_OpenSession", "C_Finalize"}, "176"},
        FailureRow{"FailingCleanupReplacesTheCode", "C_OpenSession", 0, 0xB0, "C_Finalize",
                   {"C_Initialize", "C_GetSlotList", "C_GetSlotList", "C_OpenSession", "C_Finalize"}, "5"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SessionTest, NoTokenAsksAgainOnEachRetryUntilOneIsPresent) {
    ts::UiScript ui({"answer retry", "answer retry", "answer cancel"});
    for (int i = 0; i < 3; ++i) token.pushSlotCount(0);

    EXPECT_FALSE(control.openSession());
    EXPECT_EQ(token.Names(), (Names{"C_Initialize", "C_GetSlotList", "C_GetSlotList", "C_GetSlotList", "C_Finalize"}));
    auto boxes = ui.Shown("Please Insert Smartcard");
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_NE(boxes[0].find("title=\"Signing\""), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find("buttons=retrycancel"), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find("icon=information"), std::string::npos) << boxes[0];
    EXPECT_EQ(control.getErrorCode(), "444");
}

TEST_F(SessionTest, RetryAfterTheTokenArrivesContinuesWithTheSession) {
    ts::UiScript ui(With({"answer retry"}, kLogin));
    token.pushSlotCount(0);
    EXPECT_TRUE(control.openSession());
    EXPECT_EQ(ui.Shown("Please Insert Smartcard").size(), 1u);
    Names names = token.Names();
    EXPECT_EQ(Names(names.begin(), names.begin() + 5),
              (Names{"C_Initialize", "C_GetSlotList", "C_GetSlotList", "C_GetSlotList", "C_OpenSession"}));
}

TEST_F(SessionTest, CancelAtInsertSmartcardGives444AndFinalizes) {
    ts::UiScript ui({"answer cancel"});
    token.pushSlotCount(0);
    EXPECT_FALSE(control.openSession());
    EXPECT_EQ(control.getErrorCode(), "444");
    EXPECT_EQ(token.Names(), (Names{"C_Initialize", "C_GetSlotList", "C_Finalize"}));
}

TEST_F(SessionTest, SecondOpenSessionWithoutFinalizeFailsWith401AndKeepsTheFirst) {
    ts::UiScript ui(kLogin);
    ASSERT_TRUE(control.openSession());
    token.ClearLog();
    EXPECT_FALSE(control.openSession());
    EXPECT_EQ(control.getErrorCode(), "401");
    EXPECT_EQ(token.Names(), (Names{"C_Initialize"}));
    EXPECT_TRUE(control.closeSession());
}

TEST_F(SessionTest, CloseSessionWhenNobodyIsLoggedInKeeps257AndStillCloses) {
    ts::UiScript ui(kLogin);
    ASSERT_TRUE(control.openSession());
    token.pushRv("C_Logout", 0x101);
    EXPECT_TRUE(control.closeSession());
    EXPECT_EQ(token.Names().back(), "C_Finalize");
    EXPECT_EQ(control.getErrorCode(), "257");
}

TEST_F(SessionTest, EndSessionAndFinalizeAlwaysAnswerTrue) {
    ts::UiScript ui(kLogin);
    ASSERT_TRUE(control.openSession());
    ASSERT_TRUE(control.closeSession());
    // Nothing open any more: the module's own codes report the wrong order.
    EXPECT_TRUE(control.endSession());
    EXPECT_EQ(control.getErrorCode(), "179");
    EXPECT_TRUE(control.finalize());
    EXPECT_EQ(control.getErrorCode(), "400");
}

TEST_F(SessionTest, TwoInstancesShareOneTokenContext) {
    ts::UiScript ui(kLogin);
    ts::SigningClient second;
    ASSERT_TRUE(control.openSession());
    token.ClearLog();
    EXPECT_TRUE(second.closeSession());
    EXPECT_EQ(token.Calls().front(), "C_Logout(session=85)");
    token.pushRv("C_Initialize", 0x6);
    EXPECT_FALSE(second.openSession());
    EXPECT_EQ(control.getErrorCode(), "6");
    EXPECT_EQ(second.getErrorCode(), "6");
}

TEST(SessionRegistryTest, UnreadableValueShowsTheMessageAndFailsWith421) {
    ts::ScopedPrefix prefix;
    ts::UiScript ui({"answer ok"});
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\OVREL\\SIGN", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ts::SigningClient control;
    EXPECT_FALSE(control.openSession());
    auto boxes = ui.Shown("Reg could not be opened");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("buttons=ok"), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find("icon=exclamation"), std::string::npos) << boxes[0];
    EXPECT_EQ(control.getErrorCode(), "421");
}

TEST(SessionModuleTest, ModuleThatCannotBeLoadedFailsWith420WithoutCallingAnything) {
    ts::ScopedPrefix prefix;
    ts::UiScript ui({});
    ts::SetSigningComponent(prefix.dir().str() + "/no-such-module.so");
    ts::SigningClient control;
    EXPECT_FALSE(control.openSession());
    EXPECT_EQ(control.getErrorCode(), "420");
    EXPECT_TRUE(control.closeSession());
    EXPECT_EQ(control.getErrorCode(), "420");
    EXPECT_TRUE(ui.Transcript().empty());
}

TEST(SessionModuleTest, FunctionTheModuleLacksFailsWith84AndTheRestStillRuns) {
    ts::MockToken token("mock_cryptoki_nologout");
    ts::UiScript ui(kLogin);
    ts::SigningClient control;
    ASSERT_TRUE(control.openSession());
    token.ClearLog();
    EXPECT_TRUE(control.closeSession());
    EXPECT_EQ(token.Names(), (Names{"C_CloseSession", "C_Finalize"}));
    EXPECT_EQ(control.getErrorCode(), "84");
}

}  // namespace

namespace {

// The default module name goes through the system's search order: a host whose library path holds
// a "pk2priv.dll" gets that module; without one, the load fails and so does openSession (420).
TEST(SessionDefaultModuleTest, WithoutTheKeyTheDefaultNameIsLoadedThroughTheSearchPath) {
    ts::ScopedPrefix emptyRegistry;
    ts::TempDir libraryDir;
    std::filesystem::copy_file(ts::MockModulePath(), libraryDir.path() / "pk2priv.dll");
    const std::string host = std::string(CS_BUILD_DIR) + "/bin/comcall --ui none --module " + ts::SigningModulePath() +
                             " {97385D32-8FC9-4930-9F33-17CD1CC91BDC} openSession getErrorCode";
    // The token answered, and the PIN dialog could not be shown: no message box came first.
    EXPECT_EQ(ts::RunOrThrow("LD_LIBRARY_PATH=" + libraryDir.str() + " " + host),
              "openSession = False\ngetErrorCode = \"444\"\n");
    EXPECT_EQ(ts::RunOrThrow(host), "openSession = False\ngetErrorCode = \"420\"\n");
}

}  // namespace
