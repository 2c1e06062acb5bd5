#include <gtest/gtest.h>

#include <filesystem>

#include "platform/crypt/errors.h"
#include "platform/loader/loader.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/error.h"
#include "signer/component_folder.h"
#include "signer/globals.h"
#include "signer/modGeneral.h"
#include "tests/signer/signer_fixture.h"

namespace {

namespace fs = std::filesystem;
using namespace signer;

const std::string kRule(67, '-');
const std::string kStarted = "----------------Tracing for this iteration is started.-------------";
const std::string kClosed = "----------------Tracing for this iteration is closed.--------------";

using SignerErrorLog = SignerTest;

TEST_F(SignerErrorLog, LinesByteForByte) {
    struct Case {
        LONG code;
        const char16_t* description;
        std::string line;
    };
    const Case cases[] = {
        {-2147483647 - 1, u"negative", "\"09/Dec/2003 17:05:09 -2147483648   negative\"\r\n"},
        {909, u"", "\"09/Dec/2003 17:05:09 909   \"\r\n"},
        // A description ending in CR LF puts the closing quote at the start of the next line.
        {902, u"The parameter is incorrect.\r\n", "\"09/Dec/2003 17:05:09 902   The parameter is incorrect.\r\n\"\r\n"},
        {903, u"caf\u00E9 \"x\"", "\"09/Dec/2003 17:05:09 903   caf\xE9 \"x\"\"\r\n"},
    };
    std::string expected;
    for (const Case& c : cases) {
        modGeneral::LogError(c.code, c.description);
        expected += c.line;
        EXPECT_EQ(ErrorLog(), expected);
    }
}

TEST_F(SignerErrorLog, WrittenWhateverTheTraceSwitch) {
    for (bool trace : {false, true}) {
        gblnTrace = trace;
        modGeneral::LogError(901, u"x");
    }
    EXPECT_EQ(ErrorLog(), ErrorLine(901, "x") + ErrorLine(901, "x"));
    EXPECT_FALSE(fs::exists(TraceLogPath()));
}

TEST_F(SignerErrorLog, TheDateIsReadBeforeTheTime) {
    int reads = 0;
    runtime::SetClockForTesting([&] {
        return ++reads == 1 ? runtime::LocalTime{2003, 12, 9, 23, 59, 59} : runtime::LocalTime{2003, 12, 10, 0, 0, 0};
    });
    modGeneral::LogError(1, u"x");
    EXPECT_EQ(ErrorLog(), "\"09/Dec/2003 00:00:00 1   x\"\r\n");
}

TEST_F(SignerErrorLog, ItsOwnFailureReachesTheCaller) {
    LoseFolder();
    try {
        modGeneral::LogError(902, u"x");
        FAIL() << "no error raised";
    } catch (const runtime::Error& e) {
        EXPECT_EQ(e.Number(), runtime::kErrPathNotFound);
    }
}

TEST_F(SignerErrorLog, SystemErrorText) {
    EXPECT_EQ(modGeneral::GetSystemErrorText(0), u"The operation completed successfully.\r\n");
    EXPECT_EQ(modGeneral::GetSystemErrorText(NTE_BAD_KEYSET).substr(0, 4), u"The ");
    EXPECT_EQ(modGeneral::GetSystemErrorText(0x7FFFFFFF), u"");
    // A code without a message leaves the line ending in the three spaces.
    modGeneral::LogError(902, modGeneral::GetSystemErrorText(0x7FFFFFFF));
    EXPECT_EQ(ErrorLog(), ErrorLine(902, ""));
}

TEST_F(SignerErrorLog, ComponentFolderIsTheFolderOfTheModuleFile) {
    SetComponentFolderForTesting(std::nullopt);
    // Linked into this test program, the component's module file is the program itself.
    EXPECT_EQ(fs::path(ComponentFolder()), fs::read_symlink("/proc/self/exe").parent_path());
}

TEST(SignerModule, LoadsWithEverythingResolved) {
    HMODULE module = LoadLibraryA(CS_BUILD_DIR "/lib/signer.so");
    ASSERT_NE(module, nullptr) << loader::LastError();
    FreeLibrary(module);
}

using SignerTraceLog = SignerTest;

TEST_F(SignerTraceLog, OffTouchesNoFile) {
    EXPECT_TRUE(modGeneral::TraceOpen());
    EXPECT_TRUE(modGeneral::TraceWrite(u"step"));
    EXPECT_TRUE(modGeneral::TraceClose());
    LoseFolder();
    EXPECT_TRUE(modGeneral::TraceOpen());
    EXPECT_TRUE(fs::is_empty(folder_.path()));
}

TEST_F(SignerTraceLog, OneBlockPerOpenAndClose) {
    gblnTrace = true;
    for (int block = 0; block < 2; ++block) {
        EXPECT_TRUE(modGeneral::TraceOpen());
        EXPECT_TRUE(modGeneral::TraceWrite(u"Calling Check Input Data."));
        EXPECT_TRUE(modGeneral::TraceWrite(u""));
        EXPECT_TRUE(modGeneral::TraceClose());
    }
    const std::string block = kRule + "\r\n" + kStarted + "\r\n" + kRule + "\r\n" +
                              "09/Dec/2003 17:05:09 Calling Check Input Data.\r\n" +
                              "09/Dec/2003 17:05:09 \r\n" +
                              kRule + "\r\n" + kClosed + "\r\n" + kRule + "\r\n";
    EXPECT_EQ(TraceLog(), block + block);
    EXPECT_EQ(kStarted.size(), 67u);
    EXPECT_EQ(kClosed.size(), 67u);
    EXPECT_FALSE(fs::exists(ErrorLogPath()));
}

TEST_F(SignerTraceLog, RoutinesFailWithoutAnOpenLog) {
    gblnTrace = true;
    EXPECT_FALSE(modGeneral::TraceWrite(u"step"));
    EXPECT_FALSE(modGeneral::TraceClose());
    EXPECT_FALSE(fs::exists(TraceLogPath()));

    ASSERT_TRUE(modGeneral::TraceOpen());
    ASSERT_TRUE(modGeneral::TraceClose());
    EXPECT_FALSE(modGeneral::TraceWrite(u"after close"));
    EXPECT_FALSE(modGeneral::TraceClose());
}

TEST_F(SignerTraceLog, OpenFailsWhenTheLogCannotBeOpened) {
    gblnTrace = true;
    LoseFolder();
    EXPECT_FALSE(modGeneral::TraceOpen());
    EXPECT_FALSE(modGeneral::TraceWrite(u"step"));
    EXPECT_TRUE(fs::is_empty(folder_.path()));
}

}  // namespace
