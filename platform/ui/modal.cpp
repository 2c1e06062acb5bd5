// RunModal and ShowOpenFileDialog: showing a dialog through the service, with its transcript line.
#include <cstdio>

#include "platform/ui/dialog.h"
#include "platform/ui/messagebox.h"
#include "platform/ui/open_file.h"
#include "platform/ui/secure_wipe.h"
#include "platform/ui/service_internal.h"
#include "platform/ui/transcript.h"

namespace ui {
namespace {

std::string ResultWord(int result) {
    switch (result) {
        case IDOK: return "ok";
        case IDCANCEL: return "cancel";
        case kDialogNotShown: return "unavailable";
        default: return std::to_string(result);
    }
}

std::string DialogHead(const DialogTemplate& t) {
    return "dialog " + t.Label() + " caption=" + transcript::Quote(t.caption);
}

// The fields as the user last saw them: password fields masked, never their text.
std::string DialogLine(const Dialog& d) {
    std::string line = DialogHead(d.Template()) + " fields:";
    for (const ControlTemplate& c : d.Template().controls) {
        if (c.kind != ControlClass::Edit) continue;
        std::string shown = d.DisplayText(c.id);
        line += " " + (c.name.empty() ? std::to_string(c.id) : c.name) + "=" + transcript::Quote(shown);
        SecureWipe(shown);
    }
    return line + " answer=" + ResultWord(d.Result());
}

}  // namespace

int RunModal(const DialogTemplate& tmpl, DialogHandler& handler) {
    int result = kDialogNotShown;
    try {
    detail::WithBackend([&](Backend& backend) {
        if (!backend.CanShow()) {
            transcript::Append(DialogHead(tmpl) + " answer=" + ResultWord(kDialogNotShown));
            return;
        }
        Dialog dialog(tmpl, handler);
        // A dialog may end in its own opening (a handler that ends it at once).
        if (dialog.Init()) {
            dialog.Show();
            if (!dialog.Ended()) backend.RunDialog(dialog);
        }
        result = dialog.Result();
        std::string line = DialogLine(dialog);
        transcript::Append(line);
        SecureWipe(line);
    });
    } catch (...) {
        // A hook that throws ends the dialog; its owner sees a dialog that could not be shown.
        transcript::Problem(DialogHead(tmpl) + " failed with an exception");
        return kDialogNotShown;
    }
    return result;
}

OpenFileResult ShowOpenFileDialog(const OpenFileRequest& request) {
    try {
        OpenFileResult result;
        detail::WithBackend([&](Backend& backend) {
            std::string line = "open title=" + transcript::Quote(request.title) +
                               " filter=" + transcript::Quote(request.filter) +
                               " flags=" + std::to_string(request.flags);
            if (!backend.CanShow()) {
                result.outcome = OpenFileOutcome::NotShown;
                transcript::Append(line + " answer=unavailable");
                return;
            }
            std::optional<std::string> path = backend.ChooseOpenFile(request);
            if (path) {
                result.outcome = OpenFileOutcome::Chosen;
                result.path = std::move(*path);
                transcript::Append(line + " answer=file path=" + transcript::Quote(result.path));
            } else {
                result.outcome = OpenFileOutcome::Cancelled;
                transcript::Append(line + " answer=cancel");
            }
        });
        return result;
    } catch (...) {
        std::fprintf(stderr, "chequesign ui: the Open dialog failed\n");
        return OpenFileResult{};
    }
}

}  // namespace ui
