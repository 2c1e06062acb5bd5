// The provider's open contexts and hash objects, keyed by handle. Handles come from one counter
// and are never reused, so a handle of the wrong kind or a stale one is simply not found.
#pragma once

#include <openssl/evp.h>

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <string>

#include "platform/crypt/errors.h"
#include "platform/crypt/provider.h"

namespace cryptapi {

struct EvpMdCtxFree {
    void operator()(EVP_MD_CTX* ctx) const { EVP_MD_CTX_free(ctx); }
};
using EvpMdCtxPtr = std::unique_ptr<EVP_MD_CTX, EvpMdCtxFree>;

inline constexpr DWORD kSha1Length = 20;

struct ProviderContext {
    std::string container;
};

struct HashObject {
    HCRYPTPROV provider = 0;
    EvpMdCtxPtr ctx;
    bool finished = false;  // the value has been read; no more data
    std::array<BYTE, kSha1Length> value{};
};

// All state, behind one lock that each call holds for its whole length.
struct Handles {
    std::mutex mutex;
    std::map<ULONG_PTR, ProviderContext> providers;
    std::map<ULONG_PTR, HashObject> hashes;
    ULONG_PTR next = 0x1000;

    ULONG_PTR NewHandle() { return next++; }
};

Handles& TheHandles();

// Runs a call's body, which returns 0 or an error number, and turns it into the call's result
// and last error code. Nothing thrown inside gets out.
template <class Body>
BOOL Guarded(Body&& body) noexcept {
    DWORD error;
    try {
        error = body();
    } catch (const std::bad_alloc&) {
        error = NTE_NO_MEMORY;
    } catch (...) {
        error = NTE_FAIL;
    }
    SetLastError(error);
    return error == 0 ? TRUE : FALSE;
}

}  // namespace cryptapi
