#include "platform/loader/loader.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>

// A handle is the dlopen handle itself; the struct is never defined.

namespace {
thread_local std::string t_lastError;
}

HMODULE LoadLibraryA(const char* fileName) {
    if (fileName == nullptr || *fileName == '\0') {
        t_lastError = "no module name given";
        return nullptr;
    }
    void* handle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        t_lastError = std::string("cannot load \"") + fileName + "\": " + (why ? why : "unknown error");
        return nullptr;
    }
    return static_cast<HMODULE>(handle);
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
    if (module == nullptr || name == nullptr) return nullptr;
    dlerror();
    void* symbol = dlsym(static_cast<void*>(module), name);
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE module) {
    if (module == nullptr) return FALSE;
    return dlclose(static_cast<void*>(module)) == 0 ? TRUE : FALSE;
}

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
    if (module == nullptr || buffer == nullptr || size == 0) return 0;
    link_map* map = nullptr;
    if (dlinfo(static_cast<void*>(module), RTLD_DI_LINKMAP, &map) != 0 || map == nullptr ||
        map->l_name == nullptr)
        return 0;
    std::string path = map->l_name;
    if (path.empty()) return 0;
    if (path[0] != '/') {
        char* full = realpath(path.c_str(), nullptr);
        if (full) {
            path = full;
            free(full);
        }
    }
    DWORD n = static_cast<DWORD>(path.size() < size ? path.size() : size - 1);
    std::memcpy(buffer, path.data(), n);
    buffer[n] = '\0';
    return n;
}

namespace loader {

std::string LastError() { return t_lastError; }

std::string ModulePathOf(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
    // The path the module was loaded by, as the loader reports it; only a relative one is
    // completed (a symbolic link in it is kept, so the module's folder is where it was loaded from).
    if (info.dli_fname[0] == '/') return info.dli_fname;
    char* full = realpath(info.dli_fname, nullptr);
    if (full == nullptr) return info.dli_fname;
    std::string path = full;
    free(full);
    return path;
}

HMODULE ModuleOf(const void* address) {
    std::string path = ModulePathOf(address);
    if (path.empty()) return nullptr;
    return static_cast<HMODULE>(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD));
}

}  // namespace loader
