#include "platform/crypt/provider.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/registry/registry.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Every test runs with a fresh prefix directory, so the key store starts empty.
class CryptProvider : public ::testing::Test {
protected:
    // The call's result and last error, starting from a last error that a success must clear.
    DWORD Acquire(const char* container, const char* provider, DWORD type, DWORD flags) {
        SetLastError(0xDEAD);
        handle_ = 0;
        BOOL ok = CryptAcquireContextA(&handle_, container, provider, type, flags);
        DWORD error = GetLastError();
        EXPECT_EQ(ok != FALSE, error == 0);
        EXPECT_EQ(ok != FALSE, handle_ != 0);
        if (ok) CryptReleaseContext(handle_, 0);
        return error;
    }
    fs::path KeyStore() const { return cryptapi::KeyStoreDirectory(); }

    testing_support::ScopedPrefix prefix_;
    HCRYPTPROV handle_ = 0;
};

TEST_F(CryptProvider, KeyStoreLiesInThePrefixDirectory) {
    EXPECT_EQ(KeyStore().parent_path(), fs::path(prefix_.dir().str()));
}

TEST_F(CryptProvider, NewKeysetCreatesOnceAndZeroFlagsOpens) {
    EXPECT_EQ(Acquire("EChequeContainer", MS_DEF_PROV_A, PROV_RSA_FULL, 0), NTE_BAD_KEYSET);
    EXPECT_EQ(Acquire("EChequeContainer", MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_NEWKEYSET), 0u);
    EXPECT_TRUE(fs::is_directory(KeyStore() / "EChequeContainer"));
    EXPECT_EQ(Acquire("EChequeContainer", MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_NEWKEYSET), NTE_EXISTS);
    EXPECT_EQ(Acquire("EChequeContainer", MS_DEF_PROV_A, PROV_RSA_FULL, 0), 0u);
    // Other names are other containers.
    EXPECT_EQ(Acquire("EChequeContainer ", MS_DEF_PROV_A, PROV_RSA_FULL, 0), NTE_BAD_KEYSET);
}

TEST_F(CryptProvider, RejectedRequests) {
    struct Case {
        const char* what;
        const char* provider;
        DWORD type;
        DWORD flags;
        DWORD error;
    };
    const Case cases[] = {
        {"provider name with a stray space", "Microsoft Base Cryptographic Provider v1.0 ",
         PROV_RSA_FULL, CRYPT_NEWKEYSET, NTE_KEYSET_NOT_DEF},
        {"unknown provider", "Another Provider", PROV_RSA_FULL, 0, NTE_KEYSET_NOT_DEF},
        {"named provider of another type", MS_DEF_PROV_A, 24, CRYPT_NEWKEYSET, NTE_PROV_TYPE_NO_MATCH},
        {"no provider of the type", nullptr, 24, CRYPT_NEWKEYSET, NTE_PROV_TYPE_NOT_DEF},
        {"unknown flag", MS_DEF_PROV_A, PROV_RSA_FULL, 0x40, NTE_BAD_FLAGS},
    };
    for (const Case& c : cases) EXPECT_EQ(Acquire("C", c.provider, c.type, c.flags), c.error) << c.what;
    EXPECT_FALSE(fs::exists(KeyStore() / "C"));

    SetLastError(0);
    EXPECT_FALSE(CryptAcquireContextA(nullptr, "C", MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_NEWKEYSET));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(CryptProvider, ProviderNamesIgnoreCaseAndDefaultByType) {
    EXPECT_EQ(Acquire("A", "microsoft base cryptographic PROVIDER v1.0", PROV_RSA_FULL, CRYPT_NEWKEYSET), 0u);
    EXPECT_EQ(Acquire("A", nullptr, PROV_RSA_FULL, 0), 0u);
}

TEST_F(CryptProvider, NoContainerNameMeansTheUsersContainer) {
    EXPECT_EQ(Acquire(nullptr, MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_NEWKEYSET), 0u);
    EXPECT_EQ(Acquire("", MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_NEWKEYSET), NTE_EXISTS);
    EXPECT_EQ(std::distance(fs::directory_iterator(KeyStore()), fs::directory_iterator()), 1);
}

// Any name is a container of the store, never a path out of it.
TEST_F(CryptProvider, ContainerNamesStayInsideTheKeyStore) {
    const char* names[] = {"../escape", "a/b", ".", "..", " padded ", "\xE9t\xE9", "a\\b"};
    for (const char* name : names) {
        EXPECT_EQ(Acquire(name, MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_NEWKEYSET), 0u) << name;
        EXPECT_EQ(Acquire(name, MS_DEF_PROV_A, PROV_RSA_FULL, 0), 0u) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(KeyStore()), fs::directory_iterator()),
              static_cast<long>(std::size(names)));
    EXPECT_EQ(std::distance(fs::directory_iterator(prefix_.dir().path()), fs::directory_iterator()), 1);
    EXPECT_TRUE(fs::is_directory(KeyStore() / " padded "));
    std::string tooLong(300, 'x');
    EXPECT_EQ(Acquire(tooLong.c_str(), MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_NEWKEYSET), NTE_BAD_KEYSET_PARAM);
}

TEST_F(CryptProvider, UnwritableKeyStoreIsAccessDenied) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    ASSERT_EQ(::chmod(prefix_.dir().path().c_str(), 0500), 0);
    EXPECT_EQ(Acquire("C", MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_NEWKEYSET),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ::chmod(prefix_.dir().path().c_str(), 0700);
}

TEST_F(CryptProvider, ReleaseTakesEachContextOnce) {
    HCRYPTPROV a = 0, b = 0;
    ASSERT_TRUE(CryptAcquireContextA(&a, "C", MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_NEWKEYSET));
    ASSERT_TRUE(CryptAcquireContextA(&b, "C", MS_DEF_PROV_A, PROV_RSA_FULL, 0));
    EXPECT_NE(a, b);
    EXPECT_FALSE(CryptReleaseContext(a, 1));
    EXPECT_EQ(GetLastError(), NTE_BAD_FLAGS);
    SetLastError(0xDEAD);
    EXPECT_TRUE(CryptReleaseContext(a, 0));
    EXPECT_EQ(GetLastError(), 0u);
    for (HCRYPTPROV bad : {a, HCRYPTPROV{0}, HCRYPTPROV{0xBAD0BAD}}) {
        EXPECT_FALSE(CryptReleaseContext(bad, 0));
        EXPECT_EQ(GetLastError(), NTE_BAD_UID);
    }
    EXPECT_TRUE(CryptReleaseContext(b, 0));
}

}  // namespace
