#include "signing/module_title.h"

#include <filesystem>

#include "platform/loader/loader.h"

namespace signing {

const std::string& ModuleTitle() {
    static const std::string title = [] {
        std::string path = loader::ModulePathOf(reinterpret_cast<const void*>(&ModuleTitle));
        std::string stem = std::filesystem::path(path).stem().string();
        return stem.empty() ? std::string("Signing") : stem;
    }();
    return title;
}

}  // namespace signing
