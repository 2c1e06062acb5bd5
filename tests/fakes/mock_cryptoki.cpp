// A small scriptable Cryptoki module for tests: it plays a token with configurable slots, PIN,
// objects and return values, and logs every call it receives with its arguments.
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "signing/cryptoki.h"
#include "tests/fakes/mock_cryptoki_api.h"

#define MOCK_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr CK_SESSION_HANDLE kSession = 0x55;
constexpr CK_OBJECT_HANDLE kFirstKey = 0x100;
constexpr CK_OBJECT_HANDLE kFirstCert = 0x200;

struct State {
    std::map<std::string, std::deque<CK_RV>> queued;
    std::map<std::string, CK_RV> fixed;
    std::vector<CK_SLOT_ID> slots{11};
    std::deque<CK_ULONG> slotCounts;
    std::string pin = "1234";
    CK_ULONG keys = 1, certificates = 1;
    std::vector<unsigned char> certificate{0x30, 0x03, 0x02, 0x01, 0x05};
    bool reportedLengthSet = false;
    CK_ULONG reportedLength = 0;
    CK_ULONG signatureLength = 128;
    std::string log;
    bool initialised = false;
    bool loggedIn = false;
    bool sessionOpen = false;
    bool searching = false;
    CK_OBJECT_CLASS searchClass = 0;
    bool searchDone = false;
    bool signInit = false;
};

std::mutex g_mutex;
State g_state;

std::string Hex(const void* data, CK_ULONG length) {
    if (data == nullptr) return "null";
    std::string out;
    char buf[3];
    for (CK_ULONG i = 0; i < length; ++i) {
        std::snprintf(buf, sizeof buf, "%02x", static_cast<const unsigned char*>(data)[i]);
        out += buf;
    }
    return out;
}

void Log(const std::string& line) { g_state.log += line + "\n"; }

// A scripted return value for this call, if any.
bool Scripted(const char* function, CK_RV* rv) {
    auto q = g_state.queued.find(function);
    if (q != g_state.queued.end() && !q->second.empty()) {
        *rv = q->second.front();
        q->second.pop_front();
        return *rv != CKR_OK;  // a queued 0 lets this call behave normally
    }
    auto f = g_state.fixed.find(function);
    if (f != g_state.fixed.end() && f->second != CKR_OK) {
        *rv = f->second;
        return true;
    }
    return false;
}

std::string Ptr(const void* p) { return p ? "ptr" : "null"; }

}  // namespace

#define MOCK_ENTER(name, args)                  \
    std::lock_guard<std::mutex> lock(g_mutex);  \
    Log(std::string(name) + "(" + (args) + ")"); \
    if (CK_RV scripted; Scripted(name, &scripted)) return scripted;

MOCK_EXPORT void mock_p11_reset(void) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state = State{};
}
MOCK_EXPORT void mock_p11_set_rv(const char* function, unsigned long rv) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.fixed[function] = rv;
}
MOCK_EXPORT void mock_p11_push_rv(const char* function, unsigned long rv) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.queued[function].push_back(rv);
}
MOCK_EXPORT void mock_p11_set_slots(const unsigned long* ids, unsigned long count) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.slots.assign(ids, ids + count);
}
MOCK_EXPORT void mock_p11_push_slot_count(unsigned long count) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.slotCounts.push_back(count);
}
MOCK_EXPORT void mock_p11_set_pin(const char* pin) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.pin = pin;
}
MOCK_EXPORT void mock_p11_set_objects(unsigned long keys, unsigned long certificates) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.keys = keys;
    g_state.certificates = certificates;
}
MOCK_EXPORT void mock_p11_set_certificate(const unsigned char* der, unsigned long length) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.certificate.assign(der, der + length);
}
MOCK_EXPORT void mock_p11_set_reported_cert_length(unsigned long length) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.reportedLengthSet = true;
    g_state.reportedLength = length;
}
MOCK_EXPORT void mock_p11_set_signature_length(unsigned long length) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.signatureLength = length;
}
MOCK_EXPORT const char* mock_p11_log(void) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_state.log.c_str();
}
MOCK_EXPORT void mock_p11_clear_log(void) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.log.clear();
}

MOCK_EXPORT CK_RV C_Initialize(CK_VOID_PTR args) {
    MOCK_ENTER("C_Initialize", Ptr(args));
    if (g_state.initialised) return CKR_CRYPTOKI_ALREADY_INITIALIZED;
    g_state.initialised = true;
    return CKR_OK;
}

