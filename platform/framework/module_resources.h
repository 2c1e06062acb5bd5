// A module's resources: dialog templates, strings, images, version block and type libraries, by
// resource number. A module serves them through one exported accessor,
//   CS_EXPORT const framework::ResourceTable* CsModuleResources();
// which other modules (the type library loader, hosts, tools) find by name.
#pragma once

#include "platform/com/typelib_desc.h"
#include "platform/loader/loader.h"
#include "platform/ui/dialog_template.h"

namespace framework {

using com::DescList;
using com::List;

inline constexpr const char* kResourceAccessorName = "CsModuleResources";

struct StringResource {
    UINT id;
    const char* text;
};

struct DialogResource {
    int id;
    const ui::DialogTemplate* dialog;
};

// A 16-colour image: one text row per pixel row, one character per pixel, '0'-'9' and 'A'-'F'
// naming a colour of Palette16() and '.' a transparent pixel.
struct ImageResource {
    int width;
    int height;
    const char* const* rows;
};

struct BitmapResource {
    int id;
    ImageResource image;
};

struct IconResource {
    int id;
    DescList<ImageResource> images;
};

struct VersionString {
    const char* name;
    const char* value;
};

struct VersionResource {
    WORD fileVersion[4];
    WORD productVersion[4];
    WORD language;
    WORD codePage;
    DescList<VersionString> strings;
};

struct TypeLibResource {
    int id;
    const com::TypeLibDesc* typeLib;
};

struct ResourceTable {
    DescList<StringResource> strings;
    DescList<DialogResource> dialogs;
    DescList<BitmapResource> bitmaps;
    DescList<IconResource> icons;
    const VersionResource* version;
    DescList<TypeLibResource> typeLibs;
};

using PFN_ModuleResources = const ResourceTable* (*)();

// Look-ups in a table; null when it has no such resource.
const char* FindString(const ResourceTable& table, UINT id);
const ui::DialogTemplate* FindDialog(const ResourceTable& table, int id);
const ImageResource* FindBitmap(const ResourceTable& table, int id);
const IconResource* FindIcon(const ResourceTable& table, int id);
const com::TypeLibDesc* FindTypeLib(const ResourceTable& table, int id);
// A string of the version block ("FileDescription"); null when it has none.
const char* FindVersionString(const ResourceTable& table, const char* name);

// The table of a loaded module; null when the module has no accessor (or it fails).
const ResourceTable* ResourcesOf(HMODULE module);

}  // namespace framework
