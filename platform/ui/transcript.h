// The transcript: with CHEQUESIGN_UI_LOG=FILE, one line per box or dialog shown is appended to
// FILE, whatever the backend. Texts are quoted and escaped so that one entry stays one line.
#pragma once

#include <string>
#include <string_view>

namespace ui::transcript {

inline constexpr const char* kLogVariable = "CHEQUESIGN_UI_LOG";

// "text" with backslash, quote and control characters escaped (\\ \" \n \r \t \xHH).
std::string Quote(std::string_view text);

// Appends one line to the transcript file, if one is set. Never throws; a file that cannot be
// written is reported on standard error.
void Append(std::string_view line);

// Something went wrong in the UI layer itself (script error, unknown backend): recorded in the
// transcript and on standard error, so that it never goes unnoticed.
void Problem(std::string_view line);

}  // namespace ui::transcript
