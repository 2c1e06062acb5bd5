// Choosing the backend: by the host, by CHEQUESIGN_UI, by default; and the none backend.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/ui/dialog.h"
#include "platform/ui/messagebox.h"
#include "platform/ui/open_file.h"
#include "platform/ui/secure_wipe.h"
#include "tests/ui/ui_fixture.h"

namespace {

using testing_support::ScopedEnv;
using ui_test::UiTest;

bool HasTerminal() {
    const int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

TEST_F(UiTest, NoneBackendShowsNothing) {
    ScopedEnv none("CHEQUESIGN_UI", "none");
    EXPECT_EQ(ui::CurrentBackendName(), "none");
    EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_OKCANCEL), 0);
    ui::DialogTemplate tmpl;
    tmpl.id = 7;
    tmpl.caption = "Seven";
    ui::DialogHandler handler;
    EXPECT_EQ(ui::RunModal(tmpl, handler), ui::kDialogNotShown);
    EXPECT_EQ(ui::ShowOpenFileDialog({}).outcome, ui::OpenFileOutcome::NotShown);
    const std::vector<std::string> lines = Transcript();
    ASSERT_EQ(lines.size(), 3u) << TranscriptText();
    EXPECT_EQ(lines[1], "dialog 7 caption=\"Seven\" answer=unavailable");
}

TEST_F(UiTest, EnvironmentIsReadAtEachBoxAndAScriptKeepsItsPlace) {
    const std::string other = (dir_.path() / "other").string();
    testing_support::WriteFile(other, "answer no\nanswer yes\n");
    Script("answer ok\nanswer cancel\n");
    EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_OKCANCEL), IDOK);
    {
        ScopedEnv switched("CHEQUESIGN_UI", "script:" + other);
        EXPECT_EQ(ui::CurrentBackendName(), "script:" + other);
        EXPECT_EQ(MessageBoxA(nullptr, "b", "t", MB_YESNO), IDNO);
    }
    // Back to the first script: it was opened again, so it starts over.
    EXPECT_EQ(MessageBoxA(nullptr, "c", "t", MB_OKCANCEL), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "d", "t", MB_OKCANCEL), IDCANCEL);
}

TEST_F(UiTest, HostChoiceWinsOverTheEnvironmentUntilReset) {
    const std::string hostScript = (dir_.path() / "host").string();
    testing_support::WriteFile(hostScript, "answer retry\n");
    Script("answer cancel\n");
    EXPECT_FALSE(ui::SetBackend("window"));
    EXPECT_FALSE(ui::SetBackend("script:"));
    EXPECT_FALSE(ui::SetBackend("script:" + (dir_.path() / "missing").string()));
    ASSERT_TRUE(ui::SetBackend("script:" + hostScript));
    EXPECT_EQ(ui::CurrentBackendName(), "script:" + hostScript);
    EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_RETRYCANCEL), IDRETRY);
    ui::ResetFromEnvironment();
    EXPECT_EQ(MessageBoxA(nullptr, "b", "t", MB_RETRYCANCEL), IDCANCEL);
    EXPECT_FALSE(ui::ScriptRanOut());
}

TEST_F(UiTest, WithoutAChoiceTheTerminalIsUsedWhenThereIsOne) {
    ScopedEnv unset("CHEQUESIGN_UI", std::nullopt);
    EXPECT_EQ(ui::CurrentBackendName(), HasTerminal() ? "terminal" : "none");
}

TEST_F(UiTest, UnusableChoiceInTheEnvironmentShowsNothingAndSaysWhy) {
    for (const std::string& spec : {std::string("window"), "script:" + (dir_.path() / "missing").string()}) {
        ScopedEnv bad("CHEQUESIGN_UI", spec);
        EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_OK), 0) << spec;
    }
    const std::string log = TranscriptText();
    EXPECT_NE(log.find("unknown UI backend \"window\""), std::string::npos) << log;
    EXPECT_NE(log.find("cannot read script"), std::string::npos) << log;
}

TEST(SecureWipe, OverwritesTheWholeBuffer) {
    std::string secret = "correct horse battery staple, and more to leave the small buffer";
    const char* storage = secret.data();
    const std::size_t capacity = secret.capacity();
    ui::SecureWipe(secret);
    EXPECT_TRUE(secret.empty());
    ASSERT_EQ(secret.data(), storage);  // same storage, now all zero
    for (std::size_t i = 0; i < capacity; ++i) EXPECT_EQ(storage[i], '\0') << i;
}

}  // namespace
