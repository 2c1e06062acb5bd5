// The script backend ("script:FILE"): answers boxes and drives dialogs from a script file and
// keeps its place in the file across all boxes and dialogs of the process.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/backend.h"
#include "platform/ui/script.h"

namespace ui {

class ScriptBackend : public Backend {
public:
    // nullptr (and *error) when the file cannot be read.
    static std::unique_ptr<ScriptBackend> Open(const std::string& path, std::string* error);

    std::string Name() const override { return "script:" + path_; }
    bool CanShow() override;
    int ShowMessageBox(const MessageBoxRequest& request) override;
    void RunDialog(Dialog& dialog) override;
    std::optional<std::string> ChooseOpenFile(const OpenFileRequest& request) override;
    bool RanOut() const override { return ranOut_; }

private:
    ScriptBackend(std::string path, Script script) : path_(std::move(path)), script_(std::move(script)) {}
    // Applies one dialog action; false when it does not fit the dialog (a script error).
    bool Apply(Dialog& dialog, const ScriptAction& action, std::string* why);
    void ReportError(const ScriptAction& action, std::string_view why);
    void ReportRanOut(std::string_view shown);

    std::string path_;
    Script script_;
    bool ranOut_ = false;
};

}  // namespace ui
