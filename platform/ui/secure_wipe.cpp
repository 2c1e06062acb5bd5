#include "platform/ui/secure_wipe.h"

#include <cstring>

namespace ui {

void SecureWipe(void* data, std::size_t size) {
    if (data == nullptr || size == 0) return;
    // explicit_bzero is never optimised away, unlike a plain memset before a free.
    explicit_bzero(data, size);
}

void SecureWipe(std::string& text) {
    // Wipe the whole buffer, not only the characters in use: a shorter text may have
    // followed a longer one in the same storage.
    text.resize(text.capacity());
    SecureWipe(text.data(), text.size());
    text.clear();
}

}  // namespace ui
