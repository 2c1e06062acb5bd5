// A UI script: the actions of the script backend, one per line. Blank lines and lines that start
// with '#' are skipped. Lines are wiped from memory once taken, since they may hold a PIN.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace ui {

struct ScriptAction {
    int line = 0;          // 1-based line number in the file
    std::string verb;      // type, click, escape, close, answer, file, file-cancel, unavailable
    std::string target;    // type: the control; click: the control; answer: the button word
    std::string argument;  // type: the text (may be empty or hold spaces); file: the path
    std::string source;    // the line as written for error reports; a type line without its text,
                           // and for a line that is no action (its verb is empty) nothing of it

    ScriptAction() = default;
    ScriptAction(const ScriptAction&) = default;
    ScriptAction(ScriptAction&&) = default;
    ScriptAction& operator=(const ScriptAction&) = default;
    ScriptAction& operator=(ScriptAction&&) = default;
    ~ScriptAction();
};

class Script {
public:
    // Reads the file; nullopt (and *error) when it cannot be read.
    static std::optional<Script> Load(const std::string& path, std::string* error);
    Script(Script&&) = default;
    Script& operator=(Script&&) = default;
    ~Script();

    // The next action without taking it; nullopt when no line is left.
    const ScriptAction* Peek();
    // Takes the next action; nullopt when no line is left.
    std::optional<ScriptAction> Take();

private:
    Script() = default;
    void Advance();

    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::optional<ScriptAction> peeked_;
};

// Splits one line into an action (the line must not be blank or a comment).
ScriptAction ParseScriptLine(const std::string& line, int number);

}  // namespace ui
