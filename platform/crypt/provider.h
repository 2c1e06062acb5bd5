// The cryptographic provider interface: one provider, "Microsoft Base Cryptographic Provider
// v1.0" of type PROV_RSA_FULL, with key containers in the user's key store (a folder of the
// prefix directory) and SHA-1 hash objects (OpenSSL underneath).
// Every call sets the thread's last error code (GetLastError): 0 on success, otherwise the
// platform's number for the failure (see errors.h). Handles are never reused, so a stale or made-up
// handle fails cleanly.
#pragma once

#include <cstdint>
#include <string>

#include "platform/com/types.h"
#include "platform/crypt/errors.h"
#include "platform/text/codepage.h"  // GetLastError

using ULONG_PTR = std::uintptr_t;
using HCRYPTPROV = ULONG_PTR;
using HCRYPTHASH = ULONG_PTR;
using HCRYPTKEY = ULONG_PTR;
using ALG_ID = UINT;

inline constexpr char MS_DEF_PROV_A[] = "Microsoft Base Cryptographic Provider v1.0";
inline constexpr DWORD PROV_RSA_FULL = 1;

// Flags of CryptAcquireContextA: CRYPT_NEWKEYSET creates the container (and fails with
// NTE_EXISTS when it is there); 0 opens it (and fails with NTE_BAD_KEYSET when it is not).
inline constexpr DWORD CRYPT_NEWKEYSET = 0x8;

inline constexpr ALG_ID CALG_SHA1 = 0x8004;

// Hash parameters.
inline constexpr DWORD HP_ALGID = 0x1;
inline constexpr DWORD HP_HASHVAL = 0x2;
inline constexpr DWORD HP_HASHSIZE = 0x4;

// container null or empty: the container named after the user. provider null: the provider of
// the type. Provider names compare without regard to case.
BOOL CryptAcquireContextA(HCRYPTPROV* phProv, const char* container, const char* provider,
                          DWORD provType, DWORD flags);
// Also destroys the hash objects still open on the context.
BOOL CryptReleaseContext(HCRYPTPROV hProv, DWORD flags);

BOOL CryptCreateHash(HCRYPTPROV hProv, ALG_ID algid, HCRYPTKEY hKey, DWORD flags, HCRYPTHASH* phHash);
BOOL CryptHashData(HCRYPTHASH hHash, const BYTE* data, DWORD length, DWORD flags);
// data null: only *length is set (the size of the parameter). A buffer smaller than the parameter
// fails with ERROR_MORE_DATA and the needed size in *length. Reading HP_HASHVAL finishes the hash:
// later CryptHashData calls fail with NTE_BAD_HASH_STATE.
BOOL CryptGetHashParam(HCRYPTHASH hHash, DWORD param, BYTE* data, DWORD* length, DWORD flags);
BOOL CryptDestroyHash(HCRYPTHASH hHash);

namespace cryptapi {
// The folder that holds the user's key containers, one folder per container.
std::string KeyStoreDirectory();
}  // namespace cryptapi
