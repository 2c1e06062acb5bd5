// The control module's resources, by resource number: dialogs, strings, the toolbox bitmap, the
// icon, the version block and the type library. Hosts reach them through the module's exported
// CsModuleResources; the module's own code through the functions here.
#pragma once

#include "platform/framework/module_resources.h"
#include "platform/ui/dialog_template.h"

namespace signing_resources {

// Dialogs.
inline constexpr int IDD_ABOUTBOX_SIGNING = 1;
inline constexpr int IDD_PROPPAGE_SIGNING = 200;
inline constexpr int IDD_PIN = 201;
inline constexpr int IDC_PIN_EDIT = 201;
// Strings.
inline constexpr UINT IDS_SIGNING = 1;               // the control's user type name
inline constexpr UINT IDS_SIGNING_PPG = 2;           // the property page's user type name
inline constexpr UINT IDS_SIGNING_PPG_CAPTION = 200; // the property page's tab
// Images.
inline constexpr int IDB_SIGNING = 1;   // toolbox bitmap
inline constexpr int IDI_ABOUTDLL = 1;  // icon
// The type library.
inline constexpr int IDR_TYPELIB = 1;

// The dialog with that resource number; null when the module has none.
const ui::DialogTemplate* FindDialog(int id);
// The string with that resource number; null when the module has none.
const char* LoadString(UINT id);

// The parts of the table, each kept in its own file.
framework::DescList<framework::DialogResource> Dialogs();
framework::DescList<framework::StringResource> Strings();
framework::DescList<framework::BitmapResource> Bitmaps();
framework::DescList<framework::IconResource> Icons();
const framework::VersionResource& Version();
const com::TypeLibDesc& TypeLibrary();

// The whole table.
const framework::ResourceTable& Table();

}  // namespace signing_resources
