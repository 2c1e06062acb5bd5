// The control against a real token: SoftHSM2 in a temporary directory.
#include <gtest/gtest.h>

#include <memory>

#include "tests/signing/mock_token.h"
#include "tests/signing/signing_client.h"
#include "tests/support/softhsm_token.h"
#include "tests/support/ui_script.h"

namespace ts = testing_support;

namespace {

class SoftHsmTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { token_ = new ts::SoftHsmToken(true); }
    static void TearDownTestSuite() {
        delete token_;
        token_ = nullptr;
    }
    void SetUp() override { ts::SetSigningComponent(ts::kSoftHsmModule); }

    static ts::SoftHsmToken* token_;
    ts::ScopedPrefix prefix_;
    ts::SigningClient control;
};
ts::SoftHsmToken* SoftHsmTest::token_ = nullptr;

TEST_F(SoftHsmTest, RightPinOpensALoggedInSessionAndCloseSessionTakesItDown) {
    ts::UiScript ui({"type 201 1234", "click OK"});
    ASSERT_TRUE(control.openSession());
    EXPECT_EQ(control.getErrorCode(), "0");
    EXPECT_TRUE(ui.Shown("Please Insert Smartcard").empty());

    EXPECT_FALSE(control.openSession()) << "a second openSession without closing";
    EXPECT_EQ(control.getErrorCode(), "401");

    EXPECT_TRUE(control.closeSession());
    EXPECT_EQ(control.getErrorCode(), "401") << "a successful close clears nothing";
}

TEST_F(SoftHsmTest, WrongPinThenCancelGives444AndLeavesTheTokenClosed) {
    ts::UiScript ui({"type 201 0000", "click OK", "answer cancel", "type 201 1234", "click OK"});
    EXPECT_FALSE(control.openSession());
    EXPECT_EQ(control.getErrorCode(), "444");
    EXPECT_EQ(ui.Shown("blocked:").size(), 1u);
    // Cryptoki was finalized after the failed login, so a new session opens from scratch.
    EXPECT_TRUE(control.openSession());
    EXPECT_EQ(control.getErrorCode(), "0");
    EXPECT_TRUE(control.closeSession());
}

}  // namespace
