#include "platform/framework/module_resources.h"

#include <cstring>

namespace framework {
namespace {

template <class T, class Id>
const T* ById(const DescList<T>& list, Id id) {
    for (const T& item : list)
        if (item.id == id) return &item;
    return nullptr;
}

}  // namespace

const char* FindString(const ResourceTable& table, UINT id) {
    const StringResource* s = ById(table.strings, id);
    return s ? s->text : nullptr;
}

const ui::DialogTemplate* FindDialog(const ResourceTable& table, int id) {
    const DialogResource* d = ById(table.dialogs, id);
    return d ? d->dialog : nullptr;
}

const ImageResource* FindBitmap(const ResourceTable& table, int id) {
    const BitmapResource* b = ById(table.bitmaps, id);
    return b ? &b->image : nullptr;
}

const IconResource* FindIcon(const ResourceTable& table, int id) { return ById(table.icons, id); }

const com::TypeLibDesc* FindTypeLib(const ResourceTable& table, int id) {
    const TypeLibResource* t = ById(table.typeLibs, id);
    return t ? t->typeLib : nullptr;
}

const char* FindVersionString(const ResourceTable& table, const char* name) {
    if (table.version == nullptr || name == nullptr) return nullptr;
    for (const VersionString& s : table.version->strings)
        if (std::strcmp(s.name, name) == 0) return s.value;
    return nullptr;
}

const ResourceTable* ResourcesOf(HMODULE module) {
    auto accessor = loader::Lookup<PFN_ModuleResources>(module, kResourceAccessorName);
    if (accessor == nullptr) return nullptr;
    try {
        return accessor();
    } catch (...) {
        return nullptr;
    }
}

}  // namespace framework
