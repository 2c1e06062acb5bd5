// Test helpers: a temporary directory removed afterwards, and environment variables restored.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace testing_support {

// A fresh directory under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

// Sets (or, with nullopt, unsets) an environment variable and restores the old value.
class ScopedEnv {
public:
    ScopedEnv(std::string name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

// Runs the process's current directory elsewhere for the scope.
class ScopedCwd {
public:
    explicit ScopedCwd(const std::filesystem::path& dir);
    ~ScopedCwd();
    ScopedCwd(const ScopedCwd&) = delete;
    ScopedCwd& operator=(const ScopedCwd&) = delete;

private:
    std::filesystem::path old_;
};

// A fresh registry (prefix directory) for the scope: CHEQUESIGN_PREFIX points at a temp dir.
class ScopedPrefix {
public:
    ScopedPrefix() : env_("CHEQUESIGN_PREFIX", dir_.str()) {}
    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
    ScopedEnv env_;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& content);

}  // namespace testing_support
