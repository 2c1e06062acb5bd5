// The "none" backend: nothing can be shown. Dialogs report that they could not be shown and boxes
// answer 0. Also stands in, under the name that was asked for, for a backend that cannot be used.
#pragma once

#include "platform/ui/backend.h"

namespace ui {

class NoneBackend : public Backend {
public:
    explicit NoneBackend(std::string name = "none") : name_(std::move(name)) {}
    std::string Name() const override { return name_; }
    bool CanShow() override { return false; }
    int ShowMessageBox(const MessageBoxRequest&) override { return 0; }
    void RunDialog(Dialog& dialog) override { dialog.End(kDialogNotShown); }
    std::optional<std::string> ChooseOpenFile(const OpenFileRequest&) override { return std::nullopt; }

private:
    std::string name_;
};

}  // namespace ui
