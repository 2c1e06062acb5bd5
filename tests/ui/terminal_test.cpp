// The terminal backend on a pseudo-terminal: a child process takes it as its controlling terminal
// and shows the test dialog; the parent types a PIN as a user would.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>

#include "platform/ui/service.h"
#include "tests/ui/freed_memory_watch.h"
#include "tests/ui/test_dialogs.h"

namespace {

// Child: runs the dialog on its new controlling terminal; the exit code tells how it went.
// prepare, when given, runs first (to set up signal dispositions).
[[noreturn]] void RunChild(int slave, void (*prepare)() = nullptr) {
    if (prepare) prepare();
    setsid();
    if (ioctl(slave, TIOCSCTTY, 0) != 0) _exit(10);
    if (!ui::SetBackend("terminal")) _exit(11);
    ui_test::TestDialog dlg;
    ui_test::FreedMemoryWatch watch("1234");
    const INT_PTR result = dlg.DoModal();
    termios mode{};
    tcgetattr(slave, &mode);
    if (result != IDOK) _exit(12);
    if (dlg.m_text != "1234") _exit(13);
    if (!(mode.c_lflag & ECHO) || !(mode.c_lflag & ICANON)) _exit(14);  // the mode came back
    if (watch.Hits() != 0) _exit(15);  // a copy of the typed PIN was freed unwiped
    _exit(0);
}

// Reads what the child writes until `until` shows up (or the child is gone, or time is up).
bool ReadUntil(int master, std::string& out, const std::string& until) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (out.find(until) == std::string::npos) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        pollfd p{master, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        char buffer[256];
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0) return false;  // the child closed the terminal
        out.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

TEST(TerminalBackend, PasswordIsTypedWithoutEchoAndOkReturnsIt) {
    int master = -1, slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(master);
        RunChild(slave);
    }
    close(slave);

    std::string screen;
    ASSERT_TRUE(ReadUntil(master, screen, "PIN: ")) << screen;  // raw mode is on by now
    EXPECT_NE(screen.find("== PIN =="), std::string::npos) << screen;
    ASSERT_EQ(write(master, "1234\r", 5), 5);
    ReadUntil(master, screen, "\x04");  // everything up to the child's end
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(master);

    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << screen;
    EXPECT_NE(screen.find("PIN: ****"), std::string::npos) << screen;
    EXPECT_EQ(screen.find("1234"), std::string::npos) << screen;
}

TEST(TerminalBackend, ASignalThatEndsTheProcessRestoresTheTerminal) {
    int master = -1, slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(master);
        RunChild(slave);
    }
    close(slave);
    std::string screen;
    const bool shown = ReadUntil(master, screen, "PIN: ");
    kill(child, shown ? SIGTERM : SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    termios mode{};
    ASSERT_EQ(tcgetattr(master, &mode), 0);
    close(master);

    ASSERT_TRUE(shown) << screen;
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_TRUE((mode.c_lflag & ECHO) && (mode.c_lflag & ICANON)) << "the terminal was left raw";
}

// A host's handler that returns: it says so on the terminal, and the process goes on.
void NoteSignal(int) {
    const int fd = ::open("/dev/tty", O_WRONLY | O_NOCTTY);
    if (fd >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(fd, "[host handler]", 14);
        ::close(fd);
    }
}

TEST(TerminalBackend, ASignalThatTheProcessSurvivesLeavesThePinUnechoed) {
    const struct {
        const char* name;
        int signal;
        void (*prepare)();
        const char* handled;  // what the terminal shows once the signal was handled
    } cases[] = {
        {"ignored by the process", SIGTERM, [] { signal(SIGTERM, SIG_IGN); }, nullptr},
        {"caught by a handler that returns", SIGINT, [] { signal(SIGINT, NoteSignal); }, "[host handler]"},
    };
    for (const auto& c : cases) {
        int master = -1, slave = -1;
        ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(master);
            RunChild(slave, c.prepare);
        }
        close(slave);

        std::string screen;
        bool typed = ReadUntil(master, screen, "PIN: ");
        if (typed) {
            kill(child, c.signal);
            if (c.handled) {
                typed = ReadUntil(master, screen, c.handled);
                usleep(100 * 1000);  // the handler has returned and the raw mode is back
            }
        }
        if (typed) typed = write(master, "1234\r", 5) == 5;
        if (!ReadUntil(master, screen, "\x04")) kill(child, SIGKILL);  // gone, or stuck
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        close(master);

        EXPECT_TRUE(typed) << c.name << "\n" << screen;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.name << " status " << status << "\n" << screen;
        EXPECT_EQ(screen.find("1234"), std::string::npos) << c.name << ": the PIN was echoed\n" << screen;
    }
}

}  // namespace
