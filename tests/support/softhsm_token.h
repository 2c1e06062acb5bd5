// A SoftHSM2 token in a temporary directory: its own configuration (SOFTHSM2_CONF points at it for
// the life of the object), one initialised token, and optionally an RSA key with its certificate.
#pragma once

#include <string>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

inline constexpr const char* kSoftHsmModule = "/usr/lib/softhsm/libsofthsm2.so";

class SoftHsmToken {
public:
    static constexpr const char* kUserPin = "1234";
    static constexpr const char* kSoPin = "12345678";

    // withKey: also put a 2048-bit RSA key pair and a self-signed certificate on the token.
    explicit SoftHsmToken(bool withKey);
    const TempDir& dir() const { return dir_; }
    // The certificate on the token (DER) and its public key (PEM), when made withKey.
    std::string certificateDerPath() const { return dir_.str() + "/cert.der"; }
    std::string publicKeyPemPath() const { return dir_.str() + "/pub.pem"; }

private:
    TempDir dir_;
    ScopedEnv conf_;
};

}  // namespace testing_support
