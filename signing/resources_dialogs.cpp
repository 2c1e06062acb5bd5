// Dialog templates of the control module (dialog units; "MS Sans Serif" 8 point).
#include "signing/resources.h"

namespace signing_resources {
namespace {

using ui::ControlClass;
using ui::ControlTemplate;
using ui::DialogTemplate;

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

const ui::DialogTemplate* FindDialog(int id) {
    static const DialogTemplate pin = PinDialog();
    if (id == IDD_PIN) return &pin;
    return nullptr;
}

}  // namespace signing_resources
