// The system loader: load a module by file name, look a function up by name, and tell a module's
// own path. A bare file name (no "/") is found through the system's search order.
#pragma once

#include <string>

#include "platform/com/types.h"

struct LoadedModule;
using HMODULE = LoadedModule*;
using FARPROC = void (*)();

// Loads (or adds a reference to) a module; null on failure, with the reason in LoaderLastError().
// Every successful call is counted; FreeLibrary takes one count back.
HMODULE LoadLibraryA(const char* fileName);
// Null when the module has no such export (or the handle is null).
FARPROC GetProcAddress(HMODULE module, const char* name);
BOOL FreeLibrary(HMODULE module);
// The full path the module was loaded from; 0 on failure. Copies at most size-1 characters.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);

namespace loader {
// What the last failing LoadLibraryA on this thread was asked for and why it failed.
std::string LastError();
// The full path of the module file that holds the given address (a function or object of that
// module); empty when it cannot be told.
std::string ModulePathOf(const void* address);
// The handle of the module that holds the given address, with a reference of its own.
HMODULE ModuleOf(const void* address);
// A typed look-up.
template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(GetProcAddress(module, name));
}
}  // namespace loader
