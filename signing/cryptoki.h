// The handful of Cryptoki (PKCS#11 v2) types, constants and function types the control uses.
// Integer widths follow this platform's ABI for Cryptoki: CK_ULONG is the C "unsigned long".
#pragma once

extern "C" {

typedef unsigned char CK_BYTE;
typedef CK_BYTE CK_BBOOL;
typedef CK_BYTE CK_UTF8CHAR;
typedef unsigned long CK_ULONG;
typedef CK_ULONG CK_RV;
typedef CK_ULONG CK_FLAGS;
typedef CK_ULONG CK_SLOT_ID;
typedef CK_ULONG CK_SESSION_HANDLE;
typedef CK_ULONG CK_OBJECT_HANDLE;
typedef CK_ULONG CK_OBJECT_CLASS;
typedef CK_ULONG CK_ATTRIBUTE_TYPE;
typedef CK_ULONG CK_MECHANISM_TYPE;
typedef CK_ULONG CK_USER_TYPE;
typedef CK_ULONG CK_NOTIFICATION;
typedef void* CK_VOID_PTR;

typedef CK_RV (*CK_NOTIFY)(CK_SESSION_HANDLE session, CK_NOTIFICATION event, CK_VOID_PTR application);

struct CK_ATTRIBUTE {
    CK_ATTRIBUTE_TYPE type;
    CK_VOID_PTR pValue;
    CK_ULONG ulValueLen;
};

struct CK_MECHANISM {
    CK_MECHANISM_TYPE mechanism;
    CK_VOID_PTR pParameter;
    CK_ULONG ulParameterLen;
};

typedef CK_RV (*CK_C_Initialize)(CK_VOID_PTR initArgs);
typedef CK_RV (*CK_C_Finalize)(CK_VOID_PTR reserved);
typedef CK_RV (*CK_C_GetSlotList)(CK_BBOOL tokenPresent, CK_SLOT_ID* slotList, CK_ULONG* count);
typedef CK_RV (*CK_C_OpenSession)(CK_SLOT_ID slot, CK_FLAGS flags, CK_VOID_PTR application,
                                  CK_NOTIFY notify, CK_SESSION_HANDLE* session);
typedef CK_RV (*CK_C_CloseSession)(CK_SESSION_HANDLE session);
typedef CK_RV (*CK_C_Login)(CK_SESSION_HANDLE session, CK_USER_TYPE userType, CK_UTF8CHAR* pin,
                            CK_ULONG pinLen);
typedef CK_RV (*CK_C_Logout)(CK_SESSION_HANDLE session);
typedef CK_RV (*CK_C_FindObjectsInit)(CK_SESSION_HANDLE session, CK_ATTRIBUTE* templ, CK_ULONG count);
typedef CK_RV (*CK_C_FindObjects)(CK_SESSION_HANDLE session, CK_OBJECT_HANDLE* objects,
                                  CK_ULONG maxCount, CK_ULONG* count);
typedef CK_RV (*CK_C_FindObjectsFinal)(CK_SESSION_HANDLE session);
typedef CK_RV (*CK_C_SignInit)(CK_SESSION_HANDLE session, CK_MECHANISM* mechanism, CK_OBJECT_HANDLE key);
typedef CK_RV (*CK_C_Sign)(CK_SESSION_HANDLE session, CK_BYTE* data, CK_ULONG dataLen,
                           CK_BYTE* signature, CK_ULONG* signatureLen);
typedef CK_RV (*CK_C_GetAttributeValue)(CK_SESSION_HANDLE session, CK_OBJECT_HANDLE object,
                                        CK_ATTRIBUTE* templ, CK_ULONG count);

}  // extern "C"

inline constexpr CK_BBOOL CK_TRUE = 1;
inline constexpr CK_BBOOL CK_FALSE = 0;

inline constexpr CK_RV CKR_OK = 0x0;
inline constexpr CK_RV CKR_FUNCTION_NOT_SUPPORTED = 0x54;
inline constexpr CK_RV CKR_PIN_INCORRECT = 0xA0;
inline constexpr CK_RV CKR_PIN_LOCKED = 0xA4;
inline constexpr CK_RV CKR_BUFFER_TOO_SMALL = 0x150;
inline constexpr CK_RV CKR_USER_NOT_LOGGED_IN = 0x101;
inline constexpr CK_RV CKR_CRYPTOKI_ALREADY_INITIALIZED = 0x191;

inline constexpr CK_FLAGS CKF_RW_SESSION = 0x2;
inline constexpr CK_FLAGS CKF_SERIAL_SESSION = 0x4;

inline constexpr CK_USER_TYPE CKU_USER = 1;

inline constexpr CK_OBJECT_CLASS CKO_CERTIFICATE = 1;
inline constexpr CK_OBJECT_CLASS CKO_PRIVATE_KEY = 3;

inline constexpr CK_ATTRIBUTE_TYPE CKA_CLASS = 0x0;
inline constexpr CK_ATTRIBUTE_TYPE CKA_VALUE = 0x11;
inline constexpr CK_ATTRIBUTE_TYPE CKA_SIGN = 0x108;

inline constexpr CK_MECHANISM_TYPE CKM_SHA1_RSA_PKCS = 0x6;

inline constexpr CK_ULONG CK_UNAVAILABLE_INFORMATION = ~0UL;