MOCK_EXPORT CK_RV C_Finalize(CK_VOID_PTR reserved) {
    MOCK_ENTER("C_Finalize", Ptr(reserved));
    if (!g_state.initialised) return 0x190;  // CKR_CRYPTOKI_NOT_INITIALIZED
    g_state.initialised = false;
    g_state.loggedIn = false;
    g_state.sessionOpen = false;
    return CKR_OK;
}

MOCK_EXPORT CK_RV C_GetSlotList(CK_BBOOL present, CK_SLOT_ID* list, CK_ULONG* count) {
    MOCK_ENTER("C_GetSlotList", std::to_string(present) + "," + Ptr(list));
    CK_ULONG available = g_state.slots.size();
    if (list == nullptr && !g_state.slotCounts.empty()) {
        available = g_state.slotCounts.front();
        g_state.slotCounts.pop_front();
    }
    if (list == nullptr) {
        *count = available;
        return CKR_OK;
    }
    if (*count < g_state.slots.size()) {
        *count = g_state.slots.size();
        return CKR_BUFFER_TOO_SMALL;
    }
    for (size_t i = 0; i < g_state.slots.size(); ++i) list[i] = g_state.slots[i];
    *count = g_state.slots.size();
    return CKR_OK;
}

MOCK_EXPORT CK_RV C_OpenSession(CK_SLOT_ID slot, CK_FLAGS flags, CK_VOID_PTR app, CK_NOTIFY notify,
                                CK_SESSION_HANDLE* session) {
    MOCK_ENTER("C_OpenSession", "slot=" + std::to_string(slot) + ",flags=" + std::to_string(flags) +
                                    ",app=" + Ptr(app) + ",notify=" + Ptr(reinterpret_cast<void*>(notify)));
    *session = kSession;
    g_state.sessionOpen = true;
    return CKR_OK;
}

MOCK_EXPORT CK_RV C_CloseSession(CK_SESSION_HANDLE session) {
    MOCK_ENTER("C_CloseSession", "session=" + std::to_string(session));
    if (session != kSession || !g_state.sessionOpen) return 0xB3;  // CKR_SESSION_HANDLE_INVALID
    g_state.sessionOpen = false;
    g_state.loggedIn = false;
    return CKR_OK;
}

MOCK_EXPORT CK_RV C_Login(CK_SESSION_HANDLE session, CK_USER_TYPE user, CK_UTF8CHAR* pin, CK_ULONG length) {
    MOCK_ENTER("C_Login", "session=" + std::to_string(session) + ",user=" + std::to_string(user) +
                              ",pin=" + Hex(pin, length) + ",len=" + std::to_string(length));
    if (std::string(reinterpret_cast<char*>(pin), length) != g_state.pin) return CKR_PIN_INCORRECT;
    g_state.loggedIn = true;
    return CKR_OK;
}

#ifndef MOCK_P11_WITHOUT_LOGOUT
MOCK_EXPORT CK_RV C_Logout(CK_SESSION_HANDLE session) {
    MOCK_ENTER("C_Logout", "session=" + std::to_string(session));
    if (!g_state.loggedIn) return CKR_USER_NOT_LOGGED_IN;
    g_state.loggedIn = false;
    return CKR_OK;
}
#endif

MOCK_EXPORT CK_RV C_FindObjectsInit(CK_SESSION_HANDLE session, CK_ATTRIBUTE* templ, CK_ULONG count) {
    std::string args = "session=" + std::to_string(session) + ",template=[";
    for (CK_ULONG i = 0; i < count; ++i)
        args += (i ? " " : "") + std::to_string(templ[i].type) + ":" + std::to_string(templ[i].ulValueLen) +
                ":" + Hex(templ[i].pValue, templ[i].ulValueLen);
    args += "],count=" + std::to_string(count);
    MOCK_ENTER("C_FindObjectsInit", args);
    if (g_state.searching) return 0x90;  // CKR_OPERATION_ACTIVE
    g_state.searching = true;
    g_state.searchDone = false;
    g_state.searchClass = 0;
    for (CK_ULONG i = 0; i < count; ++i)
        if (templ[i].type == CKA_CLASS && templ[i].ulValueLen == sizeof(CK_OBJECT_CLASS))
            std::memcpy(&g_state.searchClass, templ[i].pValue, sizeof(CK_OBJECT_CLASS));
    return CKR_OK;
}

