// A UI backend: the thing that actually shows boxes and dialogs (a script, the terminal, nothing).
// The service picks one per process and calls it with its lock held, one box or dialog at a time
// (a box that a dialog's hook opens nests inside the dialog).
#pragma once

#include <optional>
#include <string>

#include "platform/ui/dialog.h"
#include "platform/ui/messagebox_kinds.h"
#include "platform/ui/open_file.h"

namespace ui {

class Backend {
public:
    virtual ~Backend() = default;
    // "script:FILE", "terminal", "none".
    virtual std::string Name() const = 0;
    // Whether the next box or dialog can be shown at all. A script's "unavailable" line is taken here.
    virtual bool CanShow() = 0;
    // The button pressed; the box is one CanShow agreed to show.
    virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;
    // Drives the dialog until it has ended; the backend ends it itself (as Cancel) when it can
    // no longer give input and the handler's close did not end it.
    virtual void RunDialog(Dialog& dialog) = 0;
    // The chosen path, or nullopt when cancelled.
    virtual std::optional<std::string> ChooseOpenFile(const OpenFileRequest& request) = 0;
    // Whether a script ran out of lines since the backend was set up.
    virtual bool RanOut() const { return false; }
};

}  // namespace ui
