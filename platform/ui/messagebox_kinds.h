// What a message box type means: its buttons, its icon, the answer of its close box, and the
// words the script format and the transcript use for them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/types.h"

namespace ui {

struct MessageBoxRequest {
    std::string title;
    std::string text;
    UINT type = 0;
};

// The buttons of a box type, in the order they are shown; empty when the type's button bits
// name no known button set (such a box cannot be shown).
std::vector<int> ButtonsOf(UINT type);
// "ok", "okcancel", "abortretryignore", "yesnocancel", "yesno", "retrycancel", or "invalid".
std::string_view ButtonsWord(UINT type);
// "none", "error", "question", "exclamation", "information", or "invalid".
std::string_view IconWord(UINT type);

// The answer of the close box (or Escape): Cancel where the box has one, OK for an OK-only box,
// IDCLOSE for the boxes that have neither.
int CloseAnswer(UINT type);

// "ok", "cancel", ... "close" for IDOK..IDCLOSE; "none" for 0 (not shown); the number otherwise.
std::string AnswerWord(int answer);
// The answer id for a script word, or nullopt for an unknown word.
std::optional<int> AnswerFromWord(std::string_view word);
// The button's caption as drawn: "OK", "Cancel", "Retry", ...
std::string_view ButtonCaption(int answer);

}  // namespace ui
