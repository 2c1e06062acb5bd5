// SHA-1 hash objects on a provider context.
#include <cstring>
#include <vector>

#include "platform/crypt/handles.h"
#include "platform/registry/registry.h"
#include "platform/text/codepage.h"

namespace cryptapi {

namespace {

constexpr DWORD kInvalidParameter = static_cast<DWORD>(ERROR_INVALID_PARAMETER);

// The hash object of a handle, or null; the caller holds the lock.
HashObject* FindHash(Handles& h, HCRYPTHASH handle) {
    auto it = h.hashes.find(handle);
    return it == h.hashes.end() ? nullptr : &it->second;
}

// Finishes the hash once; the value stays readable afterwards.
DWORD Finish(HashObject& hash) {
    if (hash.finished) return 0;
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(hash.ctx.get(), hash.value.data(), &length) != 1 || length != kSha1Length)
        return NTE_FAIL;
    hash.finished = true;
    return 0;
}

std::vector<BYTE> DwordBytes(DWORD value) {
    std::vector<BYTE> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

}  // namespace

}  // namespace cryptapi

using namespace cryptapi;

BOOL CryptCreateHash(HCRYPTPROV hProv, ALG_ID algid, HCRYPTKEY hKey, DWORD flags, HCRYPTHASH* phHash) {
    return Guarded([&]() -> DWORD {
        if (phHash == nullptr) return kInvalidParameter;
        Handles& h = TheHandles();
        std::lock_guard<std::mutex> lock(h.mutex);
        if (h.providers.count(hProv) == 0) return NTE_BAD_UID;
        if (flags != 0) return NTE_BAD_FLAGS;
        if (algid != CALG_SHA1) return NTE_BAD_ALGID;
        if (hKey != 0) return NTE_BAD_KEY;
        EvpMdCtxPtr ctx(EVP_MD_CTX_new());
        if (!ctx) return NTE_NO_MEMORY;
        if (EVP_DigestInit_ex(ctx.get(), EVP_sha1(), nullptr) != 1) return NTE_FAIL;
        HashObject hash;
        hash.provider = hProv;
        hash.ctx = std::move(ctx);
        ULONG_PTR handle = h.NewHandle();
        h.hashes.emplace(handle, std::move(hash));
        *phHash = handle;
        return 0;
    });
}

BOOL CryptHashData(HCRYPTHASH hHash, const BYTE* data, DWORD length, DWORD flags) {
    return Guarded([&]() -> DWORD {
        Handles& h = TheHandles();
        std::lock_guard<std::mutex> lock(h.mutex);
        HashObject* hash = FindHash(h, hHash);
        if (hash == nullptr) return NTE_BAD_HASH;
        if (flags != 0) return NTE_BAD_FLAGS;
        if (data == nullptr && length != 0) return kInvalidParameter;
        if (hash->finished) return NTE_BAD_HASH_STATE;
        if (length != 0 && EVP_DigestUpdate(hash->ctx.get(), data, length) != 1) return NTE_FAIL;
        return 0;
    });
}

BOOL CryptGetHashParam(HCRYPTHASH hHash, DWORD param, BYTE* data, DWORD* length, DWORD flags) {
    return Guarded([&]() -> DWORD {
        if (length == nullptr) return kInvalidParameter;
        Handles& h = TheHandles();
        std::lock_guard<std::mutex> lock(h.mutex);
        HashObject* hash = FindHash(h, hHash);
        if (hash == nullptr) return NTE_BAD_HASH;
        if (flags != 0) return NTE_BAD_FLAGS;
        std::vector<BYTE> value;
        switch (param) {
            case HP_ALGID: value = DwordBytes(CALG_SHA1); break;
            case HP_HASHSIZE: value = DwordBytes(kSha1Length); break;
            case HP_HASHVAL: value.assign(kSha1Length, 0); break;
            default: return NTE_BAD_TYPE;
        }
        DWORD needed = static_cast<DWORD>(value.size());
        if (data == nullptr) {
            *length = needed;
            return 0;
        }
        if (*length < needed) {
            *length = needed;
            return static_cast<DWORD>(ERROR_MORE_DATA);
        }
        if (param == HP_HASHVAL) {
            if (DWORD error = Finish(*hash)) return error;
            value.assign(hash->value.begin(), hash->value.end());
        }
        std::memcpy(data, value.data(), needed);
        *length = needed;
        return 0;
    });
}

BOOL CryptDestroyHash(HCRYPTHASH hHash) {
    return Guarded([&]() -> DWORD {
        Handles& h = TheHandles();
        std::lock_guard<std::mutex> lock(h.mutex);
        return h.hashes.erase(hHash) == 0 ? NTE_BAD_HASH : 0;
    });
}
