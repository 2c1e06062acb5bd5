// The reg tool run as a program: what it prints, its exit status, and what it leaves in the
// registry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>

#include "tests/registry/registry_helpers.h"
#include "tests/support/temp_dir.h"

using namespace registry_test;
using testing_support::ReadFile;
using testing_support::WriteFile;
using Args = std::vector<std::string>;

namespace {

const char kNotFound[] = "ERROR: The system was unable to find the specified registry key or value.\n";
const char kDone[] = "The operation completed successfully.\n";

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ShellQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string Joined(const Args& args) {
    std::string out;
    for (const std::string& a : args) out += (out.empty() ? "" : " ") + a;
    return out;
}

class RegToolTest : public testing::Test {
protected:
    // Runs reg through the shell with the arguments and the given standard input.
    Result Reg(const Args& args, const std::string& input = "") {
        const auto dir = prefix_.dir().path();
        WriteFile(dir / "in", input);
        std::string command = ShellQuoted(std::string(CS_BUILD_DIR) + "/bin/reg");
        for (const std::string& a : args) command += " " + ShellQuoted(a);
        command += " <" + ShellQuoted((dir / "in").string()) + " >" + ShellQuoted((dir / "out").string()) +
                   " 2>" + ShellQuoted((dir / "err").string());
        Result r;
        const int raw = std::system(command.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = ReadFile(dir / "out");
        r.err = ReadFile(dir / "err");
        return r;
    }

    testing_support::ScopedPrefix prefix_;
};

TEST_F(RegToolTest, AddThenQueryShowsTheUsualLayout) {
    const std::string key = "HKLM\\SOFTWARE\\OVREL\\SIGN";
    const Args adds[] = {
        {"add", key},
        {"add", key, "/ve", "/d", "Default text"},
        {"add", key, "/v", "SigningComponent", "/t", "REG_SZ", "/d", "/opt/p11/libtoken.so", "/f"},
        {"add", key, "/v", "Count", "/t", "reg_dword", "/d", "42"},
        {"add", key, "-V", "Mask", "-T", "REG_DWORD", "-D", "0xFF00"},
        {"add", key, "/v", "Blob", "/t", "REG_BINARY", "/d", "00ff10"},
        {"add", key + "\\Child"},
    };
    for (const Args& add : adds) {
        const Result r = Reg(add);
        EXPECT_EQ(0, r.status) << Joined(add) << ": " << r.err;
        EXPECT_EQ(kDone, r.out) << Joined(add);
    }
    Result r = Reg({"query", "hklm\\SOFTWARE\\OVREL\\SIGN"});
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(
        "\nHKEY_LOCAL_MACHINE\\SOFTWARE\\OVREL\\SIGN\n"
        "    (Default)    REG_SZ    Default text\n"
        "    SigningComponent    REG_SZ    /opt/p11/libtoken.so\n"
        "    Count    REG_DWORD    0x2a\n"
        "    Mask    REG_DWORD    0xff00\n"
        "    Blob    REG_BINARY    00FF10\n"
        "\n"
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\OVREL\\SIGN\\Child\n",
        r.out);

    r = Reg({"query", "HKEY_LOCAL_MACHINE\\SOFTWARE\\OVREL\\SIGN\\", "/v", "signingcomponent"});
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(
        "\nHKEY_LOCAL_MACHINE\\SOFTWARE\\OVREL\\SIGN\n    signingcomponent    REG_SZ    "
        "/opt/p11/libtoken.so\n",
        r.out);
    EXPECT_EQ("/opt/p11/libtoken.so",
              ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\OVREL\\SIGN", "SigningComponent"));
}

TEST_F(RegToolTest, ClassesRootPathsAndRecursiveQuery) {
    const std::string clsid = "HKEY_CLASSES_ROOT\\CLSID\\{97385D32-8FC9-4930-9F33-17CD1CC91BDC}";
    ASSERT_EQ(0, Reg({"add", clsid + "\\InprocServer32", "/v", "ThreadingModel", "/d", "Apartment"}).status);
    EXPECT_EQ("Apartment",
              ReadString(HKEY_LOCAL_MACHINE,
                         "SOFTWARE\\Classes\\CLSID\\{97385D32-8FC9-4930-9F33-17CD1CC91BDC}\\InprocServer32",
                         "ThreadingModel"));
    const Result r = Reg({"query", "HKCR\\CLSID", "/s"});
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(
        "\nHKEY_CLASSES_ROOT\\CLSID\n"
        "\nHKEY_CLASSES_ROOT\\CLSID\\{97385D32-8FC9-4930-9F33-17CD1CC91BDC}\n"
        "\nHKEY_CLASSES_ROOT\\CLSID\\{97385D32-8FC9-4930-9F33-17CD1CC91BDC}\\InprocServer32\n"
        "    ThreadingModel    REG_SZ    Apartment\n",
        r.out);
}

TEST_F(RegToolTest, FailuresExitOneWithOneErrorLine) {
    const std::string k = "HKLM\\SOFTWARE\\K";
    ASSERT_EQ(0, Reg({"add", k, "/v", "v", "/d", "x"}).status);
    const struct {
        Args args;
        const char* err;  // exact text, or null for any one line starting with "ERROR: "
    } cases[] = {
        {{"query", "HKLM\\SOFTWARE\\Missing"}, kNotFound},
        {{"query", k, "/v", "missing"}, kNotFound},
        {{"query", k, "/ve"}, kNotFound},
        {{"delete", "HKLM\\SOFTWARE\\Missing", "/f"}, kNotFound},
        {{"delete", k, "/v", "missing", "/f"}, kNotFound},
        {{"delete", "HKLM", "/f"}, "ERROR: Invalid key name.\n"},
        {{"add", "HKLM\\SOFTWARE\\a\\\\b"}, "ERROR: Invalid key or value name.\n"},
        {{}, nullptr},
        {{"frobnicate", "HKLM\\x"}, nullptr},
        {{"query", "HKCU\\Software"}, nullptr},
        {{"query"}, nullptr},
        {{"query", k, "/v"}, nullptr},
        {{"query", k, "/f"}, nullptr},
        {{"add", k, "/d", "x"}, nullptr},
        {{"add", k, "/v", "a", "/v", "b"}, nullptr},
        {{"add", k, "/v", "n", "/t", "REG_DWORD", "/d", "12abc"}, nullptr},
        {{"add", k, "/v", "n", "/t", "REG_DWORD", "/d", "4294967296"}, nullptr},
        {{"add", k, "/v", "n", "/t", "REG_DWORD", "/d", "-1"}, nullptr},
        {{"add", k, "/v", "n", "/t", "REG_BINARY", "/d", "0g"}, nullptr},
        {{"add", k, "/v", "n", "/t", "REG_QWORD", "/d", "1"}, nullptr},
    };
    for (const auto& c : cases) {
        const Result r = Reg(c.args);
        EXPECT_EQ(1, r.status) << Joined(c.args);
        if (c.err != nullptr) {
            EXPECT_EQ(c.err, r.err) << Joined(c.args);
        } else {
            EXPECT_THAT(r.err, testing::StartsWith("ERROR: ")) << Joined(c.args);
            EXPECT_EQ(1, std::count(r.err.begin(), r.err.end(), '\n')) << Joined(c.args) << ": " << r.err;
        }
    }
    Key key;
    ASSERT_EQ(ERROR_SUCCESS, Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\K", &key));
    EXPECT_THAT(ValueNames(key.get()), testing::ElementsAre("v"));
    EXPECT_EQ("x", ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\K", "v"));
}

TEST_F(RegToolTest, OverwriteAndDeleteAskUnlessForced) {
    const std::string sub = "HKLM\\SOFTWARE\\K\\Sub";
    ASSERT_EQ(0, Reg({"add", sub, "/v", "v", "/d", "old"}).status);
    // Without /f an existing value or a key is only touched after "yes".
    const struct {
        Args args;
        const char* answer;
        int status;
        const char* value;  // SOFTWARE\K\Sub "v" afterwards
    } steps[] = {
        {{"add", sub, "/v", "v", "/d", "new"}, "n\n", 1, "old"},
        {{"add", sub, "/v", "v", "/d", "new"}, "", 1, "old"},
        {{"add", sub, "/v", "v", "/d", "new"}, "yes\n", 0, "new"},
        {{"add", sub, "/v", "v", "/d", "newer", "/f"}, "", 0, "newer"},
        {{"delete", sub, "/v", "v"}, "no\n", 1, "newer"},
        {{"delete", "HKLM\\SOFTWARE\\K"}, "\n", 1, "newer"},
        {{"delete", sub, "/v", "v"}, "Y\n", 0, "<error 2>"},
    };
    for (const auto& s : steps) {
        const Result r = Reg(s.args, s.answer);
        EXPECT_EQ(s.status, r.status) << Joined(s.args) << " <- " << s.answer << ": " << r.err;
        EXPECT_EQ(s.value, ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\K\\Sub", "v")) << Joined(s.args);
    }
    // Deleting a key takes everything below it.
    const Result r = Reg({"delete", "HKLM\\SOFTWARE\\K"}, "y\n");
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_FALSE(Exists(HKEY_LOCAL_MACHINE, "SOFTWARE\\K"));
    EXPECT_TRUE(Exists(HKEY_LOCAL_MACHINE, "SOFTWARE"));
}

TEST_F(RegToolTest, DamagedHiveIsReportedNotCrashedOn) {
    WriteFile(registry::HiveFilePath(), "garbage\n");
    const Args commands[] = {
        {"query", "HKLM"}, {"add", "HKLM\\SOFTWARE\\x", "/f"}, {"delete", "HKLM\\SOFTWARE\\x", "/f"}};
    for (const Args& args : commands) {
        const Result r = Reg(args);
        EXPECT_EQ(1, r.status) << Joined(args);
        EXPECT_EQ("ERROR: The registry file " + registry::HiveFilePath() + " is damaged.\n", r.err)
            << Joined(args);
    }
    EXPECT_EQ("garbage\n", ReadFile(registry::HiveFilePath()));
}

}  // namespace
