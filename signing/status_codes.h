// The control's own status codes and the values it decides for calls that cannot reach the module.
// Every other status code is a Cryptoki return value passed through unchanged.
#pragma once

#include <cstdint>

namespace signing_status {
inline constexpr std::int32_t kOk = 0;
inline constexpr std::int32_t kPinNotEntered = 160;     // the user declined to enter a PIN
inline constexpr std::int32_t kPinLocked = 164;         // C_Login reported the PIN locked
inline constexpr std::int32_t kNoPrivateKey = 418;      // no private key object that may sign
inline constexpr std::int32_t kNoCertificate = 419;     // no certificate object
inline constexpr std::int32_t kUserCancelled = 444;     // the user cancelled
inline constexpr std::int32_t kNoModule = 420;          // a Cryptoki call while no module is loaded
inline constexpr std::int32_t kRegistryValueUnreadable = 421;  // the module name could not be read
inline constexpr std::int32_t kFunctionMissing = 84;    // the module lacks the function (CKR_FUNCTION_NOT_SUPPORTED)
}  // namespace signing_status
