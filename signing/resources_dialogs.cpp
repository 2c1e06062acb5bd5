// Dialog templates of the control module (dialog units; "MS Sans Serif" 8 point).
#include "signing/resources.h"

namespace signing_resources {
namespace {

using ui::ControlClass;
using ui::ControlTemplate;
using ui::DialogTemplate;

DialogTemplate AboutDialog() {
    DialogTemplate d;
    d.id = IDD_ABOUTBOX_SIGNING;
    d.caption = "About Signing Control";
    d.rect = {34, 22, 260, 55};
    d.style = ui::kPopup | ui::kCaption | ui::kSysMenu | ui::kModalFrame;
    d.controls = {
        ControlTemplate{ui::kStaticId, "", ControlClass::Icon, std::to_string(IDI_ABOUTDLL), {10, 10, 20, 20}, 0},
        ControlTemplate{ui::kStaticId, "", ControlClass::Static, "Signing Control, Version 1.0", {40, 10, 170, 8},
                        ui::kLeftAlign},
        ControlTemplate{1, "", ControlClass::Button, "OK", {221, 7, 32, 14}, ui::kDefaultButton | ui::kTabStop | ui::kGroup},
    };
    return d;
}

DialogTemplate PropertyPageDialog() {
    DialogTemplate d;
    d.id = IDD_PROPPAGE_SIGNING;
    d.rect = {0, 0, 250, 62};
    d.style = ui::kChild;
    d.controls = {
        ControlTemplate{ui::kStaticId, "", ControlClass::Static,
                        "TODO: Place controls to manipulate properties of Signing Control on this dialog.",
                        {7, 25, 229, 16}, 0},
    };
    return d;
}

DialogTemplate PinDialog() {
    DialogTemplate d;
    d.id = IDD_PIN;
    d.caption = "PIN";
    d.rect = {0, 0, 167, 82};
    d.style = ui::kPopup | ui::kCaption | ui::kSysMenu | ui::kModalFrame;
    d.controls = {
        ControlTemplate{IDC_PIN_EDIT, "", ControlClass::Edit, "", {59, 22, 55, 14},
                        ui::kBorder | ui::kTabStop | ui::kPassword | ui::kAutoHScroll},
        ControlTemplate{1, "", ControlClass::Button, "OK", {29, 52, 50, 14}, ui::kDefaultButton | ui::kTabStop},
        ControlTemplate{2, "", ControlClass::Button, "Cancel", {95, 51, 50, 14}, ui::kTabStop},
        ControlTemplate{ui::kStaticId, "", ControlClass::Static, "PIN", {25, 25, 25, 11},
                        ui::kLeftAlign | ui::kGroup},
    };
    return d;
}

}  // namespace

framework::DescList<framework::DialogResource> Dialogs() {
    static const DialogTemplate about = AboutDialog();
    static const DialogTemplate page = PropertyPageDialog();
    static const DialogTemplate pin = PinDialog();
    static const framework::DialogResource dialogs[] = {
        {IDD_ABOUTBOX_SIGNING, &about},
        {IDD_PROPPAGE_SIGNING, &page},
        {IDD_PIN, &pin},
    };
    return framework::List(dialogs);
}

const ui::DialogTemplate* FindDialog(int id) { return framework::FindDialog(Table(), id); }

}  // namespace signing_resources
