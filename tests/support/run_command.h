// Running a command line through the shell from a test, for tools and helper programs.
#pragma once

#include <string>

namespace testing_support {

struct CommandResult {
    std::string out;  // standard output
    int status;       // exit status; -1 when the command could not run or was killed
};

// Runs the command line and collects its standard output (standard error is not captured).
CommandResult RunCommand(const std::string& commandLine);
// Runs it with standard error joined to the output; throws with that output when it fails.
std::string RunOrThrow(const std::string& commandLine);
// The text as one shell word.
std::string ShellQuote(const std::string& text);

}  // namespace testing_support
