#include "platform/ui/script.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/ui/secure_wipe.h"

namespace ui {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& s, std::size_t from) {
    while (from < s.size() && IsSpace(s[from])) ++from;
    std::size_t end = s.size();
    while (end > from && IsSpace(s[end - 1])) --end;
    return s.substr(from, end - from);
}

// The next whitespace-separated word starting at *pos; *pos moves past it.
std::string Word(const std::string& s, std::size_t* pos) {
    std::size_t i = *pos;
    while (i < s.size() && IsSpace(s[i])) ++i;
    const std::size_t start = i;
    while (i < s.size() && !IsSpace(s[i])) ++i;
    *pos = i;
    return s.substr(start, i - start);
}

bool IsSkipped(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size() && IsSpace(line[i])) ++i;
    return i == line.size() || line[i] == '#';
}

// The actions whose words hold no typed text, so that their line may be quoted in a report.
bool IsPlainVerb(const std::string& verb) {
    for (const char* plain : {"click", "escape", "close", "answer", "file-cancel", "unavailable"})
        if (verb == plain) return true;
    return false;
}

}  // namespace

ScriptAction::~ScriptAction() {
    SecureWipe(argument);
    SecureWipe(source);
}

ScriptAction ParseScriptLine(const std::string& line, int number) {
    ScriptAction action;
    action.line = number;
    std::size_t pos = 0;
    action.verb = Word(line, &pos);
    if (action.verb == "type") {
        action.target = Word(line, &pos);
        // The text is everything after the one separator that follows the control, as written.
        // Copied in place: a temporary would leave the text (a PIN) behind on the stack.
        if (pos < line.size()) action.argument.assign(line, pos + 1, std::string::npos);
        action.source = "type " + action.target + " ...";  // never repeat the text itself
    } else if (action.verb == "file") {
        action.argument = Trim(line, pos);
        action.source = line;
    } else if (IsPlainVerb(action.verb)) {
        action.target = Trim(line, pos);
        action.source = line;
    } else {
        // Not an action (a misspelt "type", a stray PIN): none of it is kept or repeated.
        SecureWipe(action.verb);
        action.source = "unknown action";
    }
    return action;
}

std::optional<Script> Script::Load(const std::string& path, std::string* error) {
    // The file may hold a PIN: it is read through a buffer of our own, and neither the content
    // nor the list of lines ever moves to new storage without wiping the old.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::string content;
    int readError = fd < 0 ? errno : 0;
    if (fd >= 0) {
        char chunk[4096];
        for (;;) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) readError = errno;
            if (n <= 0) break;
            SecureAppend(content, std::string_view(chunk, static_cast<std::size_t>(n)));
        }
        SecureWipe(chunk, sizeof chunk);
        ::close(fd);
    }
    if (readError != 0) {
        SecureWipe(content);
        if (error) *error = "cannot read script " + path + ": " + std::strerror(readError);
        return std::nullopt;
    }
    Script script;
    script.lines_.reserve(static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::size_t length = end - start;
        if (length > 0 && content[end - 1] == '\r') --length;
        script.lines_.emplace_back(content, start, length);
        start = end + 1;
    }
    SecureWipe(content);
    return script;
}

Script::~Script() {
    for (auto& line : lines_) SecureWipe(line);
}

void Script::Advance() {
    peeked_.reset();
    while (next_ < lines_.size()) {
        std::string& line = lines_[next_++];
        const int number = static_cast<int>(next_);
        if (IsSkipped(line)) continue;
        peeked_ = ParseScriptLine(line, number);
        SecureWipe(line);
        return;
    }
}

const ScriptAction* Script::Peek() {
    if (!peeked_) Advance();
    return peeked_ ? &*peeked_ : nullptr;
}

std::optional<ScriptAction> Script::Take() {
    if (!peeked_) Advance();
    std::optional<ScriptAction> taken = std::move(peeked_);
    peeked_.reset();
    return taken;
}

}  // namespace ui
