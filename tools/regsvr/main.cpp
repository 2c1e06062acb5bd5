// regsvr: registers (or with /u unregisters) the classes of in-process server modules by calling
// their DllRegisterServer (DllUnregisterServer).
//
//   regsvr [/u] MODULE...
//
// One line per module on standard output: "MODULE: DllRegisterServer = 0xHHHHHHHH". A module
// that does not load or lacks the export is reported on standard error. Exit status 0 when every
// module succeeded, 1 when any failed, 2 for a command line that cannot be used.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/com/hresult_text.h"
#include "platform/com/interfaces.h"
#include "platform/loader/loader.h"

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// A module file named here is loaded from here, not through the library search.
std::string ModulePath(const std::string& file) {
    std::error_code ec;
    if (file.find('/') == std::string::npos && std::filesystem::exists(file, ec))
        return std::filesystem::absolute(file, ec).string();
    return file;
}

bool Process(const std::string& file, const char* exportName) {
    HMODULE module = LoadLibraryA(ModulePath(file).c_str());
    if (module == nullptr) {
        std::fprintf(stderr, "%s: cannot load: %s\n", file.c_str(), loader::LastError().c_str());
        return false;
    }
    auto entry = loader::Lookup<PFN_DllRegisterServer>(module, exportName);
    if (entry == nullptr) {
        std::fprintf(stderr, "%s: the module has no %s\n", file.c_str(), exportName);
        FreeLibrary(module);
        return false;
    }
    HRESULT hr;
    try {
        hr = entry();
    } catch (...) {  // an export that lets an exception through
        hr = E_UNEXPECTED;
    }
    std::printf("%s: %s = %s\n", file.c_str(), exportName, com::HexHResult(hr).c_str());
    std::fflush(stdout);
    // The module stays loaded: objects or threads it started may still need its code.
    return SUCCEEDED(hr);
}

}  // namespace

int main(int argc, char** argv) {
    const char* exportName = "DllRegisterServer";
    std::vector<std::string> modules;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "/u" || a == "-u" || a == "/U") {
            exportName = "DllUnregisterServer";
        } else if (!a.empty() && (a[0] == '-' || (a[0] == '/' && a.size() == 2))) {
            std::fprintf(stderr, "regsvr: unknown option %s\n", a.c_str());
            return kExitUsage;
        } else {
            modules.push_back(a);
        }
    }
    if (modules.empty()) {
        std::fprintf(stderr, "usage: regsvr [/u] MODULE...\n");
        return kExitUsage;
    }
    bool ok = true;
    for (const std::string& m : modules) ok = Process(m, exportName) && ok;
    return ok ? 0 : kExitFailed;
}
