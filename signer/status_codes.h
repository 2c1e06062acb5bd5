// The component's own status codes. Every other status code is copied from a signer.
#pragma once

#include "platform/com/types.h"

namespace signer_status {
inline constexpr LONG kInvalidDocument = 900;  // the input document does not parse
inline constexpr LONG kNoProvider = 901;       // no cryptographic provider context
inline constexpr LONG kDigestFailed = 902;     // the digest could not be computed
inline constexpr LONG kBase64Failed = 903;     // the base64 encoding failed
inline constexpr LONG kStepFailed = 909;       // a run-time failure inside a step
}  // namespace signer_status
