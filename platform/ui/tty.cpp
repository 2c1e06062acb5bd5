#include "platform/ui/tty.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <string>

namespace ui {
namespace {

// The mode to go back to when a signal ends the process while the terminal is raw: the mode of
// the outermost raw session (a box that a dialog opens nests a second session), and the raw mode
// to take up again when the process survives the signal.
int g_restoreFd = -1;
termios g_restoreMode{};
termios g_rawMode{};
int g_depth = 0;
std::mutex g_depthMutex;

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
struct sigaction g_oldActions[sizeof kSignals / sizeof kSignals[0]];

extern "C" void RestoreTerminalOnSignal(int sig, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    if (g_restoreFd >= 0) tcsetattr(g_restoreFd, TCSAFLUSH, &g_restoreMode);
    for (std::size_t i = 0; i < sizeof kSignals / sizeof kSignals[0]; ++i) {
        if (kSignals[i] != sig) continue;
        const struct sigaction& old = g_oldActions[i];
        if (old.sa_flags & SA_SIGINFO) {
            old.sa_sigaction(sig, info, context);
        } else if (old.sa_handler == SIG_DFL) {
            sigaction(sig, &old, nullptr);
            raise(sig);  // delivered to the default disposition once this handler returns
            errno = savedErrno;
            return;
        } else if (old.sa_handler != SIG_IGN) {
            old.sa_handler(sig);
        }
    }
    // The process goes on and so does the box or dialog: no echo again while it reads.
    if (g_restoreFd >= 0) tcsetattr(g_restoreFd, TCSANOW, &g_rawMode);
    errno = savedErrno;
}

void EnterRaw(int fd, const termios& mode, const termios& raw) {
    std::lock_guard<std::mutex> lock(g_depthMutex);
    if (g_depth++ > 0) return;
    g_restoreFd = fd;
    g_restoreMode = mode;
    g_rawMode = raw;
    struct sigaction action {};
    action.sa_sigaction = RestoreTerminalOnSignal;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < sizeof kSignals / sizeof kSignals[0]; ++i) {
        sigaction(kSignals[i], nullptr, &g_oldActions[i]);
        // A signal the process ignores stays ignored; catching it would only end the raw mode.
        if (!(g_oldActions[i].sa_flags & SA_SIGINFO) && g_oldActions[i].sa_handler == SIG_IGN) continue;
        sigaction(kSignals[i], &action, nullptr);
    }
}

void LeaveRaw() {
    std::lock_guard<std::mutex> lock(g_depthMutex);
    if (--g_depth > 0) return;
    for (std::size_t i = 0; i < sizeof kSignals / sizeof kSignals[0]; ++i)
        sigaction(kSignals[i], &g_oldActions[i], nullptr);
    g_restoreFd = -1;
}

bool ByteWaiting(int fd, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, timeoutMs) > 0 && (p.revents & POLLIN);
}

}  // namespace

bool Tty::Available() {
    const int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

Tty::Tty() {
    fd_ = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) return;
    if (tcgetattr(fd_, &saved_) != 0) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    termios raw = saved_;
    // No echo, no line editing, no signals from keys (Ctrl-C arrives as a key and cancels),
    // no CR/NL translation on input; output post-processing stays as it was.
    raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | ISIG | IEXTEN);
    raw.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | IXON);
    addCarriageReturn_ = !((saved_.c_oflag & OPOST) && (saved_.c_oflag & ONLCR));
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    EnterRaw(fd_, saved_, raw);
    if (tcsetattr(fd_, TCSAFLUSH, &raw) != 0) {
        LeaveRaw();
        ::close(fd_);
        fd_ = -1;
        return;
    }
    raw_ = true;
}

Tty::~Tty() {
    if (fd_ < 0) return;
    if (raw_) {
        tcsetattr(fd_, TCSAFLUSH, &saved_);
        LeaveRaw();
    }
    ::close(fd_);
}

void Tty::Write(std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd_, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
}

void Tty::WriteLines(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n' && addCarriageReturn_) out += '\r';
        out += c;
    }
    Write(out);
}

Key Tty::ReadKey() {
    for (;;) {
        unsigned char c = 0;
        const ssize_t n = ::read(fd_, &c, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return {KeyKind::EndOfInput};
        switch (c) {
            case '\r':
            case '\n': return {KeyKind::Enter};
            case '\t': return {KeyKind::Tab};
            case 0x7F:
            case 0x08: return {KeyKind::Backspace};
            case 0x03: return {KeyKind::Interrupt};
            case 0x04: return {KeyKind::EndOfInput};
            case 0x1B:
                // A lone Escape, or the start of a sequence sent by a special key.
                if (!ByteWaiting(fd_, 50)) return {KeyKind::Escape};
                while (ByteWaiting(fd_, 10)) {
                    unsigned char skip = 0;
                    if (::read(fd_, &skip, 1) != 1) break;
                    if (skip >= 0x40 && skip <= 0x7E && skip != '[' && skip != 'O') break;
                }
                continue;
            default:
                if (c < 0x20) continue;  // other control keys do nothing
                return {KeyKind::Char, static_cast<char>(c)};
        }
    }
}

}  // namespace ui
