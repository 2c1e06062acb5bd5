// Overwriting memory that held a secret (PIN, password) so it does not linger after use.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ui {

// Overwrites every byte the string owns (its whole capacity) and leaves it empty.
void SecureWipe(std::string& text);
// Overwrites size bytes at data.
void SecureWipe(void* data, std::size_t size);
// Appends more to text. When text has to grow, its old storage is wiped before it is given back,
// so a secret built up piece by piece leaves no copy behind.
void SecureAppend(std::string& text, std::string_view more);

}  // namespace ui
