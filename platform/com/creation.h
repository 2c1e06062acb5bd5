// Apartments and class creation. A thread initialises the object model once per use
// (CoInitializeEx ... CoUninitialize); classes are found through the registry:
//   HKEY_CLASSES_ROOT\<ProgID>\CLSID                       default value: the class's {CLSID}
//   HKEY_CLASSES_ROOT\CLSID\{CLSID}\InprocServer32         default value: the module file
// A module is loaded once per process (by the path the registry gives) and stays loaded; its
// DllGetClassObject hands out the class factory.
#pragma once

#include <string>

#include "platform/com/interfaces.h"
#include "platform/com/types.h"

inline constexpr DWORD COINIT_MULTITHREADED = 0x0;
inline constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;
inline constexpr DWORD COINIT_DISABLE_OLE1DDE = 0x4;

inline constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
inline constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
inline constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
inline constexpr DWORD CLSCTX_ALL = 0x17;

// S_OK on the thread's first call, S_FALSE on a thread already initialised in the same model,
// RPC_E_CHANGED_MODE (not counted) in the other. Every success needs one CoUninitialize.
HRESULT CoInitializeEx(void* reserved, DWORD coInit);
HRESULT CoInitialize(void* reserved);  // the apartment model
// Takes one count back; extra calls do nothing.
void CoUninitialize();

// Unknown ProgID (or no readable CLSID under it): CO_E_CLASSSTRING.
HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid);
// "{...}" text to a CLSID; CO_E_CLASSSTRING when it is not one.
HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid);

// Only in-process servers. Errors: CO_E_NOTINITIALIZED (thread not initialised),
// REGDB_E_CLASSNOTREG (no InprocServer32 entry, or CLSCTX_INPROC_SERVER not asked for),
// CO_E_DLLNOTFOUND (the module does not load), CO_E_ERRORINDLL (no DllGetClassObject),
// E_UNEXPECTED (DllGetClassObject succeeded without a class object), or what the module's class
// object answers.
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* serverInfo, REFIID iid, void** object);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object);

namespace com {
// Why the last failing creation on this thread failed, in words: the class, the module path and
// the loader's message. Empty after a success.
std::string LastCreationError();
}  // namespace com
