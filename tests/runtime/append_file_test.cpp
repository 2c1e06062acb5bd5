#include "platform/runtime/append_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/runtime/error.h"
#include "platform/text/codepage.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

// The run-time error number that a call raises, or 0.
template <class Fn>
LONG RaisedNumber(Fn fn) {
    try {
        fn();
    } catch (const runtime::Error& e) {
        return e.Number();
    }
    return 0;
}

TEST(RuntimeAppendFile, CreatesAndAppendsLinesWithCrLf) {
    TempDir dir;
    auto path = dir.path() / "log.txt";
    runtime::AppendFile file;
    file.Open(path.string());
    file.PrintLine(u"first");
    file.Close();
    file.Open(path.string());
    file.PrintLine(u"");
    file.PrintLine(u"third");
    file.Close();
    EXPECT_EQ(ReadFile(path), "first\r\n\r\nthird\r\n");
}

TEST(RuntimeAppendFile, KeepsWhatTheFileHeld) {
    TempDir dir;
    auto path = dir.path() / "log.txt";
    WriteFile(path, "old\r\n");
    runtime::AppendFile file;
    file.Open(path.string());
    file.Write("new");
    file.Close();
    EXPECT_EQ(ReadFile(path), "old\r\nnew");
}

TEST(RuntimeAppendFile, BackslashSeparatesPathParts) {
    TempDir dir;
    ASSERT_EQ(::mkdir((dir.path() / "sub").c_str(), 0700), 0);
    runtime::AppendFile file;
    file.Open(dir.str() + "\\sub\\log.txt");
    file.PrintLine(u"x");
    file.Close();
    EXPECT_EQ(ReadFile(dir.path() / "sub" / "log.txt"), "x\r\n");
}

TEST(RuntimeAppendFile, WritesTextInTheAnsiCodePage) {
    UINT saved = GetACP();
    ASSERT_TRUE(SetACP(1252));
    TempDir dir;
    auto path = dir.path() / "log.txt";
    runtime::AppendFile file;
    file.Open(path.string());
    file.PrintLine(u"caf\u00E9 \u65E5");  // é has a byte in 1252, 日 has none
    file.Close();
    SetACP(saved);
    EXPECT_EQ(ReadFile(path), "caf\xE9 ?\r\n");
}

TEST(RuntimeAppendFile, FailuresRaiseFileErrors) {
    TempDir dir;
    runtime::AppendFile file;
    EXPECT_EQ(RaisedNumber([&] { file.Open((dir.path() / "missing" / "log.txt").string()); }),
              runtime::kErrPathNotFound);
    EXPECT_EQ(RaisedNumber([&] { file.Open(dir.str()); }), runtime::kErrPathFileAccess);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(RaisedNumber([&] { file.PrintLine(u"x"); }), runtime::kErrBadFileNameOrNumber);
    EXPECT_EQ(RaisedNumber([&] { file.Close(); }), 0);  // closing nothing is no error
}

// Writers with their own handles on one file: each line must land whole.
TEST(RuntimeAppendFile, ConcurrentLinesNeverInterleave) {
    TempDir dir;
    const std::string path = (dir.path() / "log.txt").string();
    constexpr int kWriters = 4;
    constexpr int kLines = 300;
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            std::u16string line(200, static_cast<char16_t>(u'a' + w));
            for (int i = 0; i < kLines; ++i) {
                runtime::AppendFile file;
                file.Open(path);
                file.PrintLine(line);
                file.Close();
            }
        });
    }
    for (auto& t : writers) t.join();
    std::string content = ReadFile(path);
    ASSERT_EQ(content.size(), static_cast<size_t>(kWriters * kLines * 202));
    for (size_t at = 0; at < content.size(); at += 202) {
        std::string line = content.substr(at, 202);
        ASSERT_EQ(line, std::string(200, line[0]) + "\r\n") << "at byte " << at;
    }
}

}  // namespace
