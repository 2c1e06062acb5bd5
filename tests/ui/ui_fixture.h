// A fresh UI service per test: the script backend on a script file of the test's own, and a
// transcript beside it.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/ui/service.h"
#include "tests/support/temp_dir.h"

namespace ui_test {

class UiTest : public ::testing::Test {
protected:
    void SetUp() override { ui::ResetFromEnvironment(); }
    void TearDown() override { ui::ResetFromEnvironment(); }

    // Writes the script (one action per line) and points the service at it.
    void Script(const std::string& lines) {
        testing_support::WriteFile(scriptPath(), lines);
        ui::ResetFromEnvironment();
    }
    std::string scriptPath() const { return (dir_.path() / "script").string(); }
    std::string logPath() const { return (dir_.path() / "transcript").string(); }

    std::vector<std::string> Transcript() const {
        std::vector<std::string> lines;
        std::istringstream in(testing_support::ReadFile(logPath()));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    std::string TranscriptText() const { return testing_support::ReadFile(logPath()); }

    testing_support::TempDir dir_;
    testing_support::ScopedEnv ui_{"CHEQUESIGN_UI", "script:" + scriptPath()};
    testing_support::ScopedEnv log_{"CHEQUESIGN_UI_LOG", logPath()};
};

}  // namespace ui_test
