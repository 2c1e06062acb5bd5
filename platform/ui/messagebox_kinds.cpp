#include "platform/ui/messagebox_kinds.h"

#include "platform/ui/messagebox.h"

namespace ui {
namespace {

struct AnswerInfo {
    int id;
    std::string_view word;
    std::string_view caption;
};

constexpr AnswerInfo kAnswers[] = {
    {IDOK, "ok", "OK"},         {IDCANCEL, "cancel", "Cancel"}, {IDABORT, "abort", "Abort"},
    {IDRETRY, "retry", "Retry"}, {IDIGNORE, "ignore", "Ignore"}, {IDYES, "yes", "Yes"},
    {IDNO, "no", "No"},         {IDCLOSE, "close", "Close"},
};

struct ButtonSet {
    UINT bits;
    std::string_view word;
    std::vector<int> buttons;
};

const std::vector<ButtonSet>& ButtonSets() {
    static const std::vector<ButtonSet> sets = {
        {MB_OK, "ok", {IDOK}},
        {MB_OKCANCEL, "okcancel", {IDOK, IDCANCEL}},
        {MB_ABORTRETRYIGNORE, "abortretryignore", {IDABORT, IDRETRY, IDIGNORE}},
        {MB_YESNOCANCEL, "yesnocancel", {IDYES, IDNO, IDCANCEL}},
        {MB_YESNO, "yesno", {IDYES, IDNO}},
        {MB_RETRYCANCEL, "retrycancel", {IDRETRY, IDCANCEL}},
    };
    return sets;
}

constexpr UINT kButtonMask = 0x0F;
constexpr UINT kIconMask = 0xF0;

const ButtonSet* FindSet(UINT type) {
    for (const auto& set : ButtonSets())
        if (set.bits == (type & kButtonMask)) return &set;
    return nullptr;
}

}  // namespace

std::vector<int> ButtonsOf(UINT type) {
    const ButtonSet* set = FindSet(type);
    return set ? set->buttons : std::vector<int>{};
}

std::string_view ButtonsWord(UINT type) {
    const ButtonSet* set = FindSet(type);
    return set ? set->word : "invalid";
}

std::string_view IconWord(UINT type) {
    switch (type & kIconMask) {
        case 0: return "none";
        case MB_ICONERROR: return "error";
        case MB_ICONQUESTION: return "question";
        case MB_ICONEXCLAMATION: return "exclamation";
        case MB_ICONINFORMATION: return "information";
        default: return "invalid";
    }
}

int CloseAnswer(UINT type) {
    const std::vector<int> buttons = ButtonsOf(type);
    for (int b : buttons)
        if (b == IDCANCEL) return IDCANCEL;
    if (buttons.size() == 1 && buttons[0] == IDOK) return IDOK;
    return IDCLOSE;
}

std::string AnswerWord(int answer) {
    if (answer == 0) return "none";
    for (const auto& a : kAnswers)
        if (a.id == answer) return std::string(a.word);
    return std::to_string(answer);
}

std::optional<int> AnswerFromWord(std::string_view word) {
    for (const auto& a : kAnswers)
        if (a.word == word) return a.id;
    return std::nullopt;
}

std::string_view ButtonCaption(int answer) {
    for (const auto& a : kAnswers)
        if (a.id == answer) return a.caption;
    return "?";
}

}  // namespace ui
