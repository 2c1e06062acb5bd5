#include "platform/registry/names.h"

namespace registry::detail {
namespace {
unsigned char Upper(char c) {
    auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}
}  // namespace

int CompareNames(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = Upper(a[i]);
        const unsigned char y = Upper(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SplitKeyPath(const char* text, KeyPath* parts) {
    parts->clear();
    if (text == nullptr) return true;
    std::string_view rest(text);
    if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
    if (rest.empty()) return true;
    while (true) {
        const std::size_t cut = rest.find('\\');
        const std::string_view part = rest.substr(0, cut);
        if (part.empty() || part.size() > kMaxKeyNameLength) return false;
        parts->emplace_back(part);
        if (cut == std::string_view::npos) return true;
        rest.remove_prefix(cut + 1);
    }
}

std::string JoinKeyPath(const KeyPath& parts) {
    std::string out;
    for (const std::string& part : parts) {
        if (!out.empty()) out += '\\';
        out += part;
    }
    return out;
}

}  // namespace registry::detail
