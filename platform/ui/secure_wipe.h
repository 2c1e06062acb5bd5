// Overwriting memory that held a secret (PIN, password) so it does not linger after use.
#pragma once

#include <cstddef>
#include <string>

namespace ui {

// Overwrites every byte the string owns (its whole capacity) and leaves it empty.
void SecureWipe(std::string& text);
// Overwrites size bytes at data.
void SecureWipe(void* data, std::size_t size);

}  // namespace ui
