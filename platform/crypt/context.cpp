// Acquiring and releasing provider contexts.
#include <strings.h>

#include "platform/crypt/handles.h"
#include "platform/crypt/key_store.h"
#include "platform/registry/registry.h"
#include "platform/text/codepage.h"

namespace cryptapi {

Handles& TheHandles() {
    // Never destroyed, so a context released from another object's destructor at exit still
    // finds the table.
    static Handles* handles = new Handles;
    return *handles;
}

namespace {

constexpr DWORD kAcquireFlags = CRYPT_NEWKEYSET;

DWORD CheckProvider(const char* provider, DWORD provType) {
    if (provider != nullptr && strcasecmp(provider, MS_DEF_PROV_A) != 0) return NTE_KEYSET_NOT_DEF;
    if (provType != PROV_RSA_FULL) return provider != nullptr ? NTE_PROV_TYPE_NO_MATCH : NTE_PROV_TYPE_NOT_DEF;
    return 0;
}

}  // namespace

}  // namespace cryptapi

using namespace cryptapi;

BOOL CryptAcquireContextA(HCRYPTPROV* phProv, const char* container, const char* provider,
                          DWORD provType, DWORD flags) {
    return Guarded([&]() -> DWORD {
        if (phProv == nullptr) return static_cast<DWORD>(ERROR_INVALID_PARAMETER);
        if ((flags & ~kAcquireFlags) != 0) return NTE_BAD_FLAGS;
        if (DWORD error = CheckProvider(provider, provType)) return error;
        std::string name = container != nullptr && *container != '\0' ? container : DefaultKeyContainerName();
        DWORD error = (flags & CRYPT_NEWKEYSET) ? CreateKeyContainer(name) : OpenKeyContainer(name);
        if (error) return error;
        Handles& h = TheHandles();
        std::lock_guard<std::mutex> lock(h.mutex);
        ULONG_PTR handle = h.NewHandle();
        h.providers.emplace(handle, ProviderContext{name});
        *phProv = handle;
        return 0;
    });
}

BOOL CryptReleaseContext(HCRYPTPROV hProv, DWORD flags) {
    return Guarded([&]() -> DWORD {
        if (flags != 0) return NTE_BAD_FLAGS;
        Handles& h = TheHandles();
        std::lock_guard<std::mutex> lock(h.mutex);
        if (h.providers.erase(hProv) == 0) return NTE_BAD_UID;
        std::erase_if(h.hashes, [&](const auto& entry) { return entry.second.provider == hProv; });
        return 0;
    });
}
