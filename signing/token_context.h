// The process-wide token context shared by every control instance, and the Cryptoki call pattern:
// look the function up by name in the loaded module, call it, keep the return value in lastRv and a
// non-zero one in statusCode as well.
#pragma once

#include <array>
#include <cstdint>

#include "platform/loader/loader.h"
#include "signing/cryptoki.h"
#include "signing/status_codes.h"

namespace signing {

// The 13 Cryptoki functions the control calls, each with its function type and standard name.
enum class Fn : int {
    C_Initialize,
    C_Finalize,
    C_GetSlotList,
    C_OpenSession,
    C_CloseSession,
    C_Login,
    C_Logout,
    C_FindObjectsInit,
    C_FindObjects,
    C_FindObjectsFinal,
    C_SignInit,
    C_Sign,
    C_GetAttributeValue,
    Count
};

template <Fn F> struct FnTraits;
#define SIGNING_CRYPTOKI_FN(name)                              \
    template <> struct FnTraits<Fn::name> {                    \
        using type = CK_##name;                                \
        static constexpr const char* kName = #name;            \
    };
SIGNING_CRYPTOKI_FN(C_Initialize)
SIGNING_CRYPTOKI_FN(C_Finalize)
SIGNING_CRYPTOKI_FN(C_GetSlotList)
SIGNING_CRYPTOKI_FN(C_OpenSession)
SIGNING_CRYPTOKI_FN(C_CloseSession)
SIGNING_CRYPTOKI_FN(C_Login)
SIGNING_CRYPTOKI_FN(C_Logout)
SIGNING_CRYPTOKI_FN(C_FindObjectsInit)
SIGNING_CRYPTOKI_FN(C_FindObjects)
SIGNING_CRYPTOKI_FN(C_FindObjectsFinal)
SIGNING_CRYPTOKI_FN(C_SignInit)
SIGNING_CRYPTOKI_FN(C_Sign)
SIGNING_CRYPTOKI_FN(C_GetAttributeValue)
#undef SIGNING_CRYPTOKI_FN

struct TokenContext {
    HMODULE moduleHandle = nullptr;           // never unloaded once loaded
    CK_SESSION_HANDLE sessionHandle = 0;      // written by C_OpenSession only
    CK_RV lastRv = 0;
    std::int32_t statusCode = 0;
    std::int32_t pinTriesLeft = 3;
    std::array<FARPROC, static_cast<int>(Fn::Count)> entries{};

    // Looks the function up by name and keeps the address in its entry (null when missing).
    template <Fn F> void LookUp() {
        entries[static_cast<int>(F)] =
            moduleHandle ? GetProcAddress(moduleHandle, FnTraits<F>::kName) : nullptr;
    }

    // Calls the address in the function's entry and records the result. Without a module, or
    // when the module lacks the function, the call fails like a Cryptoki call with the control's
    // own value instead of calling through a missing address.
    template <Fn F, class... Args> CK_RV CallLookedUp(Args... args) {
        CK_RV rv;
        if (moduleHandle == nullptr)
            rv = static_cast<CK_RV>(signing_status::kNoModule);
        else if (FARPROC entry = entries[static_cast<int>(F)]; entry == nullptr)
            rv = static_cast<CK_RV>(signing_status::kFunctionMissing);
        else
            rv = reinterpret_cast<typename FnTraits<F>::type>(entry)(args...);
        Record(rv);
        return rv;
    }

    // The usual pattern: a fresh look-up before the call.
    template <Fn F, class... Args> CK_RV Call(Args... args) {
        LookUp<F>();
        return CallLookedUp<F>(args...);
    }

    void Record(CK_RV rv) {
        lastRv = rv;
        if (rv != CKR_OK) statusCode = static_cast<std::int32_t>(static_cast<std::uint32_t>(rv));
    }
};

// The one context of this process.
TokenContext& Token();

}  // namespace signing
