// LoadTypeLib: the library kept as TYPELIB 1 in a module file's resources.
#include "platform/com/typelib.h"
#include "platform/framework/module_resources.h"
#include "platform/text/codepage.h"

namespace {
constexpr int kTypeLibResource = 1;
}

HRESULT LoadTypeLib(LPCOLESTR file, ITypeLib** lib) {
    if (lib == nullptr) return E_POINTER;
    *lib = nullptr;
    if (file == nullptr) return E_INVALIDARG;
    try {
        const std::string path = text::ToUtf8(std::u16string_view(file));
        HMODULE module = LoadLibraryA(path.c_str());
        if (module == nullptr) return TYPE_E_CANTLOADLIBRARY;
        const framework::ResourceTable* table = framework::ResourcesOf(module);
        const com::TypeLibDesc* desc = table ? framework::FindTypeLib(*table, kTypeLibResource) : nullptr;
        if (desc == nullptr) {
            FreeLibrary(module);
            return TYPE_E_CANTLOADLIBRARY;
        }
        return com::CreateTypeLib(*desc, module, lib);  // the library keeps the module loaded
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}
