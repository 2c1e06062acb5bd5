// Base64 of a byte text, where each character stands for the byte of its ANSI code.
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

// The character's ANSI code; a character whose code does not fit in one byte (a double-byte
// character) raises a run-time error. A character without an ANSI form reads as "?".
char AnsiByte(char16_t c) {
    if (c < 0x80) return static_cast<char>(c);
    std::string code = text::ToAnsi(std::u16string_view(&c, 1));
    if (code.size() != 1) runtime::Raise(runtime::kErrSubscriptOutOfRange);
    return code[0];
}

}  // namespace

std::u16string clsCryptoAPI::Base64Encode(std::u16string_view asContents) {
    try {
        std::string bytes;
        bytes.reserve(asContents.size());
        for (char16_t c : asContents) bytes += AnsiByte(c);
        return Base64OfBytes(bytes);
    } catch (...) {
    }
    return EncodingFailed();
}

std::u16string clsCryptoAPI::EncodeDigest(std::string_view digest) {
    try {
        return Base64OfBytes(digest);
    } catch (...) {
    }
    return EncodingFailed();
}

std::u16string clsCryptoAPI::EncodingFailed() {
    glngErrorNumber = signer_status::kBase64Failed;
    modGeneral::LogError(glngErrorNumber, modGeneral::GetSystemErrorText(runtime::LastDllError()));
    return {};
}

}  // namespace signer
