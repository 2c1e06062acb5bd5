// Message boxes through the script backend: answers, the close box, unavailable, running out,
// and the transcript line.
#include <gtest/gtest.h>

#include <ostream>

#include "platform/ui/messagebox.h"
#include "tests/ui/ui_fixture.h"

namespace {

using ui_test::UiTest;

struct AnswerCase {
    const char* line;
    UINT type;
    int expected;
    const char* word;  // as the transcript records it
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.line; }
};

class MessageBoxAnswers : public UiTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(MessageBoxAnswers, ScriptAnswerBecomesTheResult) {
    const AnswerCase& c = GetParam();
    Script(std::string(c.line) + "\n");
    EXPECT_EQ(MessageBoxA(nullptr, "text", "title", c.type), c.expected);
    EXPECT_FALSE(ui::ScriptRanOut());
    ASSERT_EQ(Transcript().size(), 1u) << TranscriptText();
    EXPECT_TRUE(Transcript()[0].ends_with(std::string(" answer=") + c.word)) << Transcript()[0];
}

INSTANTIATE_TEST_SUITE_P(
    EveryWord, MessageBoxAnswers,
    ::testing::Values(AnswerCase{"answer ok", MB_OK, IDOK, "ok"},
                      AnswerCase{"answer cancel", MB_OKCANCEL, IDCANCEL, "cancel"},
                      AnswerCase{"answer retry", MB_RETRYCANCEL, IDRETRY, "retry"},
                      AnswerCase{"answer abort", MB_ABORTRETRYIGNORE, IDABORT, "abort"},
                      AnswerCase{"answer ignore", MB_ABORTRETRYIGNORE, IDIGNORE, "ignore"},
                      AnswerCase{"answer yes", MB_YESNOCANCEL, IDYES, "yes"},
                      AnswerCase{"answer no", MB_YESNO, IDNO, "no"},
                      // The close box answers Cancel where there is one, OK on an OK-only box,
                      // and IDCLOSE where there is neither.
                      AnswerCase{"answer close", MB_RETRYCANCEL, IDCANCEL, "cancel"},
                      AnswerCase{"answer close", MB_OK, IDOK, "ok"},
                      AnswerCase{"answer close", MB_YESNO, IDCLOSE, "close"}),
    [](const auto& info) {
        return std::string(info.param.line + 7) + "_gives_" + info.param.word + "_" + std::to_string(info.index);
    });

TEST_F(UiTest, TranscriptLineShowsTitleTextButtonsIconAndAnswer) {
    Script("answer retry\nanswer cancel\n");
    MessageBoxA(nullptr, "Please Insert Smartcard", "Signing", MB_RETRYCANCEL | MB_ICONINFORMATION);
    MessageBoxA(nullptr, "Line one.\nNumber:2 \"quoted\" \\", "Signing", MB_RETRYCANCEL | MB_ICONEXCLAMATION);
    const std::vector<std::string> lines = Transcript();
    ASSERT_EQ(lines.size(), 2u) << TranscriptText();
    EXPECT_EQ(lines[0],
              "messagebox title=\"Signing\" text=\"Please Insert Smartcard\" buttons=retrycancel "
              "icon=information answer=retry");
    EXPECT_EQ(lines[1],
              "messagebox title=\"Signing\" text=\"Line one.\\nNumber:2 \\\"quoted\\\" \\\\\" "
              "buttons=retrycancel icon=exclamation answer=cancel");
}

TEST_F(UiTest, UnavailableFailsOneBoxAndTheScriptGoesOn) {
    Script("# the first box cannot be shown\n\nunavailable\n   \nanswer ok\n");
    EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_OK), 0);
    EXPECT_EQ(MessageBoxA(nullptr, "b", "t", MB_OKCANCEL), IDOK);
    EXPECT_FALSE(ui::ScriptRanOut());
    ASSERT_EQ(Transcript().size(), 2u);
    EXPECT_TRUE(Transcript()[0].ends_with("answer=none"));
}

TEST_F(UiTest, RunningOutClosesTheBoxAndIsRecorded) {
    Script("answer retry\n");
    EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_RETRYCANCEL), IDRETRY);
    EXPECT_FALSE(ui::ScriptRanOut());
    EXPECT_EQ(MessageBoxA(nullptr, "b", "t", MB_RETRYCANCEL), IDCANCEL);
    EXPECT_TRUE(ui::ScriptRanOut());
    EXPECT_NE(TranscriptText().find("script ran out"), std::string::npos) << TranscriptText();
}

TEST_F(UiTest, LineThatDoesNotFitIsAScriptErrorAndClosesTheBox) {
    const struct {
        const char* line;
        UINT type;
    } cases[] = {
        {"answer yes", MB_RETRYCANCEL},  // not a button of this box
        {"answer maybe", MB_OKCANCEL},   // not a button at all
        {"click OK", MB_OKCANCEL},       // a dialog action
        {"file x.pfx", MB_OKCANCEL},
    };
    for (const auto& c : cases) {
        Script(std::string(c.line) + "\nanswer ok\n");
        EXPECT_EQ(MessageBoxA(nullptr, "a", "t", c.type), IDCANCEL) << c.line;
        // The bad line is taken; the next box gets the next line.
        EXPECT_EQ(MessageBoxA(nullptr, "b", "t", MB_OKCANCEL), IDOK) << c.line;
        EXPECT_FALSE(ui::ScriptRanOut());
    }
    EXPECT_NE(TranscriptText().find("script error line=1 \"answer yes\""), std::string::npos) << TranscriptText();
}

TEST_F(UiTest, UnknownButtonSetCannotBeShownAndTakesNoLine) {
    Script("answer ok\n");
    EXPECT_EQ(MessageBoxA(nullptr, "a", "t", 0x7), 0);
    EXPECT_EQ(MessageBoxA(nullptr, "b", "t", MB_OK), IDOK);
}

TEST_F(UiTest, NullCaptionAndTextAreShownAsTheDefaults) {
    Script("answer ok\n");
    EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_OK), IDOK);
    EXPECT_EQ(Transcript().at(0), "messagebox title=\"Error\" text=\"\" buttons=ok icon=none answer=ok");
}

}  // namespace
