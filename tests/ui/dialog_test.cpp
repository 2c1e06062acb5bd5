// Dialogs through the script backend: typing and clicking, the text limit, data exchange with
// validation, Cancel/Escape/close, a second showing, disabled buttons, and the masked transcript.
#include <gtest/gtest.h>

#include "platform/ui/open_file.h"
#include "tests/ui/test_dialogs.h"
#include "tests/ui/ui_fixture.h"

namespace {

using ui_test::TestDialog;
using ui_test::UiTest;

TEST_F(UiTest, TypedTextStopsAtTheLimitAndOkReadsItIntoTheMember) {
    Script("type 201 123456789\nclick OK\n");
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_text, "12345678");
    EXPECT_FALSE(ui::ScriptRanOut());
    ASSERT_EQ(Transcript().size(), 1u) << TranscriptText();
    EXPECT_EQ(Transcript()[0], "dialog 201 caption=\"PIN\" fields: 201=\"********\" answer=ok");
    EXPECT_FALSE(dlg.m_edit.IsAttached());  // detached once the dialog is gone
}

TEST_F(UiTest, LeavingWithoutOkKeepsTheMember) {
    for (const char* leave : {"escape", "close", "click Cancel", "click 2"}) {
        Script(std::string("type 201 9999\n") + leave + "\n");
        TestDialog dlg;
        dlg.m_text = "old";
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << leave;
        EXPECT_EQ(dlg.m_text, "old") << leave;
        EXPECT_FALSE(ui::ScriptRanOut()) << leave;
    }
}

TEST_F(UiTest, SecondShowingStartsWithThePreviousTextMasked) {
    Script("type 201 1234\nclick 1\nclick OK\n");
    TestDialog dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_text, "1234");
    EXPECT_EQ(dlg.initCalls, 2);
    ASSERT_EQ(Transcript().size(), 2u);
    EXPECT_EQ(Transcript()[1], "dialog 201 caption=\"PIN\" fields: 201=\"****\" answer=ok");
}

TEST_F(UiTest, FailedValidationKeepsTheDialogOpenAndTheMemberUnchanged) {
    // The edit takes more than the member may hold; OK then refuses with a message box.
    Script(
        "type 201 123456789\nclick OK\nanswer ok\n"  // too long: told, dialog stays
        "type 201 1234\nclick OK\n"                  // valid
        "type 201 123456789\nclick OK\nanswer ok\n"  // too long again, then Escape
        "escape\n");
    TestDialog dlg;
    dlg.editLimit = 0;
    dlg.m_text = "old";
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_text, "1234");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_text, "1234");  // the refused text did not stay in the member
    EXPECT_FALSE(ui::ScriptRanOut());
    EXPECT_NE(TranscriptText().find("text=\"Please enter no more than 8 characters.\""), std::string::npos)
        << TranscriptText();
}

TEST_F(UiTest, DisabledButtonIgnoresClicks) {
    struct Counting : ui::DialogHandler {
        int later = 0;
        void OnCommand(ui::Dialog& d, int id) override {
            if (id == ui_test::kLaterId) ++later;
            ui::DialogHandler::OnCommand(d, id);
        }
        void OnChange(ui::Dialog& d, int) override { d.Enable(ui_test::kLaterId, true); }
    } handler;
    // Clicked while disabled (by name and by caption): nothing. Typing enables it: counted.
    Script("click cmdLater\nclick later\ntype 201 1\nclick 300\nclick OK\n");
    EXPECT_EQ(ui::RunModal(ui_test::TestTemplate(), handler), IDOK);
    EXPECT_EQ(handler.later, 1);
    EXPECT_FALSE(ui::ScriptRanOut());
}

TEST_F(UiTest, ScriptTroubleClosesTheDialogWithItsCloseBox) {
    const struct {
        const char* script;
        bool ranOut;
    } cases[] = {
        {"type 201 12\n", true},           // no line left
        {"answer ok\n", false},            // a box's line
        {"click Nope\n", false},           // no such control
        {"type 1 x\n", false},             // not an edit
        {"file key.pfx\n", false},
    };
    for (const auto& c : cases) {
        Script(c.script);
        TestDialog dlg;
        dlg.m_text = "old";
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << c.script;
        EXPECT_EQ(dlg.m_text, "old") << c.script;
        EXPECT_EQ(ui::ScriptRanOut(), c.ranOut) << c.script;
    }
    const std::string log = TranscriptText();
    EXPECT_NE(log.find("script ran out at dialog 201"), std::string::npos) << log;
    EXPECT_NE(log.find("script error line=1 \"click Nope\""), std::string::npos) << log;
}

TEST_F(UiTest, UnavailableDialogIsNotShownAndNotInitialised) {
    Script("unavailable\n");
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(dlg.initCalls, 0);
    EXPECT_EQ(Transcript().at(0), "dialog 201 caption=\"PIN\" answer=unavailable");
}

TEST_F(UiTest, SecretTextNeverReachesTheTranscript) {
    // Typed into a control that does not exist and with a misspelt verb (script errors that
    // quote the line), and into the password field: the log has none of them.
    Script("type 999 hunter22\nTYPE 201 hunter23\ntype 201 hunter2\nclick OK\n");
    TestDialog first, misspelt, second;
    first.DoModal();
    misspelt.DoModal();
    second.DoModal();
    EXPECT_EQ(second.m_text, "hunter2");
    const std::string log = TranscriptText();
    EXPECT_EQ(log.find("hunter"), std::string::npos) << log;
    EXPECT_NE(log.find("201=\"*******\""), std::string::npos) << log;
}

TEST_F(UiTest, OpenDialogTakesFileOrFileCancel) {
    Script("file C:/keys/my key.pfx\nfile-cancel\nclick OK\n");
    ui::OpenFileRequest request{"", "(*.pfx)|*.pfx|(*.p12)|*.p12", ui::OFN_HIDEREADONLY, ""};
    const ui::OpenFileResult chosen = ui::ShowOpenFileDialog(request);
    EXPECT_EQ(chosen.outcome, ui::OpenFileOutcome::Chosen);
    EXPECT_EQ(chosen.path, "C:/keys/my key.pfx");
    EXPECT_EQ(ui::ShowOpenFileDialog(request).outcome, ui::OpenFileOutcome::Cancelled);
    EXPECT_EQ(ui::ShowOpenFileDialog(request).outcome, ui::OpenFileOutcome::Cancelled);  // script error
    EXPECT_EQ(ui::ShowOpenFileDialog(request).outcome, ui::OpenFileOutcome::Cancelled);  // ran out
    EXPECT_TRUE(ui::ScriptRanOut());
    EXPECT_EQ(Transcript().at(0),
              "open title=\"\" filter=\"(*.pfx)|*.pfx|(*.p12)|*.p12\" flags=4 answer=file path=\"C:/keys/my key.pfx\"");
}

}  // namespace
