#include "platform/crypt/system_message.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/crypt/errors.h"
#include "platform/registry/registry.h"
#include "platform/text/codepage.h"

namespace {

constexpr DWORD kFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;

std::string Message(DWORD code, DWORD size = 256) {
    char buffer[512];
    DWORD n = FormatMessageA(kFlags, nullptr, code, 0, buffer, size, nullptr);
    return std::string(buffer, n);
}

// Every code that the provider calls and the strict conversion can leave has a message.
TEST(SystemMessage, EveryCodeOfTheProviderHasAMessageEndingInCrLf) {
    const DWORD codes[] = {
        0, static_cast<DWORD>(ERROR_ACCESS_DENIED), static_cast<DWORD>(ERROR_INVALID_HANDLE),
        static_cast<DWORD>(ERROR_INVALID_PARAMETER), static_cast<DWORD>(ERROR_MORE_DATA),
        ERROR_NO_UNICODE_TRANSLATION, NTE_BAD_UID, NTE_BAD_HASH, NTE_BAD_KEY, NTE_BAD_ALGID,
        NTE_BAD_FLAGS, NTE_BAD_TYPE, NTE_BAD_HASH_STATE, NTE_NO_MEMORY, NTE_EXISTS, NTE_BAD_KEYSET,
        NTE_PROV_TYPE_NOT_DEF, NTE_KEYSET_NOT_DEF, NTE_PROV_TYPE_NO_MATCH, NTE_BAD_KEYSET_PARAM, NTE_FAIL,
    };
    for (DWORD code : codes) {
        std::string text = Message(code);
        ASSERT_GT(text.size(), 2u) << std::hex << code;
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << std::hex << code;
        EXPECT_EQ(text.find("\r\n"), text.size() - 2) << std::hex << code;
    }
    EXPECT_EQ(Message(0), "The operation completed successfully.\r\n");
    EXPECT_EQ(Message(1113), "No mapping for the Unicode character exists in the target multi-byte code page.\r\n");
}

TEST(SystemMessage, NoMessageGivesZero) {
    char buffer[256];
    struct Case {
        const char* what;
        DWORD flags;
        DWORD code;
        char* buffer;
        DWORD size;
        DWORD error;
    };
    const Case cases[] = {
        {"unknown code", kFlags, 0x12345678, buffer, 256, ERROR_MR_MID_NOT_FOUND},
        {"not from the system", FORMAT_MESSAGE_IGNORE_INSERTS, 0, buffer, 256,
         static_cast<DWORD>(ERROR_INVALID_PARAMETER)},
        {"allocating", kFlags | 0x100, 0, buffer, 256, static_cast<DWORD>(ERROR_INVALID_PARAMETER)},
        {"no buffer", kFlags, 0, nullptr, 256, static_cast<DWORD>(ERROR_INVALID_PARAMETER)},
        {"no room", kFlags, 0, buffer, 0, ERROR_INSUFFICIENT_BUFFER},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(FormatMessageA(c.flags, nullptr, c.code, 0, c.buffer, c.size, nullptr), 0u) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
    }
}

TEST(SystemMessage, MessageAndItsNulMustFit) {
    const std::string full = Message(0);
    const DWORD exact = static_cast<DWORD>(full.size() + 1);
    EXPECT_EQ(Message(0, exact), full);
    EXPECT_EQ(Message(0, exact - 1), "");
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    FormatMessageA(kFlags, nullptr, 0, 0, buffer, sizeof buffer, nullptr);
    EXPECT_EQ(buffer[full.size()], '\0');
}

}  // namespace
