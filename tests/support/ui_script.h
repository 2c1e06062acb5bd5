// Drives the UI service from a test: a script of answers (CHEQUESIGN_UI=script:FILE) and a
// transcript of what was shown (CHEQUESIGN_UI_LOG=FILE), both in a temporary directory.
#pragma once

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace testing_support {

class UiScript {
public:
    explicit UiScript(const std::vector<std::string>& lines);
    // The transcript lines written so far.
    std::vector<std::string> Transcript() const;
    // Transcript lines that contain the text.
    std::vector<std::string> Shown(const std::string& text) const;
    std::string TranscriptPath() const { return dir_.str() + "/transcript.log"; }

private:
    TempDir dir_;
    ScopedEnv ui_;
    ScopedEnv log_;
};

}  // namespace testing_support
