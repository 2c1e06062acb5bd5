// Modal dialogs: a running dialog built from a template, the hooks its owner provides, and
// RunModal, which shows it through the UI service until one of the hooks ends it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/dialog_template.h"

namespace ui {

class Dialog;

// The result of a dialog that could not be shown.
inline constexpr int kDialogNotShown = -1;

// The owner's side of a dialog. Buttons, Escape and the close box arrive here; the owner ends the
// dialog with Dialog::End. The defaults behave like a plain dialog: OK and Cancel end it with
// their id, Escape and the close box act as Cancel.
class DialogHandler {
public:
    virtual ~DialogHandler() = default;
    // The controls exist and hold their template texts. Returning true gives the keyboard focus to
    // the first tab stop; false means the handler has set the focus itself.
    virtual bool OnInit(Dialog&) { return true; }
    // The dialog is being displayed (a form's Paint).
    virtual void OnShow(Dialog&) {}
    // A button was pressed (only enabled buttons arrive here).
    virtual void OnCommand(Dialog& dialog, int id);
    // The text of an edit changed, by typing or by SetText.
    virtual void OnChange(Dialog&, int /*id*/) {}
    virtual void OnEscape(Dialog& dialog);
    virtual void OnClose(Dialog& dialog);
};

// A dialog while it is shown. Control texts of the dialog are wiped when it is destroyed.
class Dialog {
public:
    Dialog(const DialogTemplate& tmpl, DialogHandler& handler);
    ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    const DialogTemplate& Template() const { return tmpl_; }

    // Controls, by id. Calls on an id the dialog does not have do nothing and read as empty.
    bool HasControl(int id) const;
    const ControlTemplate* ControlOf(int id) const;
    // The id of the control named by an id ("201"), a name ("cmdBrowse") or, for a button, its
    // caption without the accelerator mark ("OK"); case does not matter for names and captions.
    std::optional<int> FindControl(std::string_view idOrName) const;

    std::string GetText(int id) const;
    // Sets the text as a program does: the text limit does not apply. An edit reports the change.
    void SetText(int id, std::string_view text);
    // The text as it is drawn: the mask character for each character of a password field.
    std::string DisplayText(int id) const;
    std::size_t GetLimit(int id) const;
    void SetLimit(int id, std::size_t limit);
    bool IsEnabled(int id) const;
    void Enable(int id, bool enabled);
    bool IsEditable(int id) const;  // an enabled edit that is not read-only
    int Focus() const { return focus_; }
    bool SetFocus(int id);
    // The first enabled, visible tab stop; kStaticId when there is none.
    int FirstTabStop() const;
    // The next enabled, visible tab stop after id, wrapping round.
    int NextTabStop(int id) const;
    // The button that Enter presses: the default button, else OK when there is one.
    std::optional<int> DefaultButton() const;
    // The static label drawn beside an edit (left of it on the same line), or its name or id.
    std::string LabelFor(int id) const;

    // What the user does. Type replaces the text of an edit as if typed after selecting all: each
    // character beyond the limit is refused. TypeChar and Backspace report false when refused.
    // These return false when the control cannot take the action at all (not an edit, disabled).
    bool Type(int id, std::string_view text);
    bool TypeChar(int id, char c);
    bool Backspace(int id);
    // Presses a button; a disabled button ignores the press. False when id is not a button.
    bool Click(int id);
    void PressEscape();
    void PressClose();

    void End(int result);
    bool Ended() const { return ended_; }
    int Result() const { return result_; }

    // Hooks for RunModal.
    bool Init();
    void Show();

private:
    struct Control {
        const ControlTemplate* tmpl;
        std::string text;
        std::size_t limit;
        bool enabled;
    };
    Control* Find(int id);
    const Control* Find(int id) const;
    bool IsTabStop(const Control& c) const;

    DialogTemplate tmpl_;
    DialogHandler& handler_;
    std::vector<Control> controls_;
    int focus_ = kStaticId;
    bool ended_ = false;
    int result_ = 0;
};

// A caption as read: "&OK" reads "OK", "&&" reads "&".
std::string WithoutAccelerator(std::string_view caption);

// Shows the dialog modally through the process's UI backend and returns the value it was ended
// with, or kDialogNotShown. One transcript line records it (password fields masked).
int RunModal(const DialogTemplate& tmpl, DialogHandler& handler);

}  // namespace ui
