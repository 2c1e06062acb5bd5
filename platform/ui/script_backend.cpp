#include "platform/ui/script_backend.h"

#include <algorithm>

#include "platform/ui/messagebox.h"
#include "platform/ui/transcript.h"

namespace ui {

std::unique_ptr<ScriptBackend> ScriptBackend::Open(const std::string& path, std::string* error) {
    std::optional<Script> script = Script::Load(path, error);
    if (!script) return nullptr;
    return std::unique_ptr<ScriptBackend>(new ScriptBackend(path, std::move(*script)));
}

void ScriptBackend::ReportError(const ScriptAction& action, std::string_view why) {
    transcript::Problem("script error line=" + std::to_string(action.line) + " " +
                        transcript::Quote(action.source) + ": " + std::string(why));
}

void ScriptBackend::ReportRanOut(std::string_view shown) {
    ranOut_ = true;
    transcript::Problem("script ran out at " + std::string(shown));
}

bool ScriptBackend::CanShow() {
    const ScriptAction* next = script_.Peek();
    if (next == nullptr || next->verb != "unavailable") return true;
    script_.Take();
    return false;
}

int ScriptBackend::ShowMessageBox(const MessageBoxRequest& request) {
    const int closed = CloseAnswer(request.type);
    std::optional<ScriptAction> action = script_.Take();
    if (!action) {
        ReportRanOut("messagebox " + transcript::Quote(request.text));
        return closed;
    }
    if (action->verb != "answer") {
        ReportError(*action, "a message box takes one answer line");
        return closed;
    }
    const std::optional<int> answer = AnswerFromWord(action->target);
    if (!answer) {
        ReportError(*action, "unknown button");
        return closed;
    }
    if (*answer == IDCLOSE) return closed;
    const std::vector<int> buttons = ButtonsOf(request.type);
    if (std::find(buttons.begin(), buttons.end(), *answer) == buttons.end()) {
        ReportError(*action, "the box has no such button");
        return closed;
    }
    return *answer;
}

bool ScriptBackend::Apply(Dialog& dialog, const ScriptAction& action, std::string* why) {
    if (action.verb == "escape" || action.verb == "close") {
        if (!action.target.empty()) {
            *why = "takes no argument";
            return false;
        }
        if (action.verb == "escape")
            dialog.PressEscape();
        else
            dialog.PressClose();
        return true;
    }
    if (action.verb != "type" && action.verb != "click") {
        *why = "does not fit a dialog";
        return false;
    }
    const std::optional<int> id = dialog.FindControl(action.target);
    if (!id) {
        *why = "the dialog has no such control";
        return false;
    }
    if (action.verb == "click") {
        if (!dialog.Click(*id)) {
            *why = "not a button";
            return false;
        }
        return true;
    }
    if (!dialog.Type(*id, action.argument)) {
        *why = "not an edit that takes typing";
        return false;
    }
    return true;
}

void ScriptBackend::RunDialog(Dialog& dialog) {
    const std::string shown = "dialog " + dialog.Template().Label();
    while (!dialog.Ended()) {
        std::optional<ScriptAction> action = script_.Take();
        std::string why;
        if (!action) {
            ReportRanOut(shown);
        } else if (!Apply(dialog, *action, &why)) {
            ReportError(*action, why);
        } else {
            continue;
        }
        // Out of lines or a line that does not fit: the dialog goes with its close box.
        dialog.PressClose();
        if (!dialog.Ended()) dialog.End(IDCANCEL);
    }
}

std::optional<std::string> ScriptBackend::ChooseOpenFile(const OpenFileRequest& request) {
    std::optional<ScriptAction> action = script_.Take();
    if (!action) {
        ReportRanOut("open " + transcript::Quote(request.title));
        return std::nullopt;
    }
    if (action->verb == "file-cancel" && action->target.empty()) return std::nullopt;
    if (action->verb == "file" && !action->argument.empty()) return action->argument;
    ReportError(*action, "an Open dialog takes one file or file-cancel line");
    return std::nullopt;
}

}  // namespace ui
