#include "platform/ui/terminal_backend.h"

#include "platform/ui/messagebox.h"
#include "platform/ui/secure_wipe.h"
#include "platform/ui/tty.h"

namespace ui {
namespace {

void DrawHeading(Tty& tty, std::string_view title) {
    tty.WriteLines("\n== " + std::string(title) + " ==\n");
}

void DrawDialog(Tty& tty, const Dialog& dialog) {
    const DialogTemplate& t = dialog.Template();
    DrawHeading(tty, t.caption);
    std::string buttons;
    for (const ControlTemplate& c : t.controls) {
        if (c.Has(kHidden)) continue;
        if (c.kind == ControlClass::Static && !c.text.empty()) {
            tty.WriteLines(WithoutAccelerator(c.text) + "\n");
        } else if (c.kind == ControlClass::Edit) {
            tty.WriteLines("  " + dialog.LabelFor(c.id) + ": [" + dialog.DisplayText(c.id) + "]" +
                           (dialog.IsEnabled(c.id) ? "" : " (disabled)") + "\n");
        } else if (c.kind == ControlClass::Button) {
            buttons += "[" + WithoutAccelerator(c.text) + "]" + (dialog.IsEnabled(c.id) ? "" : "(disabled)") + " ";
        }
    }
    if (!buttons.empty()) tty.WriteLines(buttons + "\n");
    tty.WriteLines("(Tab moves, Enter presses the default button, Esc cancels)\n");
}

bool IsButton(const Dialog& dialog, int id) {
    const ControlTemplate* c = dialog.ControlOf(id);
    return c && c->kind == ControlClass::Button;
}

// Escape, Ctrl-C and the end of input all leave the dialog the way Escape does; when that does
// not end it and no more input can come, it ends as Cancel.
void Leave(Dialog& dialog, KeyKind kind) {
    dialog.PressEscape();
    if (kind == KeyKind::EndOfInput && !dialog.Ended()) dialog.End(IDCANCEL);
}

}  // namespace

bool TerminalBackend::CanShow() { return Tty::Available(); }

int TerminalBackend::ShowMessageBox(const MessageBoxRequest& request) {
    Tty tty;
    if (!tty.IsOpen()) return 0;
    const std::vector<int> buttons = ButtonsOf(request.type);
    DrawHeading(tty, request.title);
    tty.WriteLines(request.text + "\n");
    std::string choices;
    for (std::size_t i = 0; i < buttons.size(); ++i)
        choices += "[" + std::to_string(i + 1) + "] " + std::string(ButtonCaption(buttons[i])) + "  ";
    tty.WriteLines(choices + "\n> ");
    for (;;) {
        const Key key = tty.ReadKey();
        switch (key.kind) {
            case KeyKind::Enter:
                tty.WriteLines("\n");
                return buttons.front();
            case KeyKind::Escape:
            case KeyKind::Interrupt:
            case KeyKind::EndOfInput:
                tty.WriteLines("\n");
                return CloseAnswer(request.type);
            case KeyKind::Char:
                if (key.ch >= '1' && key.ch < static_cast<char>('1' + buttons.size())) {
                    tty.WriteLines(std::string(1, key.ch) + "\n");
                    return buttons[static_cast<std::size_t>(key.ch - '1')];
                }
                tty.Bell();
                break;
            default:
                tty.Bell();
        }
    }
}

void TerminalBackend::RunDialog(Dialog& dialog) {
    Tty tty;
    if (!tty.IsOpen()) {
        dialog.End(kDialogNotShown);
        return;
    }
    while (!dialog.Ended()) {
        DrawDialog(tty, dialog);
        int focus = dialog.Focus();
        const ControlTemplate* c = dialog.ControlOf(focus);
        if (c == nullptr || !dialog.IsEnabled(focus) ||
            (c->kind != ControlClass::Edit && c->kind != ControlClass::Button)) {
            focus = dialog.FirstTabStop();
            dialog.SetFocus(focus);
        }
        if (dialog.IsEditable(focus))
            EditField(tty, dialog, focus);
        else if (IsButton(dialog, focus))
            FocusButton(tty, dialog, focus);
        else
            Leave(dialog, KeyKind::EndOfInput);  // nothing the keyboard could reach
    }
    tty.WriteLines("\n");
}

void TerminalBackend::EditField(Tty& tty, Dialog& dialog, int id) {
    std::string shown = dialog.DisplayText(id);
    tty.WriteLines(dialog.LabelFor(id) + ": " + shown);
    SecureWipe(shown);
    const ControlTemplate* c = dialog.ControlOf(id);
    for (;;) {
        const Key key = tty.ReadKey();
        switch (key.kind) {
            case KeyKind::Char:
                if (dialog.TypeChar(id, key.ch))
                    tty.Write(std::string_view(c->Has(kPassword) ? &c->passwordChar : &key.ch, 1));
                else
                    tty.Bell();
                break;
            case KeyKind::Backspace:
                if (dialog.Backspace(id))
                    tty.Write("\b \b");
                else
                    tty.Bell();
                break;
            case KeyKind::Tab:
                tty.WriteLines("\n");
                dialog.SetFocus(dialog.NextTabStop(id));
                return;
            case KeyKind::Enter: {
                const std::optional<int> button = dialog.DefaultButton();
                if (!button || !dialog.IsEnabled(*button)) {
                    tty.Bell();
                    break;
                }
                tty.WriteLines("\n");
                dialog.Click(*button);
                return;
            }
            case KeyKind::Escape:
            case KeyKind::Interrupt:
            case KeyKind::EndOfInput:
                tty.WriteLines("\n");
                Leave(dialog, key.kind);
                return;
        }
        if (dialog.Ended() || dialog.Focus() != id) return;  // a change hook moved on
    }
}

void TerminalBackend::FocusButton(Tty& tty, Dialog& dialog, int id) {
    tty.WriteLines("> [" + WithoutAccelerator(dialog.GetText(id)) + "] ");
    for (;;) {
        const Key key = tty.ReadKey();
        switch (key.kind) {
            case KeyKind::Enter:
                tty.WriteLines("\n");
                dialog.Click(id);
                return;
            case KeyKind::Char:
                if (key.ch == ' ') {
                    tty.WriteLines("\n");
                    dialog.Click(id);
                    return;
                }
                tty.Bell();
                break;
            case KeyKind::Tab:
                tty.WriteLines("\n");
                dialog.SetFocus(dialog.NextTabStop(id));
                return;
            case KeyKind::Escape:
            case KeyKind::Interrupt:
            case KeyKind::EndOfInput:
                tty.WriteLines("\n");
                Leave(dialog, key.kind);
                return;
            default:
                tty.Bell();
        }
    }
}

std::optional<std::string> TerminalBackend::ChooseOpenFile(const OpenFileRequest& request) {
    Tty tty;
    if (!tty.IsOpen()) return std::nullopt;
    DrawHeading(tty, request.title.empty() ? "Open" : request.title);
    if (!request.filter.empty()) tty.WriteLines("Files: " + request.filter + "\n");
    tty.WriteLines("File name (empty or Esc cancels): ");
    std::string path = request.fileName;
    tty.Write(path);
    for (;;) {
        const Key key = tty.ReadKey();
        switch (key.kind) {
            case KeyKind::Char:
                path += key.ch;
                tty.Write(std::string_view(&key.ch, 1));
                break;
            case KeyKind::Backspace:
                if (path.empty()) {
                    tty.Bell();
                } else {
                    path.pop_back();
                    tty.Write("\b \b");
                }
                break;
            case KeyKind::Enter:
                tty.WriteLines("\n");
                if (path.empty()) return std::nullopt;
                return path;
            case KeyKind::Tab:
                tty.Bell();
                break;
            case KeyKind::Escape:
            case KeyKind::Interrupt:
            case KeyKind::EndOfInput:
                tty.WriteLines("\n");
                return std::nullopt;
        }
    }
}

}  // namespace ui
