// The terminal backend: boxes and dialogs drawn as text on the controlling terminal (/dev/tty),
// answered from its keyboard. Typed text is never echoed; password fields show their mask.
#pragma once

#include "platform/ui/backend.h"

namespace ui {

class Tty;

class TerminalBackend : public Backend {
public:
    std::string Name() const override { return "terminal"; }
    bool CanShow() override;
    int ShowMessageBox(const MessageBoxRequest& request) override;
    void RunDialog(Dialog& dialog) override;
    std::optional<std::string> ChooseOpenFile(const OpenFileRequest& request) override;

private:
    // Reads keys into the focused edit until the focus has to move or a button is pressed.
    void EditField(Tty& tty, Dialog& dialog, int id);
    void FocusButton(Tty& tty, Dialog& dialog, int id);
};

}  // namespace ui
