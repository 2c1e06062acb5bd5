// Key and value names: compared without regard to ASCII case, stored with the case they were
// created with; key paths split on "\".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace registry::detail {

using KeyPath = std::vector<std::string>;

// The longest key name (one path part) the registry accepts.
inline constexpr std::size_t kMaxKeyNameLength = 255;
// The deepest a key may lie below HKEY_LOCAL_MACHINE; deeper keys are refused when created, so
// that no path can make the hive (where each key carries its full path) grow without bound.
inline constexpr std::size_t kMaxKeyDepth = 512;

// <0, 0, >0 like strcmp, comparing ASCII letters as upper case.
int CompareNames(std::string_view a, std::string_view b);
inline bool NamesEqual(std::string_view a, std::string_view b) {
    return CompareNames(a, b) == 0;
}

struct NameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return CompareNames(a, b) < 0; }
};

// Splits "A\B\C" into its parts. Null or "" is the empty path; one trailing "\" is allowed.
// False for empty parts ("A\\B", "\A") and parts longer than kMaxKeyNameLength.
bool SplitKeyPath(const char* text, KeyPath* parts);

std::string JoinKeyPath(const KeyPath& parts);

}  // namespace registry::detail
