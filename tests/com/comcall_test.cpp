#include <gtest/gtest.h>


#include <optional>
#include <string>
#include <vector>

#include "tests/com/sample_server.h"
#include "tests/com/server_fixture.h"
#include "tests/support/run_command.h"

namespace {

using testing_support::CommandResult;
using Outcome = CommandResult;

Outcome RunComcall(const std::vector<std::string>& args) {
    std::string command = COMCALL_PATH;
    for (const std::string& a : args) command += " " + testing_support::ShellQuote(a);
    return testing_support::RunCommand(command + " 2>/dev/null");
}

std::vector<std::string> WithModule(std::vector<std::string> calls) {
    std::vector<std::string> args = {"--module", COM_TEST_SERVER, kSampleClsid};
    args.insert(args.end(), calls.begin(), calls.end());
    return args;
}

using Comcall = ServerFixture;  // each run gets a fresh registry through the environment

TEST_F(Comcall, OutputLinesAndExitStatus) {
    struct {
        const char* name;
        std::vector<std::string> calls;
        const char* out;
        int status;
    } cases[] = {
        {"values of each kind",
         {"Greet(\"W\\u00F6rld\")", "Add(2, 40)", "IsEven(3)", "Nothing", "NullText()", "#2(5,6)"},
         "Greet = \"Hello, W\xC3\xB6rld\"\nAdd = 42\nIsEven = False\nNothing = (empty)\n"
         "NullText = \"\"\n#2 = 11\n",
         0},
        {"names ignore case; escapes come back escaped",
         {"greet(\"a\\\"b\\\\\")", "ISEVEN(-4)"},
         "greet = \"Hello, a\\\"b\\\\\"\nISEVEN = True\n", 0},
        {"text the code page cannot hold reaches the member as ?",
         {"Greet(\"\\u0416\")"}, "Greet = \"Hello, ?\"\n", 0},
        {"a lone surrogate becomes ? and the character after it stays",
         {"Greet(\"\\uD800A\\uDC00B\")"}, "Greet = \"Hello, ?A?B\"\n", 0},
        {"arguments the call changed are shown",
         {"Upper(\"abc\")", "Bump(41)", "Bump(True)"},
         "Upper = (empty)\n  arg 1 = \"ABC\"\nBump = (empty)\n  arg 1 = 42\nBump = (empty)\n", 0},
        {"a failed call does not stop the next",
         {"Fail", "Add(1, 2)", "Nope", "Add(1)", "Add(\"x\", 1)", "#99"},
         "Fail ! 0x80070005 deliberate failure\nAdd = 3\nNope ! 0x80020006 Unknown name\n"
         "Add ! 0x8002000E Invalid number of parameters\n"
         "Add ! 0x80020005 Type mismatch (argument 1)\n#99 ! 0x80020003 Member not found\n",
         1},
    };
    for (auto& c : cases) {
        Outcome o = RunComcall(WithModule(c.calls));
        EXPECT_EQ(o.out, c.out) << c.name;
        EXPECT_EQ(o.status, c.status) << c.name;
    }
}

TEST_F(Comcall, AnsiCodePageComesFromTheEnvironment) {
    const std::string hiragana = "Greet(\"\\u3042\")";  // not in 1252, in 932
    struct {
        const char* name;
        std::optional<std::string> codePage;
        const char* out;
    } cases[] = {
        {"1252 by default", std::nullopt, "Greet = \"Hello, ?\"\n"},
        {"932 holds the character", "932", "Greet = \"Hello, \xE3\x81\x82\"\n"},
        {"an unknown code page leaves 1252", "77777", "Greet = \"Hello, ?\"\n"},
    };
    for (auto& c : cases) {
        testing_support::ScopedEnv codePage("CHEQUESIGN_CODEPAGE", c.codePage);
        EXPECT_EQ(RunComcall(WithModule({hiragana})).out, c.out) << c.name;
    }
}

TEST_F(Comcall, CreationThroughTheRegistry) {
    Outcome before = RunComcall({kSampleProgId, "Add(1, 1)"});
    EXPECT_EQ(before.out, "");
    EXPECT_EQ(before.status, 1);  // not registered yet

    ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);
    Outcome byProgId = RunComcall({kSampleProgId, "Add(1, 1)"});
    EXPECT_EQ(byProgId.out, "Add = 2\n");
    EXPECT_EQ(byProgId.status, 0);
    EXPECT_EQ(RunComcall({kSampleClsid, "Add(1, 1)"}).out, "Add = 2\n");
}

TEST_F(Comcall, CommandLineErrors) {
    struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{}, 2},
        {{kSampleClsid}, 2},                                   // no call
        {WithModule({"Add(1,"}), 2},                           // unfinished
        {WithModule({"Greet(\"open)"}), 2},                    // unterminated string
        {WithModule({"Add(99999999999, 1)"}), 2},              // out of range
        {{"--bogus", kSampleClsid, "Add"}, 2},
        {{"--ui", "no-such-backend", kSampleClsid, "Add"}, 2},
        {{"--module", "/nonexistent/module.so", kSampleClsid, "Add"}, 1},
        {{"--module", COM_TEST_SERVER, "{00000000-0000-0000-0000-000000000001}", "Add"}, 1},
        {{"--module", COM_TEST_NULL_CLASS_OBJECT, kSampleClsid, "Add"}, 1},  // success, no object
    };
    for (auto& c : cases) {
        Outcome o = RunComcall(c.args);
        EXPECT_EQ(o.status, c.status) << ::testing::PrintToString(c.args);
        EXPECT_EQ(o.out, "");
    }
}

}  // namespace
