#include "platform/crypt/system_message.h"

#include <cstring>

#include "platform/crypt/errors.h"
#include "platform/registry/registry.h"
#include "platform/text/codepage.h"

namespace {

struct Message {
    DWORD code;
    const char* text;
};

// Our own wording; the CR LF that ends every message is added when it is read.
constexpr Message kMessages[] = {
    {static_cast<DWORD>(ERROR_SUCCESS), "The operation completed successfully."},
    {static_cast<DWORD>(ERROR_ACCESS_DENIED), "Access is denied."},
    {static_cast<DWORD>(ERROR_INVALID_HANDLE), "The handle is invalid."},
    {static_cast<DWORD>(ERROR_INVALID_PARAMETER), "The parameter is incorrect."},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small."},
    {static_cast<DWORD>(ERROR_MORE_DATA), "More data is available."},
    {ERROR_MR_MID_NOT_FOUND, "The system cannot find message text for the message number."},
    {ERROR_NO_UNICODE_TRANSLATION,
     "No mapping for the Unicode character exists in the target multi-byte code page."},
    {NTE_BAD_UID, "The handle does not name an open provider context."},
    {NTE_BAD_HASH, "The handle does not name an open hash object."},
    {NTE_BAD_KEY, "The key handle is not valid."},
    {NTE_BAD_ALGID, "The provider does not support the requested algorithm."},
    {NTE_BAD_FLAGS, "The flags given are not valid for this call."},
    {NTE_BAD_TYPE, "The provider does not know the requested parameter."},
    {NTE_BAD_HASH_STATE, "The hash object has been finished and takes no more data."},
    {NTE_NO_MEMORY, "The provider ran out of memory."},
    {NTE_EXISTS, "The key container already exists."},
    {NTE_BAD_KEYSET, "The key container does not exist."},
    {NTE_PROV_TYPE_NOT_DEF, "No provider is installed for the requested provider type."},
    {NTE_KEYSET_NOT_DEF, "The requested provider is not installed."},
    {NTE_PROV_TYPE_NO_MATCH, "The provider is not of the requested provider type."},
    {NTE_BAD_KEYSET_PARAM, "The key container name is not valid."},
    {NTE_FAIL, "An internal error occurred in the provider."},
};

constexpr DWORD kServedFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
constexpr DWORD kWidthMask = 0xFF;

const char* FindMessage(DWORD code) {
    for (const Message& m : kMessages)
        if (m.code == code) return m.text;
    return nullptr;
}

}  // namespace

DWORD FormatMessageA(DWORD flags, const void*, DWORD messageId, DWORD, char* buffer, DWORD size,
                     void*) {
    if ((flags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || (flags & ~(kServedFlags | kWidthMask)) != 0 ||
        buffer == nullptr) {
        SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        return 0;
    }
    const char* text = FindMessage(messageId);
    if (text == nullptr) {
        SetLastError(ERROR_MR_MID_NOT_FOUND);
        return 0;
    }
    size_t length = std::strlen(text);
    if (length + 3 > size) {  // the text, CR LF and the terminating NUL
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(buffer, text, length);
    std::memcpy(buffer + length, "\r\n", 3);
    return static_cast<DWORD>(length + 2);
}
