// The login step of openSession against the scriptable test module: the PIN dialog, the retry
// messages, the process-wide count of tries, and what reaches C_Login.
#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>

#include "tests/signing/mock_token.h"
#include "tests/signing/signing_client.h"
#include "tests/support/ui_script.h"

namespace ts = testing_support;
using Lines = std::vector<std::string>;

namespace {

constexpr unsigned long kWrongPinCode = 0xA0;  // the module's CKR_PIN_INCORRECT

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}
Lines Pin(const std::string& pin) { return {"type 201 " + pin, "click OK"}; }
const Lines kRight = Pin("1234");
const Lines kWrong = Pin("9999");

class LoginTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The count of tries belongs to the process: start every case from a successful login.
        ts::UiScript ui(kRight);
        ASSERT_TRUE(control.openSession());
        ASSERT_TRUE(control.closeSession());
        token.ClearLog();
    }
    std::vector<std::string> LoginCalls() const {
        std::vector<std::string> logins;
        for (const std::string& c : token.Calls())
            if (c.rfind("C_Login", 0) == 0) logins.push_back(c);
        return logins;
    }
    static std::size_t FailureMessages(const ts::UiScript& ui, int number) {
        return ui.Shown("blocked:" + std::to_string(number) + "\"").size();
    }

    ts::MockToken token;
    ts::SigningClient control;
};

TEST_F(LoginTest, RightPinLogsInWithTheBytesOfThePin) {
    ts::UiScript ui(kRight);
    EXPECT_TRUE(control.openSession());
    EXPECT_EQ(control.getErrorCode(), "0");
    EXPECT_EQ(LoginCalls(), Lines{"C_Login(session=85,user=1,pin=31323334,len=4)"});
    auto dialogs = ui.Shown("dialog 201");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find("caption=\"PIN\""), std::string::npos) << dialogs[0];
    EXPECT_NE(dialogs[0].find("201=\"****\""), std::string::npos) << "masked in the transcript: " << dialogs[0];
    EXPECT_EQ(ui.Transcript().size(), 1u);
    Lines names = token.Names();
    EXPECT_EQ(std::count(names.begin(), names.end(), "C_CloseSession"), 0);
    control.closeSession();
}

TEST_F(LoginTest, ANinthCharacterIsRefused) {
    ts::UiScript ui(Pin("123456789"));
    token.setPin("12345678");
    EXPECT_TRUE(control.openSession());
    EXPECT_EQ(LoginCalls(), Lines{"C_Login(session=85,user=1,pin=3132333435363738,len=8)"});
    control.closeSession();
}

struct ClosedWithoutOk {
    const char* name;
    Lines script;
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const ClosedWithoutOk& c, std::ostream* os) { *os << c.name; }
};

class DialogClosedTest : public LoginTest, public ::testing::WithParamInterface<ClosedWithoutOk> {};

TEST_P(DialogClosedTest, Gives444ClosesTheSessionAndRestoresTheTries) {
    {
        // One wrong PIN first, so the count is below 3 when the dialog is closed.
        ts::UiScript ui(Join({kWrong, {"answer retry"}, GetParam().script}));
        EXPECT_FALSE(control.openSession());
        EXPECT_EQ(control.getErrorCode(), "444");
        Lines names = token.Names();
        EXPECT_EQ(Lines(names.end() - 2, names.end()), (Lines{"C_CloseSession", "C_Finalize"}));
        EXPECT_EQ(LoginCalls().size(), 1u);
    }
    ts::UiScript ui(Join({kWrong, {"answer cancel"}}));
    EXPECT_FALSE(control.openSession());
    EXPECT_EQ(FailureMessages(ui, 2), 1u) << "the count was set back to 3";
}

