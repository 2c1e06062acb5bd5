#include <gtest/gtest.h>

#include <filesystem>

#include "platform/crypt/provider.h"
#include "platform/runtime/dll_error.h"
#include "signer/clsCryptoAPI.h"
#include "signer/globals.h"
#include "tests/signer/signer_fixture.h"

namespace {

namespace fs = std::filesystem;
using namespace signer;
using SignerSession = SignerTest;

// A context is live when a hash object can be made on it.
bool IsLive(HCRYPTPROV context) {
    HCRYPTHASH hash = 0;
    if (!CryptCreateHash(context, CALG_SHA1, 0, 0, &hash)) return false;
    CryptDestroyHash(hash);
    return true;
}

fs::path Container(const char* name) { return fs::path(cryptapi::KeyStoreDirectory()) / name; }

TEST_F(SignerSession, BlankNamesSelectTheDefaults) {
    struct Case {
        const char16_t* provider;
        const char16_t* container;
    };
    const Case cases[] = {{u"", u""}, {u"   ", u" "}, {u" ", u""}};
    for (const Case& c : cases) {
        clsCryptoAPI crypto;
        EXPECT_TRUE(crypto.SessionStart(c.provider, c.container));
        EXPECT_TRUE(IsLive(crypto.lngProvider));
    }
    EXPECT_TRUE(fs::is_directory(Container("EChequeContainer")));
    EXPECT_EQ(std::distance(fs::directory_iterator(cryptapi::KeyStoreDirectory()), fs::directory_iterator()), 1);
    EXPECT_EQ(glngErrorNumber, 0);
}

TEST_F(SignerSession, OtherNamesAreUsedAsTheyAre) {
    clsCryptoAPI crypto;
    EXPECT_TRUE(crypto.SessionStart(u"Microsoft Base Cryptographic Provider v1.0", u" Mine "));
    EXPECT_TRUE(fs::is_directory(Container(" Mine ")));
    EXPECT_FALSE(fs::exists(Container("EChequeContainer")));
}

TEST_F(SignerSession, ProviderNameWithAStraySpaceFailsWithoutALogLine) {
    for (const char16_t* provider : {u"Microsoft Base Cryptographic Provider v1.0 ",
                                     u" Microsoft Base Cryptographic Provider v1.0"}) {
        clsCryptoAPI crypto;
        EXPECT_FALSE(crypto.SessionStart(provider, u""));
        EXPECT_EQ(crypto.lngProvider, 0u);
        EXPECT_EQ(glngErrorNumber, 901);
    }
    EXPECT_FALSE(fs::exists(ErrorLogPath()));
}

TEST_F(SignerSession, ContainerIsCreatedFirstAndOpenedAfterwards) {
    ASSERT_FALSE(fs::exists(Container("EChequeContainer")));
    clsCryptoAPI first;
    ASSERT_TRUE(first.SessionStart(u"", u""));
    EXPECT_TRUE(fs::is_directory(Container("EChequeContainer")));
    clsCryptoAPI second;
    EXPECT_TRUE(second.SessionStart(u"", u""));
    EXPECT_EQ(runtime::LastDllError(), 0u);  // the opening attempt succeeded
    EXPECT_NE(first.lngProvider, second.lngProvider);
    EXPECT_TRUE(IsLive(first.lngProvider));
    EXPECT_TRUE(IsLive(second.lngProvider));
}

TEST_F(SignerSession, EndReleasesTheContextOnce) {
    clsCryptoAPI crypto;
    ASSERT_TRUE(crypto.SessionStart(u"", u""));
    HCRYPTPROV context = crypto.lngProvider;
    crypto.SessionEnd();
    EXPECT_EQ(crypto.lngProvider, 0u);
    EXPECT_FALSE(IsLive(context));

    // Without a context SessionEnd makes no call at all.
    SetLastError(1234);
    runtime::RecordLastDllError();
    crypto.SessionEnd();
    clsCryptoAPI never;
    never.SessionEnd();
    EXPECT_EQ(GetLastError(), 1234u);
    EXPECT_EQ(runtime::LastDllError(), 1234u);
}

TEST_F(SignerSession, ContextsStillHeldAreReleased) {
    HCRYPTPROV first = 0;
    {
        clsCryptoAPI crypto;
        ASSERT_TRUE(crypto.SessionStart(u"", u""));
        first = crypto.lngProvider;
        // A second start does not lose the first context.
        ASSERT_TRUE(crypto.SessionStart(u"", u""));
        EXPECT_FALSE(IsLive(first));
        first = crypto.lngProvider;
    }
    EXPECT_FALSE(IsLive(first));
}

}  // namespace
