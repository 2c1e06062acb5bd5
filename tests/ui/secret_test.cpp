// A secret typed into a password field through the script backend: no copy of it (script line,
// control text, exchanged member, saved old value) may go back to the heap unwiped.
#include <fcntl.h>
#include <unistd.h>

#include <cstring>

#include "tests/ui/freed_memory_watch.h"
#include "tests/ui/test_dialogs.h"
#include "tests/ui/ui_fixture.h"

namespace {

using ui_test::FreedMemoryWatch;
using ui_test::UiTest;

// Six characters: "type 201 " and the secret fit in a string's own storage, the case where a
// moved string leaves its bytes behind.
constexpr const char* kSecret = "q7Kz9X";

// Two password fields exchanged with two members, so that a save keeps two old texts aside.
class TwoFieldDialog : public CDialog {
public:
    TwoFieldDialog() : CDialog(Template()) {}
    std::string m_first;
    std::string m_second;

protected:
    static ui::DialogTemplate Template() {
        ui::DialogTemplate t = ui_test::TestTemplate();
        ui::ControlTemplate second = t.controls.front();
        second.id = 202;
        t.controls.insert(t.controls.begin() + 1, second);
        return t;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, ui_test::kEditId, m_first);
        DDX_Text(pDX, 202, m_second);
    }
};

class SecretTest : public UiTest {
protected:
    // Writes the script straight from the literal, so the test puts no copy on the heap itself.
    void WriteScript(const char* text) {
        const int fd = ::open(scriptPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, text, std::strlen(text)), static_cast<ssize_t>(std::strlen(text)));
        ::close(fd);
        ui::ResetFromEnvironment();
    }
};

TEST_F(SecretTest, NoFreedBlockHoldsTheTypedSecret) {
    const struct {
        const char* name;
        const char* script;
        int showings;
    } cases[] = {
        {"typed and read on OK", "type 201 q7Kz9X\nclick OK\n", 1},
        {"among many lines", "# one\n# two\n# three\n# four\n# five\ntype 201 q7Kz9X\n# six\nclick OK\n", 1},
        {"shown again with the member", "type 201 q7Kz9X\nclick OK\nclick OK\n", 2},
        {"refused as too long, then cancelled", "type 201 q7Kz9X123\nclick OK\nanswer ok\nescape\n", 1},
        {"script error on a typing line", "type 999 q7Kz9X\n", 1},
        {"longer than a field's first storage",
         "type 201 q7Kz9X-and-then-a-passphrase-that-goes-on-well-beyond-sixty-four-characters\n"
         "click OK\nanswer ok\nescape\n",
         1},
    };
    for (const auto& c : cases) {
        WriteScript(c.script);
        ui_test::TestDialog dlg;
        dlg.editLimit = 0;
        FreedMemoryWatch watch(kSecret);
        for (int i = 0; i < c.showings; ++i) dlg.DoModal();
        ui::ResetFromEnvironment();  // the backend and its script go too
        EXPECT_EQ(watch.Hits(), 0) << c.name;
        EXPECT_FALSE(ui::ScriptRanOut()) << c.name;
    }
}

TEST_F(SecretTest, SavingSeveralMembersLeavesNoCopyOfTheirOldTexts) {
    WriteScript("type 202 other\nclick OK\n");
    TwoFieldDialog dlg;
    dlg.m_first = kSecret;  // from an earlier showing; the save keeps it aside until it succeeds
    FreedMemoryWatch watch(kSecret);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_second, "other");
    EXPECT_EQ(watch.Hits(), 0);
}

}  // namespace
