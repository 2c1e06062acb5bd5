#include <gtest/gtest.h>


#include <string>
#include <vector>

#include "platform/com/creation.h"
#include "tests/com/sample_server.h"
#include "tests/com/server_fixture.h"
#include "tests/support/run_command.h"

namespace {

using Outcome = testing_support::CommandResult;

Outcome RunRegsvr(const std::string& args) {
    return testing_support::RunCommand(std::string(REGSVR_PATH) + " " + args + " 2>/dev/null");
}

bool Registered() {
    CLSID clsid{};
    return CLSIDFromProgID(u"ComTest.Sample", &clsid) == S_OK;
}

using Regsvr = ServerFixture;  // the child inherits the fresh registry through the environment

TEST_F(Regsvr, RegistersUnregistersAndReportsEachModule) {
    const std::string server = COM_TEST_SERVER;
    Outcome reg = RunRegsvr(server);
    EXPECT_EQ(reg.out, server + ": DllRegisterServer = 0x00000000\n");
    EXPECT_EQ(reg.status, 0);
    EXPECT_TRUE(Registered());

    Outcome unreg = RunRegsvr("/u " + server);
    EXPECT_EQ(unreg.out, server + ": DllUnregisterServer = 0x00000000\n");
    EXPECT_EQ(unreg.status, 0);
    EXPECT_FALSE(Registered());
}

TEST_F(Regsvr, ExitStatusOnFailures) {
    const std::string server = COM_TEST_SERVER;
    struct {
        const char* name;
        std::string args;
        const char* out;
        int status;
    } cases[] = {
        {"no module", "", "", 2},
        {"unknown option", "/x " + server, "", 2},
        {"module does not load", "/nonexistent/m.so", "", 1},
        {"export missing", COM_TEST_NO_EXPORTS, "", 1},
        {"failing HRESULT", "COM_TEST_FAIL_REGISTER=1", ": DllRegisterServer = 0x80040201\n", 1},
        {"one bad module fails the run, the others still run", "/nonexistent/m.so " + server,
         ": DllRegisterServer = 0x00000000\n", 1},
    };
    for (auto& c : cases) {
        std::string args = c.args;
        std::string expected = c.out;
        if (args == "COM_TEST_FAIL_REGISTER=1") {
            setenv("COM_TEST_FAIL_REGISTER", "1", 1);
            args = server;
        }
        if (!expected.empty()) expected = server + expected;
        Outcome o = RunRegsvr(args);
        unsetenv("COM_TEST_FAIL_REGISTER");
        EXPECT_EQ(o.out, expected) << c.name;
        EXPECT_EQ(o.status, c.status) << c.name;
    }
}

}  // namespace
