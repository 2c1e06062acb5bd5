// The SHA-1 digest of a text through the cryptographic provider, handed back as base64 text.
// One object serves one digest: SessionStart, GetHash, SessionEnd. Failures set the status code
// (901, 902, 903) and, where the digest or the encoding failed, write an error-log line.
#pragma once

#include <string>
#include <string_view>

#include "platform/crypt/provider.h"

namespace signer {

class clsCryptoAPI {
public:
    clsCryptoAPI() = default;
    // Releases a context that is still held.
    ~clsCryptoAPI();
    clsCryptoAPI(const clsCryptoAPI&) = delete;
    clsCryptoAPI& operator=(const clsCryptoAPI&) = delete;

    // Acquires a context on the key container, creating the container at the first call for a
    // user. A name made only of spaces selects the default; any other is used as it is.
    bool SessionStart(std::u16string_view ServiceProvider, std::u16string_view KeyContainer);
    // Releases the context, if one is held.
    void SessionEnd();
    // The base64 SHA-1 digest (28 characters) of the text's ANSI bytes; empty text on failure.
    // A text with a character the ANSI code page cannot represent is refused (902), because it
    // would be digested as "?".
    std::u16string GetHash(std::u16string_view stText);
    // The base64 text of a byte text: one byte per character, the character's ANSI code.
    std::u16string Base64Encode(std::u16string_view asContents);

    HCRYPTPROV lngProvider = 0;

private:
    std::u16string EncodeDigest(std::string_view digest);
    std::u16string EncodingFailed();
};

}  // namespace signer