INSTANTIATE_TEST_SUITE_P(Ways, DialogClosedTest,
                         ::testing::Values(ClosedWithoutOk{"CancelButton", {"click Cancel"}},
                                           ClosedWithoutOk{"Escape", {"escape"}},
                                           ClosedWithoutOk{"CloseBox", {"close"}},
                                           ClosedWithoutOk{"NotShown", {"unavailable"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoginTest, EmptyPinAsksAgainWithoutCallingTheTokenAndCancelGives160) {
    ts::UiScript ui({"click OK", "answer retry", "click OK", "answer retry", "click OK", "answer cancel"});
    EXPECT_FALSE(control.openSession());
    EXPECT_EQ(control.getErrorCode(), "160");
    EXPECT_EQ(ui.Shown("Plese Enter PIN").size(), 3u);
    EXPECT_TRUE(LoginCalls().empty());
    EXPECT_EQ(token.Names().back(), "C_Finalize");
}

TEST_F(LoginTest, EmptyAttemptsDoNotCountAsWrongPins) {
    ts::UiScript ui(Join({{"click OK", "answer retry"}, kWrong, {"answer cancel"}}));
    EXPECT_FALSE(control.openSession());
    EXPECT_EQ(FailureMessages(ui, 2), 1u);
    auto box = ui.Shown("blocked:2");
    ASSERT_EQ(box.size(), 1u);
    EXPECT_NE(box[0].find("text=\"User PIN verification failed.\\nNumber of incorrect presentations after which "
                          "PIN will be blocked:2\""),
              std::string::npos)
        << box[0];
    EXPECT_NE(box[0].find("buttons=retrycancel icon=information"), std::string::npos) << box[0];
}

TEST_F(LoginTest, ThreeWrongPinsShow2Then1AndEndWithTheModulesCodeThenFailAtOnce) {
    {
        ts::UiScript ui(Join({kWrong, {"answer retry"}, kWrong, {"answer retry"}, kWrong}));
        EXPECT_FALSE(control.openSession());
        EXPECT_EQ(control.getErrorCode(), std::to_string(kWrongPinCode));
        EXPECT_EQ(FailureMessages(ui, 2), 1u);
        EXPECT_EQ(FailureMessages(ui, 1), 1u);
        EXPECT_EQ(ui.Shown("blocked:").size(), 2u) << "no message after the last allowed attempt";
        EXPECT_EQ(LoginCalls().size(), 3u);
        EXPECT_EQ(token.Names().back(), "C_Finalize");
    }
    {
        ts::UiScript ui(kWrong);
        EXPECT_FALSE(control.openSession());
        EXPECT_TRUE(ui.Shown("blocked:").empty()) << "the next openSession fails at the first wrong PIN";
    }
    {
        ts::UiScript ui(Join({kRight, kWrong, {"answer cancel"}}));
        EXPECT_TRUE(control.openSession());
        EXPECT_TRUE(control.closeSession());
        EXPECT_FALSE(control.openSession());
        EXPECT_EQ(FailureMessages(ui, 2), 1u) << "a successful login restores 3";
    }
}

TEST_F(LoginTest, CancelAtTheMessageGives444AndKeepsTheCount) {
    {
        ts::UiScript ui(Join({kWrong, {"answer retry"}, kWrong, {"answer cancel"}}));
        EXPECT_FALSE(control.openSession());
        EXPECT_EQ(control.getErrorCode(), "444");
        EXPECT_EQ(FailureMessages(ui, 1), 1u);
    }
    ts::UiScript ui(Join({kWrong, {"answer cancel"}}));
    EXPECT_FALSE(control.openSession());
    EXPECT_EQ(FailureMessages(ui, 1), 1u) << "the next openSession shows the same number";
}

TEST_F(LoginTest, AfterAWrongPinTheDialogShowsTheLastTextMasked) {
    ts::UiScript ui(Join({Pin("99"), {"answer retry", "click OK"}}));
    EXPECT_FALSE(control.openSession());
    auto dialogs = ui.Shown("dialog 201");
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_NE(dialogs[1].find("201=\"**\""), std::string::npos) << dialogs[1];
    EXPECT_EQ(LoginCalls(), (Lines{"C_Login(session=85,user=1,pin=3939,len=2)",
                                   "C_Login(session=85,user=1,pin=3939,len=2)"}));
}

TEST_F(LoginTest, LockedPinFailsWith164WithoutAMessage) {
    ts::UiScript ui(kRight);
    token.pushRv("C_Login", 0xA4);
    EXPECT_FALSE(control.openSession());
    EXPECT_EQ(control.getErrorCode(), "164");
    EXPECT_TRUE(ui.Shown("messagebox").empty());
    Lines names = token.Names();
    EXPECT_EQ(Lines(names.end() - 2, names.end()), (Lines{"C_CloseSession", "C_Finalize"}));
}

struct KeepsTheCount {
    const char* name;
    Lines script;                  // after one wrong PIN and Retry, which leave the count at 2
    std::vector<unsigned long> rv;  // queued C_Login returns (0: the module answers itself)
    const char* code;
    friend void PrintTo(const KeepsTheCount& c, std::ostream* os) { *os << c.name; }
};

class KeepsTheCountTest : public LoginTest, public ::testing::WithParamInterface<KeepsTheCount> {};

TEST_P(KeepsTheCountTest, FailsWithItsCodeAndTheNextMessageShowsTheSameNumber) {
    {
        ts::UiScript ui(Join({kWrong, {"answer retry"}, GetParam().script}));
        for (unsigned long rv : GetParam().rv) token.pushRv("C_Login", rv);
        EXPECT_FALSE(control.openSession());
        EXPECT_EQ(control.getErrorCode(), GetParam().code);
        EXPECT_EQ(token.Names().back(), "C_Finalize");
    }
    ts::UiScript ui(Join({kWrong, {"answer cancel"}}));
    EXPECT_FALSE(control.openSession());
    EXPECT_EQ(FailureMessages(ui, 1), 1u) << "the count stayed at 2";
}

INSTANTIATE_TEST_SUITE_P(Rows, KeepsTheCountTest,
                         ::testing::Values(KeepsTheCount{"Locked", kWrong, {0, 0xA4}, "164"},
                                           KeepsTheCount{"EmptyThenCancel",
                                                         {"type 201 ", "click OK", "answer cancel"}, {}, "160"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoginTest, AFailingCleanupReplacesTheCode) {
    ts::UiScript ui({"click Cancel"});
    token.pushRv("C_CloseSession", 0xB3);
    EXPECT_FALSE(control.openSession());
    EXPECT_EQ(control.getErrorCode(), "179");
}

}  // namespace
