// Inside the object model: whether the calling thread has initialised it.
#pragma once

namespace com {
bool ThreadInitialized();
}  // namespace com
