// Signing and certificate export: find the first private key that may sign (or the first
// certificate) on the token, sign with SHA-1/RSA PKCS #1 v1.5 there, and hand back base64 text.
#include <cstring>
#include <vector>

#include "signing/SigningCtrl.h"
#include "signing/base64_conversion.h"
#include "signing/token_context.h"

namespace {

using signing::Fn;

constexpr CK_ULONG kMaxHandles = 5;
constexpr CK_ULONG kSignatureBufferSize = 512;
// A certificate value longer than this is no real certificate: refuse it rather than allocate.
constexpr CK_ULONG kMaxCertificateLength = 1024 * 1024;

// Runs one search with the template and gives the first handle found. On failure the search has
// been closed and statusCode holds the reason (the search's own code is set after closing it).
bool FindFirst(CK_ATTRIBUTE* templ, CK_ULONG templCount, std::int32_t notFoundCode, CK_OBJECT_HANDLE* first) {
    signing::TokenContext& token = signing::Token();
    if (token.Call<Fn::C_FindObjectsInit>(token.sessionHandle, templ, templCount) != CKR_OK) return false;

    CK_OBJECT_HANDLE handles[kMaxHandles] = {};
    CK_ULONG found = 0;
    CK_RV rv = token.Call<Fn::C_FindObjects>(token.sessionHandle, handles, kMaxHandles, &found);
    if (rv != CKR_OK) {
        token.Call<Fn::C_FindObjectsFinal>(token.sessionHandle);
        token.statusCode = static_cast<std::int32_t>(static_cast<std::uint32_t>(rv));
        return false;
    }
    if (found == 0) {
        token.Call<Fn::C_FindObjectsFinal>(token.sessionHandle);
        token.statusCode = notFoundCode;
        return false;
    }
    if (token.Call<Fn::C_FindObjectsFinal>(token.sessionHandle) != CKR_OK) return false;
    *first = handles[0];
    return true;
}

bool FindSigningKey(CK_OBJECT_HANDLE* key) {
    CK_OBJECT_CLASS keyClass = CKO_PRIVATE_KEY;
    CK_BBOOL canSign = CK_TRUE;
    CK_ATTRIBUTE templ[] = {
        {CKA_CLASS, &keyClass, sizeof keyClass},
        {CKA_SIGN, &canSign, sizeof canSign},
    };
    return FindFirst(templ, 2, signing_status::kNoPrivateKey, key);
}

// Key search, C_SignInit and C_Sign over the data's bytes up to its first NUL.
bool SignOnToken(const char* datatobesign, unsigned char (&signature)[kSignatureBufferSize], CK_ULONG* length) {
    signing::TokenContext& token = signing::Token();
    CK_OBJECT_HANDLE key = 0;
    if (!FindSigningKey(&key)) return false;
    CK_MECHANISM mechanism{CKM_SHA1_RSA_PKCS, nullptr, 0};
    if (token.Call<Fn::C_SignInit>(token.sessionHandle, &mechanism, key) != CKR_OK) return false;
    const char* data = datatobesign ? datatobesign : "";
    *length = kSignatureBufferSize;
    return token.Call<Fn::C_Sign>(token.sessionHandle,
                                  reinterpret_cast<CK_BYTE*>(const_cast<char*>(data)),
                                  static_cast<CK_ULONG>(std::strlen(data)), signature, length) == CKR_OK;
}

}  // namespace

BSTR CSigningCtrl::signing(const char* datatobesign, const char* /*alg: the mechanism is fixed*/) {
    unsigned char signature[kSignatureBufferSize] = {};
    CK_ULONG length = 0;
    if (!SignOnToken(datatobesign, signature, &length)) return nullptr;
    if (length > kSignatureBufferSize) length = kSignatureBufferSize;
    return signing::ConvertToBase64(signature, length);
}

short CSigningCtrl::xmlSigning(const char* datatobesign, const char* /*alg*/, short /*signLength*/) {
    unsigned char signature[kSignatureBufferSize] = {};
    CK_ULONG length = 0;
    SignOnToken(datatobesign, signature, &length);
    return 0;
}

BSTR CSigningCtrl::getCertificate() {
    signing::TokenContext& token = signing::Token();
    CK_OBJECT_CLASS certificateClass = CKO_CERTIFICATE;
    CK_ATTRIBUTE search[] = {{CKA_CLASS, &certificateClass, sizeof certificateClass}};
    CK_OBJECT_HANDLE certificate = 0;
    if (!FindFirst(search, 1, signing_status::kNoCertificate, &certificate)) return nullptr;

    CK_ATTRIBUTE value{CKA_VALUE, nullptr, 0};
    if (token.Call<Fn::C_GetAttributeValue>(token.sessionHandle, certificate, &value, CK_ULONG{1}) != CKR_OK)
        return nullptr;
    if (value.ulValueLen == CK_UNAVAILABLE_INFORMATION || value.ulValueLen > kMaxCertificateLength) {
        token.statusCode = signing_status::kNoCertificate;
        return nullptr;
    }
    std::vector<unsigned char> buffer(value.ulValueLen);
    value.pValue = buffer.data();
    if (token.Call<Fn::C_GetAttributeValue>(token.sessionHandle, certificate, &value, CK_ULONG{1}) != CKR_OK)
        return nullptr;
    CK_ULONG length = value.ulValueLen <= buffer.size() ? value.ulValueLen : buffer.size();
    return signing::ConvertToBase64(buffer.data(), length);
}
