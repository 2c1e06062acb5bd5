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
#include <string>

#include "platform/ui/service.h"
#include "tests/ui/test_dialogs.h"

namespace {

// Child: runs the dialog on its new controlling terminal; the exit code tells how it went.
[[noreturn]] void RunChild(int slave) {
    setsid();
    if (ioctl(slave, TIOCSCTTY, 0) != 0) _exit(10);
    if (!ui::SetBackend("terminal")) _exit(11);
    ui_test::TestDialog dlg;
    const INT_PTR result = dlg.DoModal();
    termios mode{};
    tcgetattr(slave, &mode);
    if (result != IDOK) _exit(12);
    if (dlg.m_text != "1234") _exit(13);
    if (!(mode.c_lflag & ECHO) || !(mode.c_lflag & ICANON)) _exit(14);  // the mode came back
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

}  // namespace
