// The hive file: where it lives, damaged files, awkward names through the file, and several
// processes writing at once or dying while writing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/registry/registry_helpers.h"
#include "tests/support/temp_dir.h"

using namespace registry_test;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

std::filesystem::path HivePath() {
    return registry::HiveFilePath();
}

// Runs body in a child process; returns its pid. The child exits 0 when body returns true.
template <class Body>
pid_t Spawn(Body body) {
    const pid_t pid = fork();
    if (pid == 0) _exit(body() ? 0 : 1);
    return pid;
}

int WaitExit(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(RegistryPrefix, ComesFromTheEnvironmentOrHomeAndIsCreated) {
    testing_support::TempDir dir;
    {
        testing_support::ScopedEnv prefix("CHEQUESIGN_PREFIX", (dir.path() / "a" / "b").string());
        EXPECT_EQ((dir.path() / "a" / "b").string(), registry::PrefixDirectory());
        EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "a" / "b"));
        Key key;
        ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "SOFTWARE", &key));
        EXPECT_TRUE(std::filesystem::exists(dir.path() / "a" / "b" / registry::kHiveFileName));
    }
    testing_support::ScopedEnv noPrefix("CHEQUESIGN_PREFIX", std::nullopt);
    testing_support::ScopedEnv home("HOME", dir.str());
    EXPECT_EQ(dir.str() + "/.chequesign", registry::PrefixDirectory());
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / ".chequesign"));
}

TEST(RegistryHiveFile, AwkwardNamesAndDataSurviveTheFile) {
    testing_support::ScopedPrefix prefix;
    const std::string keyName = "odd \"key\" %41 \t\x80\xff";
    const std::string valueName = "value\\with\nnewline \"quoted\" 100%";
    const std::string text = "line1\r\nline2 %% \"q\" \x7f end";
    {
        Key key;
        ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, ("SOFTWARE\\" + keyName).c_str(), &key));
        ASSERT_EQ(ERROR_SUCCESS, SetString(key.get(), valueName.c_str(), text));
    }
    // Every call loads the file again, so this reads what was written to it.
    EXPECT_EQ(text, ReadString(HKEY_LOCAL_MACHINE, ("software\\" + keyName).c_str(), valueName.c_str()));
    Key software;
    ASSERT_EQ(ERROR_SUCCESS, Open(HKEY_LOCAL_MACHINE, "SOFTWARE", &software));
    EXPECT_THAT(SubkeyNames(software.get()), testing::ElementsAre(keyName));
}

