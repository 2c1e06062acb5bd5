// The control module's resources: its dialog templates, by resource number.
#pragma once

#include "platform/ui/dialog_template.h"

namespace signing_resources {

inline constexpr int IDD_PIN = 201;
inline constexpr int IDC_PIN_EDIT = 201;

// The dialog with that resource number; null when the module has none.
const ui::DialogTemplate* FindDialog(int id);

}  // namespace signing_resources
