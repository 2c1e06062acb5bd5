// The process's one UI service: which backend shows boxes and dialogs.
//
// Backends: "script:FILE" (answers from a script file), "terminal" (the controlling terminal),
// "none" (nothing can be shown). A host picks one with SetBackend; otherwise CHEQUESIGN_UI is read
// each time something is shown, and without it the terminal is used when /dev/tty opens, else none.
// With CHEQUESIGN_UI_LOG=FILE one line per box or dialog is appended to FILE (see transcript.h).
#pragma once

#include <string>

namespace ui {

inline constexpr const char* kBackendVariable = "CHEQUESIGN_UI";

// Chooses the backend for the process; false (and no change) for a spec that is not a backend or a
// script that cannot be read, or while a box or dialog is open. A script starts at its first line,
// also when it was in use before.
bool SetBackend(const std::string& spec);
// Forgets the SetBackend choice and any script position: the environment decides again.
// Does nothing while a box or dialog is open.
void ResetFromEnvironment();
// The backend that the next box or dialog would use.
std::string CurrentBackendName();
// Whether the script backend in use has run out of lines for something it had to show.
bool ScriptRanOut();

}  // namespace ui
