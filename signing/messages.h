// Texts of the control's message boxes, exactly as users see them.
#pragma once

namespace signing_text {
inline constexpr const char* kRegCouldNotBeOpened = "Reg could not be opened";
inline constexpr const char* kPleaseInsertSmartcard = "Please Insert Smartcard";
inline constexpr const char* kPleaseEnterPin = "Plese Enter PIN";
inline constexpr const char* kPinVerificationFailed =
    "User PIN verification failed.\nNumber of incorrect presentations after which PIN will be blocked:%d";
inline constexpr const char* kCreationFailed = "Creation Failed";
}  // namespace signing_text
