// A component with fresh state, its folder in a temporary directory, a fresh key store, the
// ANSI code page 1252, the C locale and a clock fixed at 09/Dec/2003 17:05:09.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/com/types.h"
#include "tests/support/temp_dir.h"

class SignerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path ErrorLogPath() const { return folder_.path() / "SignerErrorLog.txt"; }
    std::filesystem::path TraceLogPath() const { return folder_.path() / "SignerTrace.txt"; }
    std::string ErrorLog() const { return testing_support::ReadFile(ErrorLogPath()); }
    std::string TraceLog() const { return testing_support::ReadFile(TraceLogPath()); }
    // The error-log line of a code and a description (ANSI bytes) at the fixed clock.
    static std::string ErrorLine(LONG code, const std::string& description);
    // Points the component at a folder that does not exist, so no log can be opened.
    void LoseFolder();

    testing_support::TempDir folder_;
    testing_support::ScopedPrefix prefix_;

private:
    UINT savedCodePage_ = 0;
};
