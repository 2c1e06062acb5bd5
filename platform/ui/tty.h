// The controlling terminal in raw mode for the time a box or dialog is shown. The previous mode is
// restored on every path out: the destructor, and the common termination signals. A signal the
// process ignores stays ignored, and after a host's handler that returns the raw mode is back, so
// that typing is never echoed while the box or dialog is still reading.
#pragma once

#include <string_view>
#include <termios.h>

namespace ui {

enum class KeyKind { Char, Enter, Tab, Backspace, Escape, Interrupt, EndOfInput };

struct Key {
    KeyKind kind = KeyKind::EndOfInput;
    char ch = 0;  // for Char
};

class Tty {
public:
    // Opens /dev/tty and switches it to raw mode; IsOpen() tells whether that worked.
    Tty();
    ~Tty();
    Tty(const Tty&) = delete;
    Tty& operator=(const Tty&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    void Write(std::string_view text);
    // Writes text with each "\n" turned into "\r\n", as a raw terminal needs.
    void WriteLines(std::string_view text);
    void Bell() { Write("\a"); }
    // Blocks for the next key. Escape sequences (arrow keys and such) are read and skipped.
    Key ReadKey();

    // Whether a controlling terminal can be opened at all.
    static bool Available();

private:
    int fd_ = -1;
    termios saved_{};
    bool raw_ = false;
    bool addCarriageReturn_ = true;  // false when the terminal turns "\n" into "\r\n" itself
};

}  // namespace ui