TEST(RegistryHiveFile, DamagedFileGivesBadDbAndIsNotOverwritten) {
    const std::string good = "chequesign-registry 1\nkey \"\"\nkey \"SOFTWARE\"\nvalue \"v\" sz \"x\"\nend\n";
    const struct {
        const char* what;
        std::string content;
    } cases[] = {
        {"empty file", ""},
        {"not a hive",
         "\x7f"
         "ELF\x02\x01\x01 binary junk"},
        {"other format", "chequesign-registry 2\nkey \"\"\nend\n"},
        {"cut off before end", good.substr(0, good.size() - 4)},
        {"cut off inside a line", good.substr(0, good.size() - 12)},
        {"text after end", good + "key \"X\"\n"},
        {"no root key", "chequesign-registry 1\nkey \"SOFTWARE\"\nend\n"},
        {"child before parent", "chequesign-registry 1\nkey \"\"\nkey \"A\\B\"\nend\n"},
        {"key twice", "chequesign-registry 1\nkey \"\"\nkey \"A\"\nkey \"a\"\nend\n"},
        {"value twice", "chequesign-registry 1\nkey \"\"\nvalue \"v\" sz \"\"\nvalue \"V\" sz \"\"\nend\n"},
        {"bad escape", "chequesign-registry 1\nkey \"\"\nvalue \"%4\" sz \"\"\nend\n"},
        {"unclosed quote", "chequesign-registry 1\nkey \"\"\nvalue \"v sz \"\"\nend\n"},
        {"bad dword", "chequesign-registry 1\nkey \"\"\nvalue \"v\" dword 12\nend\n"},
        {"odd hex", "chequesign-registry 1\nkey \"\"\nvalue \"v\" binary \"abc\"\nend\n"},
        {"text as a number type", "chequesign-registry 1\nkey \"\"\nvalue \"v\" 1 \"6100\"\nend\n"},
        {"nul in a string", "chequesign-registry 1\nkey \"\"\nvalue \"v\" sz \"a%00b\"\nend\n"},
        {"unknown line", "chequesign-registry 1\nkey \"\"\nlink \"x\"\nend\n"},
        {"double space", "chequesign-registry 1\nkey  \"\"\nend\n"},
    };
    for (const auto& c : cases) {
        testing_support::ScopedPrefix prefix;
        WriteFile(HivePath(), c.content);
        Key key;
        std::string bytes;
        EXPECT_EQ(ERROR_BADDB, Open(HKEY_LOCAL_MACHINE, "SOFTWARE", &key)) << c.what;
        EXPECT_EQ(ERROR_BADDB, Read(HKEY_LOCAL_MACHINE, "v", &bytes)) << c.what;
        EXPECT_EQ(ERROR_BADDB, Create(HKEY_CLASSES_ROOT, "CLSID", &key)) << c.what;
        EXPECT_EQ(ERROR_BADDB, SetString(HKEY_LOCAL_MACHINE, "v", "y")) << c.what;
        EXPECT_EQ(c.content, ReadFile(HivePath())) << c.what;
    }
    testing_support::ScopedPrefix prefix;
    WriteFile(HivePath(), good);
    EXPECT_EQ("x", ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE", "v")) << "the well-formed file reads";
}

TEST(RegistryHiveFile, ConcurrentWritersFromTwoProcessesLoseNothing) {
    testing_support::ScopedPrefix prefix;
    constexpr int kPerWriter = 150;
    int gate[2];
    ASSERT_EQ(0, pipe(gate));
    auto writer = [&](int id) {
        return [&, id] {
            close(gate[1]);
            char go;
            if (read(gate[0], &go, 1) != 0) return false;  // starts when the gate closes
            for (int i = 0; i < kPerWriter; ++i) {
                Key key;
                const std::string sub =
                    "SOFTWARE\\Race\\W" + std::to_string(id) + "_" + std::to_string(i % 10);
                if (Create(HKEY_LOCAL_MACHINE, sub.c_str(), &key) != ERROR_SUCCESS) return false;
                const std::string name = std::to_string(id) + "-" + std::to_string(i);
                if (SetDword(HKEY_LOCAL_MACHINE, name.c_str(), static_cast<DWORD>(i)) != ERROR_SUCCESS)
                    return false;
            }
            return true;
        };
    };
    const pid_t a = Spawn(writer(1));
    const pid_t b = Spawn(writer(2));
    close(gate[0]);
    close(gate[1]);
    EXPECT_EQ(0, WaitExit(a));
    EXPECT_EQ(0, WaitExit(b));

    EXPECT_EQ(2u * kPerWriter, ValueNames(HKEY_LOCAL_MACHINE).size());
    Key race;
    ASSERT_EQ(ERROR_SUCCESS, Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Race", &race));
    EXPECT_EQ(20u, SubkeyNames(race.get()).size());
    for (int id : {1, 2})
        for (int i = 0; i < kPerWriter; i += 37) {
            std::string bytes;
            const std::string name = std::to_string(id) + "-" + std::to_string(i);
            ASSERT_EQ(ERROR_SUCCESS, Read(HKEY_LOCAL_MACHINE, name.c_str(), &bytes)) << name;
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(&i), 4), bytes) << name;
        }
}

TEST(RegistryHiveFile, WriterKilledMidWayLeavesAWholeHive) {
    testing_support::ScopedPrefix prefix;
    const pid_t pid = Spawn([] {
        for (DWORD i = 0;; ++i) {
            const std::string name = "n" + std::to_string(i);
            if (SetDword(HKEY_LOCAL_MACHINE, name.c_str(), i) != ERROR_SUCCESS) return false;
        }
    });
    // Let it write for a while, then kill it wherever it is.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::string bytes;
    while (Read(HKEY_LOCAL_MACHINE, "n199", &bytes) != ERROR_SUCCESS &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    kill(pid, SIGKILL);
    EXPECT_EQ(128 + SIGKILL, WaitExit(pid));

    const std::vector<std::string> names = ValueNames(HKEY_LOCAL_MACHINE);
    ASSERT_GE(names.size(), 200u);
    for (std::size_t i = 0; i < names.size(); ++i) ASSERT_EQ("n" + std::to_string(i), names[i]);
    // The dead writer's lock went with it.
    EXPECT_EQ(ERROR_SUCCESS, SetDword(HKEY_LOCAL_MACHINE, "after", 1));
    EXPECT_EQ(names.size() + 1, ValueNames(HKEY_LOCAL_MACHINE).size());
}

TEST(RegistryHiveFile, WriteThatCannotCompleteFailsAndLeavesTheOldHive) {
    testing_support::ScopedPrefix prefix;
    Key key;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\OVREL\\SIGN", &key));
    ASSERT_EQ(ERROR_SUCCESS, SetString(key.get(), "SigningComponent", "libtoken.so"));
    const auto before = ReadFile(HivePath());
    // A file size limit makes the next write stop part way, as a full disk would.
    const pid_t pid = Spawn([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = before.size() + 64;
        const rlimit lim{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &lim) != 0) return false;
        return SetString(HKEY_LOCAL_MACHINE, "big", std::string(4096, 'x')) == ERROR_REGISTRY_IO_FAILED;
    });
    EXPECT_EQ(0, WaitExit(pid)) << "the failed write must be reported";
    EXPECT_EQ(before, ReadFile(HivePath()));
    EXPECT_FALSE(std::filesystem::exists(HivePath().string() + ".tmp"));
    EXPECT_EQ("libtoken.so", ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\OVREL\\SIGN", "SigningComponent"));
}

}  // namespace
