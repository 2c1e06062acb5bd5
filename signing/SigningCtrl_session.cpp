// Token session lifecycle: find and load the Cryptoki module, wait for a token, open a session on
// the first slot that holds one, and take the token down again.
#include <string>
#include <vector>

#include "platform/registry/unique_key.h"
#include "platform/ui/messagebox.h"
#include "signing/SigningCtrl.h"
#include "signing/messages.h"
#include "signing/module_title.h"
#include "signing/token_context.h"

namespace {

constexpr const char* kSignKey = "SOFTWARE\\OVREL\\SIGN";
constexpr const char* kModuleValue = "SigningComponent";
constexpr const char* kDefaultModule = "pk2priv.dll";
constexpr CK_FLAGS kSessionFlags = 1 | CKF_RW_SESSION | CKF_SERIAL_SESSION;  // 7

enum class ModuleName { Found, Unreadable };

// Reads the module name from the registry; the default when the key cannot be opened.
ModuleName ReadModuleName(std::string* name) {
    registry::UniqueKey owner;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSignKey, 0, KEY_READ, owner.put()) != ERROR_SUCCESS) {
        *name = kDefaultModule;
        return ModuleName::Found;
    }
    HKEY key = owner.get();
    DWORD size = 0;
    if (RegQueryValueExA(key, kModuleValue, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return ModuleName::Unreadable;
    // The value is handed to the loader as it stands: its type is not checked, nothing expanded.
    std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
    DWORD read = size;
    if (RegQueryValueExA(key, kModuleValue, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                         &read) != ERROR_SUCCESS)
        return ModuleName::Unreadable;
    *name = buffer.data();
    return ModuleName::Found;
}

}  // namespace

BOOL CSigningCtrl::openSession() {
    signing::TokenContext& token = signing::Token();

    std::string moduleName;
    if (ReadModuleName(&moduleName) == ModuleName::Unreadable) {
        // The key is there but its value is not: tell the user, then fail the call. (Ending the
        // host process here would report success to whoever started it.)
        MessageBoxA(nullptr, signing_text::kRegCouldNotBeOpened, signing::ModuleTitle().c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
        token.statusCode = signing_status::kRegistryValueUnreadable;
        return FALSE;
    }

    // A module, once loaded, is never unloaded: each openSession loads it again (counted).
    token.moduleHandle = LoadLibraryA(moduleName.c_str());

    if (token.Call<signing::Fn::C_Initialize>(static_cast<CK_VOID_PTR>(nullptr)) != CKR_OK) return FALSE;

    CK_ULONG count = 0;
    token.LookUp<signing::Fn::C_GetSlotList>();
    for (;;) {
        if (token.CallLookedUp<signing::Fn::C_GetSlotList>(CK_TRUE, static_cast<CK_SLOT_ID*>(nullptr),
                                                           &count) != CKR_OK) {
            finalize();
            return FALSE;
        }
        if (count > 0) break;
        int answer = MessageBoxA(nullptr, signing_text::kPleaseInsertSmartcard, signing::ModuleTitle().c_str(),
                                 MB_RETRYCANCEL | MB_ICONINFORMATION);
        if (answer != IDRETRY) {
            token.statusCode = signing_status::kUserCancelled;
            finalize();
            return FALSE;
        }
    }

    std::vector<CK_SLOT_ID> slots(count, 0);
    if (token.Call<signing::Fn::C_GetSlotList>(CK_TRUE, slots.data(), &count) != CKR_OK) {
        finalize();
        return FALSE;
    }

    if (token.Call<signing::Fn::C_OpenSession>(slots[0], kSessionFlags, static_cast<CK_VOID_PTR>(nullptr),
                                               static_cast<CK_NOTIFY>(nullptr), &token.sessionHandle) != CKR_OK) {
        finalize();
        return FALSE;
    }

    return Login();
}

BOOL CSigningCtrl::closeSession() {
    signing::TokenContext& token = signing::Token();
    token.Call<signing::Fn::C_Logout>(token.sessionHandle);
    endSession();
    finalize();
    return TRUE;
}

BOOL CSigningCtrl::endSession() {
    signing::TokenContext& token = signing::Token();
    token.Call<signing::Fn::C_CloseSession>(token.sessionHandle);
    return TRUE;
}

BOOL CSigningCtrl::finalize() {
    signing::Token().Call<signing::Fn::C_Finalize>(static_cast<CK_VOID_PTR>(nullptr));
    return TRUE;
}
