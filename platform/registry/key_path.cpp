#include "platform/registry/names.h"
#include "platform/registry/registry.h"

namespace registry {

bool ParseKeyPath(const std::string& path, HKEY* root, std::string* subKey) {
    struct RootName {
        const char* name;
        HKEY key;
    };
    const RootName roots[] = {{"HKLM", HKEY_LOCAL_MACHINE},
                              {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
                              {"HKCR", HKEY_CLASSES_ROOT},
                              {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT}};
    const std::size_t cut = path.find('\\');
    const std::string_view head = std::string_view(path).substr(0, cut);
    for (const RootName& r : roots) {
        if (!detail::NamesEqual(head, r.name)) continue;
        if (root != nullptr) *root = r.key;
        if (subKey != nullptr) *subKey = cut == std::string::npos ? std::string() : path.substr(cut + 1);
        return true;
    }
    return false;
}

}  // namespace registry
