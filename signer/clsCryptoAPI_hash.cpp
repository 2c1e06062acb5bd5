// The SHA-1 digest of a text, as base64 text.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "platform/runtime/dll_error.h"
#include "platform/runtime/error.h"
#include "platform/text/codepage.h"
#include "signer/base64.h"
#include "signer/clsCryptoAPI.h"
#include "signer/globals.h"
#include "signer/modGeneral.h"
#include "signer/status_codes.h"

namespace signer {

namespace {

// Bounds the length that the provider reports for the hash value (20 for SHA-1).
constexpr DWORD kMaxHashLength = 64;

// Owns one hash object. A failure path destroys it quietly, so the error code recorded for the
// failing call is the one that gets logged.
class HashObject {
public:
    HashObject() = default;
    ~HashObject() {
        if (handle_ != 0) CryptDestroyHash(handle_);
    }
    HashObject(const HashObject&) = delete;
    HashObject& operator=(const HashObject&) = delete;

    HCRYPTHASH* Out() { return &handle_; }
    HCRYPTHASH Get() const { return handle_; }
    void Destroy() { runtime::DllCall(CryptDestroyHash(std::exchange(handle_, 0))); }

private:
    HCRYPTHASH handle_ = 0;
};

// The 20 digest bytes of the text's ANSI bytes; nullopt when a call fails.
std::optional<std::string> Sha1OfText(HCRYPTPROV provider, std::u16string_view stText) {
    HashObject hash;
    if (!runtime::DllCall(CryptCreateHash(provider, CALG_SHA1, 0, 0, hash.Out()))) return std::nullopt;
    // Every byte of the converted text is digested (a multi-byte code page gives more bytes than
    // characters), and a character without an ANSI form is refused rather than digested as "?".
    std::string bytes;
    if (!runtime::DllCall(text::ToAnsiStrict(stText, &bytes))) return std::nullopt;
    if (bytes.size() > UINT32_MAX) runtime::Raise(runtime::kErrOverflow);
    if (!runtime::DllCall(CryptHashData(hash.Get(), reinterpret_cast<const BYTE*>(bytes.data()),
                                        static_cast<DWORD>(bytes.size()), 0)))
        return std::nullopt;
    DWORD length = 0;
    runtime::DllCall(CryptGetHashParam(hash.Get(), HP_HASHVAL, nullptr, &length, 0));
    BYTE value[kMaxHashLength];
    length = std::min(length, kMaxHashLength);
    if (!runtime::DllCall(CryptGetHashParam(hash.Get(), HP_HASHVAL, value, &length, 0))) return std::nullopt;
    hash.Destroy();
    return std::string(reinterpret_cast<const char*>(value), length);
}

}  // namespace

std::u16string clsCryptoAPI::GetHash(std::u16string_view stText) {
    try {
        std::optional<std::string> digest = Sha1OfText(lngProvider, stText);
        if (digest) return EncodeDigest(*digest);
    } catch (...) {
    }
    glngErrorNumber = signer_status::kDigestFailed;
    modGeneral::LogError(glngErrorNumber, modGeneral::GetSystemErrorText(runtime::LastDllError()));
    return {};
}

}  // namespace signer
