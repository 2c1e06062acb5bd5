// Self-registration of an in-process class, for a module's DllRegisterServer and
// DllUnregisterServer:
//   HKEY_CLASSES_ROOT\<ProgID>                       default: description
//   HKEY_CLASSES_ROOT\<ProgID>\CLSID                 default: {CLSID}
//   HKEY_CLASSES_ROOT\CLSID\{CLSID}                  default: description
//   HKEY_CLASSES_ROOT\CLSID\{CLSID}\ProgID           default: ProgID
//   HKEY_CLASSES_ROOT\CLSID\{CLSID}\InprocServer32   default: module path; ThreadingModel
#pragma once

#include <string>

#include "platform/com/types.h"

namespace com {

struct ClassRegistration {
    CLSID clsid;
    std::string progId;
    std::string description;
    std::string modulePath;  // full path of the serving module
    std::string threadingModel = "Apartment";
};

// S_OK, or SELFREG_E_CLASS with nothing of this class left behind.
HRESULT RegisterClass(const ClassRegistration& reg);
// Removes both keys; keys already missing count as removed. A ProgID that names another class is
// left alone. S_OK or SELFREG_E_CLASS.
HRESULT UnregisterClass(const ClassRegistration& reg);

}  // namespace com
