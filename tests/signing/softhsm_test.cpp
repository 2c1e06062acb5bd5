// The control against a real token: SoftHSM2 in a temporary directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "tests/signing/mock_token.h"
#include "tests/support/com_registration.h"
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

TEST_F(SoftHsmTest, TheSignatureVerifiesAndTheCertificateIsTheOneOnTheToken) {
    ts::RegisterModule(std::string(CS_BUILD_DIR) + "/lib/Base64Lib.so");
    ts::TempDir work;
    ts::ScopedCwd cwd(work.path());
    ts::UiScript ui({"type 201 1234", "click OK"});
    ASSERT_TRUE(control.openSession());
    const std::string text = "Pay to the order of J\xC3\xA9r\xC3\xB4me: 100.00";  // UTF-8 on the host side
    std::string signature = control.signing(text, "rsa-sha1");
    std::string certificate = control.getCertificate();
    EXPECT_TRUE(control.closeSession());
    EXPECT_EQ(control.getErrorCode(), "0");

    // The token signed the text's bytes in code page 1252.
    ts::WriteFile(work.path() / "data.bin", "Pay to the order of J\xE9r\xF4me: 100.00");
    ts::WriteFile(work.path() / "sig.bin", ts::BytesOfBase64(signature));
    EXPECT_NO_THROW(ts::RunOrThrow("openssl dgst -sha1 -verify " + token_->publicKeyPemPath() + " -signature " +
                                   (work.path() / "sig.bin").string() + " " + (work.path() / "data.bin").string()));
    EXPECT_EQ(ts::BytesOfBase64(certificate), ts::ReadFile(token_->certificateDerPath()));
    EXPECT_FALSE(std::filesystem::exists(work.path() / "Base64.enc"));
}

}  // namespace
