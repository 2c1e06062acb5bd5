#include "tools/reg/messages.h"

#include <cstdio>

#include "platform/registry/registry.h"

namespace reg {
namespace {

int Fail(const std::string& text) {
    std::fprintf(stderr, "ERROR: %s\n", text.c_str());
    return 1;
}

}  // namespace

int Succeeded() {
    std::printf("The operation completed successfully.\n");
    return 0;
}

int RegistryFailed(LONG code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_BADKEY:
            return Fail("The system was unable to find the specified registry key or value.");
        case ERROR_ACCESS_DENIED:
            return Fail("Access is denied.");
        case ERROR_INVALID_PARAMETER:
            return Fail("Invalid key or value name.");
        case ERROR_NOT_ENOUGH_MEMORY:
            return Fail("Not enough memory.");
        case ERROR_BADDB:
            return Fail("The registry file " + registry::HiveFilePath() + " is damaged.");
        case ERROR_REGISTRY_IO_FAILED:
            return Fail("The registry file " + registry::HiveFilePath() + " could not be read or written.");
        default:
            return Fail("The registry operation failed with error " + std::to_string(code) + ".");
    }
}

int SyntaxFailed(const std::string& detail) {
    return Fail("Invalid syntax: " + detail + ". Type \"reg /?\" for usage.");
}

int InvalidKeyName() {
    return Fail("Invalid key name.");
}

int Cancelled() {
    return Fail("The operation was cancelled.");
}

int Crashed(const char* what) {
    return Fail(std::string("Unexpected failure: ") + what);
}

}  // namespace reg
