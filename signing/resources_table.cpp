// The control module's resource table, its strings, and the exported accessor hosts use.
#include "platform/com/interfaces.h"
#include "signing/resources.h"

namespace signing_resources {

framework::DescList<framework::StringResource> Strings() {
    static const framework::StringResource strings[] = {
        {IDS_SIGNING, "Signing Control"},
        {IDS_SIGNING_PPG, "Signing Property Page"},
        {IDS_SIGNING_PPG_CAPTION, "General"},
    };
    return framework::List(strings);
}

const char* LoadString(UINT id) { return framework::FindString(Table(), id); }

const framework::ResourceTable& Table() {
    static const framework::TypeLibResource typeLibs[] = {{IDR_TYPELIB, &TypeLibrary()}};
    static const framework::ResourceTable table{Strings(), Dialogs(), Bitmaps(), Icons(), &Version(),
                                                framework::List(typeLibs)};
    return table;
}

}  // namespace signing_resources

CS_EXPORT const framework::ResourceTable* CsModuleResources() {
    try {
        return &signing_resources::Table();
    } catch (...) {
        return nullptr;
    }
}
