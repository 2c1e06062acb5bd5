#include "signer/component_folder.h"

#include <mutex>

#include "platform/loader/loader.h"

namespace signer {

namespace {

std::mutex g_overrideMutex;
std::optional<std::string> g_override;

}  // namespace

std::string ComponentFolder() {
    {
        std::lock_guard<std::mutex> lock(g_overrideMutex);
        if (g_override) return *g_override;
    }
    // The loader knows which module file holds this very function.
    std::string path = loader::ModulePathOf(reinterpret_cast<const void*>(&ComponentFolder));
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void SetComponentFolderForTesting(std::optional<std::string> folder) {
    std::lock_guard<std::mutex> lock(g_overrideMutex);
    g_override = std::move(folder);
}

}  // namespace signer