MOCK_EXPORT CK_RV C_FindObjects(CK_SESSION_HANDLE session, CK_OBJECT_HANDLE* objects, CK_ULONG max,
                                CK_ULONG* count) {
    MOCK_ENTER("C_FindObjects", "session=" + std::to_string(session) + ",max=" + std::to_string(max));
    if (!g_state.searching) return 0x91;  // CKR_OPERATION_NOT_INITIALIZED
    CK_ULONG available = 0;
    CK_OBJECT_HANDLE first = 0;
    if (!g_state.searchDone) {
        if (g_state.searchClass == CKO_PRIVATE_KEY) available = g_state.keys, first = kFirstKey;
        if (g_state.searchClass == CKO_CERTIFICATE) available = g_state.certificates, first = kFirstCert;
    }
    CK_ULONG n = available < max ? available : max;
    for (CK_ULONG i = 0; i < n; ++i) objects[i] = first + i;
    *count = n;
    g_state.searchDone = true;
    return CKR_OK;
}

MOCK_EXPORT CK_RV C_FindObjectsFinal(CK_SESSION_HANDLE session) {
    // The search ends even when a failure is scripted, so a test sees whether it was closed.
    bool wasSearching;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        wasSearching = g_state.searching;
        g_state.searching = false;
    }
    MOCK_ENTER("C_FindObjectsFinal", "session=" + std::to_string(session));
    return wasSearching ? CKR_OK : 0x91;
}

MOCK_EXPORT CK_RV C_SignInit(CK_SESSION_HANDLE session, CK_MECHANISM* mechanism, CK_OBJECT_HANDLE key) {
    MOCK_ENTER("C_SignInit", "session=" + std::to_string(session) + ",mechanism=" +
                                 std::to_string(mechanism->mechanism) + ",param=" + Ptr(mechanism->pParameter) +
                                 ":" + std::to_string(mechanism->ulParameterLen) + ",key=" + std::to_string(key));
    g_state.signInit = true;
    return CKR_OK;
}

MOCK_EXPORT CK_RV C_Sign(CK_SESSION_HANDLE session, CK_BYTE* data, CK_ULONG length, CK_BYTE* signature,
                         CK_ULONG* signatureLength) {
    MOCK_ENTER("C_Sign", "session=" + std::to_string(session) + ",data=" + Hex(data, length) +
                             ",len=" + std::to_string(length) + ",buffer=" + Ptr(signature) +
                             ",siglen=" + std::to_string(*signatureLength));
    if (!g_state.signInit) return 0x91;
    if (*signatureLength < g_state.signatureLength) {
        *signatureLength = g_state.signatureLength;
        g_state.signInit = false;
        return CKR_BUFFER_TOO_SMALL;
    }
    // A recognisable signature: its bytes count up from the data's length.
    for (CK_ULONG i = 0; i < g_state.signatureLength; ++i) signature[i] = static_cast<CK_BYTE>(length + i);
    *signatureLength = g_state.signatureLength;
    g_state.signInit = false;
    return CKR_OK;
}

MOCK_EXPORT CK_RV C_GetAttributeValue(CK_SESSION_HANDLE session, CK_OBJECT_HANDLE object, CK_ATTRIBUTE* templ,
                                      CK_ULONG count) {
    MOCK_ENTER("C_GetAttributeValue", "session=" + std::to_string(session) + ",object=" + std::to_string(object) +
                                          ",type=" + std::to_string(templ[0].type) + ",value=" +
                                          Ptr(templ[0].pValue) + ",len=" + std::to_string(templ[0].ulValueLen) +
                                          ",count=" + std::to_string(count));
    CK_ULONG real = g_state.certificate.size();
    if (templ[0].pValue == nullptr) {
        templ[0].ulValueLen = g_state.reportedLengthSet ? g_state.reportedLength : real;
        return CKR_OK;
    }
    if (templ[0].ulValueLen < real) {
        templ[0].ulValueLen = CK_UNAVAILABLE_INFORMATION;
        return CKR_BUFFER_TOO_SMALL;
    }
    std::memcpy(templ[0].pValue, g_state.certificate.data(), real);
    templ[0].ulValueLen = real;
    return CKR_OK;
}
