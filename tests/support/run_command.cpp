#include "tests/support/run_command.h"

#include <sys/wait.h>

#include <cstdio>
#include <stdexcept>

namespace testing_support {

CommandResult RunCommand(const std::string& commandLine) {
    CommandResult result{"", -1};
    FILE* pipe = popen(commandLine.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
    int raw = pclose(pipe);
    result.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

std::string RunOrThrow(const std::string& commandLine) {
    CommandResult r = RunCommand(commandLine + " 2>&1");
    if (r.status != 0) throw std::runtime_error("command failed: " + commandLine + "\n" + r.out);
    return r.out;
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace testing_support
