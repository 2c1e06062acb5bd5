#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/crypt/provider.h"
#include "platform/registry/registry.h"
#include "tests/support/temp_dir.h"

namespace {

std::string Hex(const BYTE* bytes, DWORD length) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (DWORD i = 0; i < length; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

class CryptHash : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CryptAcquireContextA(&provider_, "C", MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_NEWKEYSET));
        ASSERT_TRUE(CryptCreateHash(provider_, CALG_SHA1, 0, 0, &hash_));
    }
    void TearDown() override {
        CryptDestroyHash(hash_);
        CryptReleaseContext(provider_, 0);
    }
    bool HashText(const std::string& text) {
        return CryptHashData(hash_, reinterpret_cast<const BYTE*>(text.data()),
                             static_cast<DWORD>(text.size()), 0) != FALSE;
    }
    std::string Value() {
        BYTE value[20];
        DWORD length = sizeof value;
        EXPECT_TRUE(CryptGetHashParam(hash_, HP_HASHVAL, value, &length, 0));
        EXPECT_EQ(length, 20u);
        return Hex(value, length);
    }

    testing_support::ScopedPrefix prefix_;
    HCRYPTPROV provider_ = 0;
    HCRYPTHASH hash_ = 0;
};

TEST_F(CryptHash, Sha1OfTheDataInPieces) {
    EXPECT_TRUE(HashText("a"));
    EXPECT_TRUE(CryptHashData(hash_, nullptr, 0, 0));
    EXPECT_TRUE(HashText("bc"));
    EXPECT_EQ(Value(), "a9993e364706816aba3e25717850c26c9cd0d89d");
    EXPECT_EQ(Value(), "a9993e364706816aba3e25717850c26c9cd0d89d");  // reading again gives the same
}

TEST_F(CryptHash, Sha1OfNothing) { EXPECT_EQ(Value(), "da39a3ee5e6b4b0d3255bfef95601890afd80709"); }

TEST_F(CryptHash, LengthQueryThenValue) {
    SetLastError(0xDEAD);
    DWORD length = 0;
    EXPECT_TRUE(CryptGetHashParam(hash_, HP_HASHVAL, nullptr, &length, 0));
    EXPECT_EQ(length, 20u);
    EXPECT_EQ(GetLastError(), 0u);
    BYTE small[19];
    length = sizeof small;
    EXPECT_FALSE(CryptGetHashParam(hash_, HP_HASHVAL, small, &length, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MORE_DATA));
    EXPECT_EQ(length, 20u);
    // A refused read does not finish the hash.
    EXPECT_TRUE(HashText("abc"));
    EXPECT_EQ(Value(), "a9993e364706816aba3e25717850c26c9cd0d89d");

    DWORD size = 0;
    length = sizeof size;
    EXPECT_TRUE(CryptGetHashParam(hash_, HP_HASHSIZE, reinterpret_cast<BYTE*>(&size), &length, 0));
    EXPECT_EQ(size, 20u);
}

TEST_F(CryptHash, FinishedHashTakesNoMoreData) {
    Value();
    EXPECT_FALSE(HashText("more"));
    EXPECT_EQ(GetLastError(), NTE_BAD_HASH_STATE);
}

TEST_F(CryptHash, RejectedCalls) {
    HCRYPTHASH other = 0;
    BYTE buffer[20];
    DWORD length = sizeof buffer;
    const DWORD invalidParameter = static_cast<DWORD>(ERROR_INVALID_PARAMETER);
    struct Case {
        const char* what;
        std::function<BOOL()> call;
        DWORD error;
    };
    const Case cases[] = {
        {"no provider", [&] { return CryptCreateHash(0, CALG_SHA1, 0, 0, &other); }, NTE_BAD_UID},
        {"made-up provider", [&] { return CryptCreateHash(0xBAD0BAD, CALG_SHA1, 0, 0, &other); }, NTE_BAD_UID},
        {"hash as provider", [&] { return CryptCreateHash(hash_, CALG_SHA1, 0, 0, &other); }, NTE_BAD_UID},
        {"other algorithm", [&] { return CryptCreateHash(provider_, 0x8003, 0, 0, &other); }, NTE_BAD_ALGID},
        {"a key", [&] { return CryptCreateHash(provider_, CALG_SHA1, 7, 0, &other); }, NTE_BAD_KEY},
        {"hash flags", [&] { return CryptCreateHash(provider_, CALG_SHA1, 0, 1, &other); }, NTE_BAD_FLAGS},
        {"no out handle", [&] { return CryptCreateHash(provider_, CALG_SHA1, 0, 0, nullptr); }, invalidParameter},
        {"data of no hash", [&] { return CryptHashData(0, buffer, 1, 0); }, NTE_BAD_HASH},
        {"provider as hash", [&] { return CryptHashData(provider_, buffer, 1, 0); }, NTE_BAD_HASH},
        {"null data", [&] { return CryptHashData(hash_, nullptr, 1, 0); }, invalidParameter},
        {"data flags", [&] { return CryptHashData(hash_, buffer, 1, 1); }, NTE_BAD_FLAGS},
        {"unknown parameter", [&] { return CryptGetHashParam(hash_, 99, buffer, &length, 0); }, NTE_BAD_TYPE},
        {"no length", [&] { return CryptGetHashParam(hash_, HP_HASHVAL, buffer, nullptr, 0); }, invalidParameter},
        {"param of no hash", [&] { return CryptGetHashParam(0, HP_HASHVAL, buffer, &length, 0); }, NTE_BAD_HASH},
        {"destroy no hash", [&] { return CryptDestroyHash(0); }, NTE_BAD_HASH},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_FALSE(c.call()) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
    }
    EXPECT_EQ(other, 0u);
    // None of these touched the hash in progress.
    EXPECT_EQ(Value(), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
}

TEST_F(CryptHash, HandlesDieWithTheirOwners) {
    HCRYPTHASH second = 0;
    ASSERT_TRUE(CryptCreateHash(provider_, CALG_SHA1, 0, 0, &second));
    EXPECT_NE(second, hash_);
    EXPECT_TRUE(CryptDestroyHash(second));
    EXPECT_FALSE(CryptDestroyHash(second));
    EXPECT_EQ(GetLastError(), NTE_BAD_HASH);

    // Releasing the context destroys the hash objects still open on it.
    ASSERT_TRUE(CryptReleaseContext(provider_, 0));
    EXPECT_FALSE(HashText("x"));
    EXPECT_EQ(GetLastError(), NTE_BAD_HASH);
}

}  // namespace
