#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/registry/registry.h"

namespace registry {
namespace {

std::string HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr)
        return found->pw_dir;
    return ".";
}

// Creates the directory (and its parents) when missing; the directory itself is private to the
// user because it also holds the key store. A failure shows later as a failing file operation.
void EnsureDirectory(const std::string& dir) {
    std::error_code ec;
    if (std::filesystem::is_directory(dir, ec)) return;
    const std::filesystem::path path(dir);
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    ::mkdir(dir.c_str(), 0700);
}

}  // namespace

std::string PrefixDirectory() {
    std::string dir;
    if (const char* prefix = std::getenv("CHEQUESIGN_PREFIX"); prefix != nullptr && *prefix != '\0')
        dir = prefix;
    else
        dir = HomeDirectory() + "/.chequesign";
    EnsureDirectory(dir);
    return dir;
}

std::string HiveFilePath() {
    return PrefixDirectory() + "/" + kHiveFileName;
}

}  // namespace registry
