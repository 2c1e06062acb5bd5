// Acquiring and releasing the provider context of a clsCryptoAPI object.
#include <algorithm>
#include <utility>

#include "platform/runtime/dll_error.h"
#include "platform/text/codepage.h"
#include "signer/clsCryptoAPI.h"
#include "signer/globals.h"
#include "signer/modGeneral.h"
#include "signer/status_codes.h"

namespace signer {

namespace {

constexpr const char* kDefaultKeyContainer = "EChequeContainer";

bool IsBlank(std::u16string_view name) {
    return std::all_of(name.begin(), name.end(), [](char16_t c) { return c == u' '; });
}

// The name in the ANSI code page, or the default when the name is blank.
std::string NameOrDefault(std::u16string_view name, const char* defaultName) {
    return IsBlank(name) ? std::string(defaultName) : text::ToAnsi(name);
}

}  // namespace

clsCryptoAPI::~clsCryptoAPI() {
    if (lngProvider != 0) CryptReleaseContext(lngProvider, 0);
}

bool clsCryptoAPI::SessionStart(std::u16string_view ServiceProvider, std::u16string_view KeyContainer) {
    try {
        // A context still held from an earlier start would otherwise be lost.
        if (lngProvider != 0) CryptReleaseContext(std::exchange(lngProvider, 0), 0);
        std::string provider = NameOrDefault(ServiceProvider, MS_DEF_PROV_A);
        std::string container = NameOrDefault(KeyContainer, kDefaultKeyContainer);
        if (runtime::DllCall(CryptAcquireContextA(&lngProvider, container.c_str(), provider.c_str(),
                                                  PROV_RSA_FULL, CRYPT_NEWKEYSET)))
            return true;
        if (runtime::DllCall(
                CryptAcquireContextA(&lngProvider, container.c_str(), provider.c_str(), PROV_RSA_FULL, 0)))
            return true;
        glngErrorNumber = signer_status::kNoProvider;
        return false;
    } catch (...) {
    }
    glngErrorNumber = signer_status::kNoProvider;
    modGeneral::LogError(glngErrorNumber, modGeneral::GetSystemErrorText(runtime::LastDllError()));
    return false;
}

void clsCryptoAPI::SessionEnd() {
    if (lngProvider == 0) return;
    runtime::DllCall(CryptReleaseContext(std::exchange(lngProvider, 0), 0));
}

}  // namespace signer
