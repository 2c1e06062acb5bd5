#include "tests/support/ui_script.h"

#include <sstream>

namespace testing_support {

namespace {
std::string JoinLines(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& l : lines) all += l + "\n";
    return all;
}
}  // namespace

UiScript::UiScript(const std::vector<std::string>& lines)
    : ui_("CHEQUESIGN_UI", "script:" + dir_.str() + "/answers.txt"),
      log_("CHEQUESIGN_UI_LOG", dir_.str() + "/transcript.log") {
    WriteFile(dir_.path() / "answers.txt", JoinLines(lines));
}

std::vector<std::string> UiScript::Transcript() const {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(TranscriptPath()));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> UiScript::Shown(const std::string& text) const {
    std::vector<std::string> hits;
    for (const std::string& line : Transcript())
        if (line.find(text) != std::string::npos) hits.push_back(line);
    return hits;
}

}  // namespace testing_support
