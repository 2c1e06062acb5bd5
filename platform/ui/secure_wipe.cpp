#include "platform/ui/secure_wipe.h"

#include <algorithm>
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

void SecureAppend(std::string& text, std::string_view more) {
    if (more.size() > text.capacity() - text.size()) {
        std::string grown;
        grown.reserve(std::max(text.capacity() * 2, text.size() + more.size()));
        grown.append(text);
        SecureWipe(text);
        text.swap(grown);  // the wiped storage leaves with grown
    }
    text.append(more);
}

}  // namespace ui
