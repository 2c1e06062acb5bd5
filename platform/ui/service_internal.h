// Inside the UI layer: running something on the backend with the service's lock held.
#pragma once

#include <functional>

#include "platform/ui/backend.h"

namespace ui::detail {

// Calls fn with the backend for this moment (re-reading the environment when no host choice was
// made). The lock is recursive: a box that a dialog's hook shows nests inside the dialog.
void WithBackend(const std::function<void(Backend&)>& fn);

}  // namespace ui::detail
