// PIN entry and login, the last stage of openSession: ask for the PIN, present it to the token,
// and on a wrong PIN ask again while the process-wide count of tries allows.
#include <cstdio>
#include <cstring>

#include "platform/ui/messagebox.h"
#include "platform/ui/secure_wipe.h"
#include "signing/PinDlg.h"
#include "signing/SigningCtrl.h"
#include "signing/messages.h"
#include "signing/module_title.h"
#include "signing/token_context.h"

namespace {

constexpr std::int32_t kTriesAtStart = 3;

// Presents the PIN to the token. The copy of its bytes handed to the module is wiped at once.
CK_RV PresentPin(signing::TokenContext& token, const std::string& pin) {
    CK_UTF8CHAR bytes[CPinDlg::kMaxPinLength] = {};
    CK_ULONG length = pin.size() < sizeof bytes ? pin.size() : sizeof bytes;
    std::memcpy(bytes, pin.data(), length);
    CK_RV rv = token.CallLookedUp<signing::Fn::C_Login>(token.sessionHandle, CKU_USER, bytes, length);
    ui::SecureWipe(bytes, sizeof bytes);
    return rv;
}

int AskRetry(const char* text) {
    return MessageBoxA(nullptr, text, signing::ModuleTitle().c_str(), MB_RETRYCANCEL | MB_ICONINFORMATION);
}

}  // namespace

BOOL CSigningCtrl::Login() {
    signing::TokenContext& token = signing::Token();
    token.LookUp<signing::Fn::C_Login>();

    bool loggedIn = false;
    {
        CPinDlg dialog;  // one dialog for the whole step; its PIN text is wiped when it goes
        for (;;) {
            if (dialog.DoModal() != IDOK) {
                token.pinTriesLeft = kTriesAtStart;
                token.statusCode = signing_status::kUserCancelled;
                break;
            }
            if (dialog.m_pin.empty()) {
                if (AskRetry(signing_text::kPleaseEnterPin) == IDRETRY) continue;
                token.statusCode = signing_status::kPinNotEntered;
                break;
            }
            CK_RV rv = PresentPin(token, dialog.m_pin);
            if (rv == CKR_OK) {
                token.statusCode = signing_status::kOk;
                token.pinTriesLeft = kTriesAtStart;
                loggedIn = true;
                break;
            }
            if (rv == CKR_PIN_LOCKED) break;
            // Any other refusal counts as a wrong PIN; its code is already the status.
            if (token.pinTriesLeft <= 1) break;
            char message[256];
            std::snprintf(message, sizeof message, signing_text::kPinVerificationFailed,
                          static_cast<int>(token.pinTriesLeft - 1));
            if (AskRetry(message) != IDRETRY) {
                token.statusCode = signing_status::kUserCancelled;
                break;
            }
            --token.pinTriesLeft;
        }
    }
    if (loggedIn) return TRUE;
    endSession();
    finalize();
    return FALSE;
}
