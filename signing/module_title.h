// The title of the control's message boxes: its module file name without the extension.
#pragma once

#include <string>

namespace signing {
const std::string& ModuleTitle();
}
