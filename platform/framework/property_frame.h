// The system's property frame: a modal dialog titled "<object> Properties" with one tab per page
// (its caption), the first page's controls, and the buttons OK, Cancel and Apply.
#pragma once

#include <string>
#include <vector>

#include "platform/framework/ole_proppage.h"
#include "platform/ui/dialog_template.h"

namespace framework {

inline constexpr int kApplyButtonId = 0x3021;

ui::DialogTemplate BuildPropertyFrame(const std::string& objectName, const std::vector<COlePropertyPage*>& pages);
// Shows the frame through the UI service: IDOK, IDCANCEL, or ui::kDialogNotShown.
int ShowPropertyFrame(const std::string& objectName, const std::vector<COlePropertyPage*>& pages);

}  // namespace framework
