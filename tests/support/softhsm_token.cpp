#include "tests/support/softhsm_token.h"

#include <filesystem>

namespace testing_support {

SoftHsmToken::SoftHsmToken(bool withKey) : conf_("SOFTHSM2_CONF", dir_.str() + "/softhsm2.conf") {
    std::filesystem::create_directories(dir_.path() / "tokens");
    WriteFile(dir_.path() / "softhsm2.conf", "directories.tokendir = " + dir_.str() +
                                                 "/tokens\nobjectstore.backend = file\nlog.level = ERROR\n");
    std::string d = dir_.str();
    RunOrThrow("softhsm2-util --init-token --free --label chequesign-test --pin " + std::string(kUserPin) +
               " --so-pin " + kSoPin);
    if (!withKey) return;
    RunOrThrow("openssl req -x509 -newkey rsa:2048 -nodes -keyout " + d + "/key.pem -out " + d +
               "/cert.pem -days 30 -subj /CN=chequesign-test");
    RunOrThrow("openssl x509 -in " + d + "/cert.pem -outform DER -out " + d + "/cert.der");
    RunOrThrow("openssl pkey -in " + d + "/key.pem -pubout -out " + d + "/pub.pem");
    RunOrThrow("softhsm2-util --import " + d + "/key.pem --token chequesign-test --label key --id 01 --pin " +
               kUserPin);
    RunOrThrow(std::string("pkcs11-tool --module ") + kSoftHsmModule + " --token-label chequesign-test --login --pin " +
               kUserPin + " --write-object " + d + "/cert.der --type cert --id 01 --label cert");
}

}  // namespace testing_support
