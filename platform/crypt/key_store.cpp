#include "platform/crypt/key_store.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/crypt/errors.h"
#include "platform/crypt/provider.h"
#include "platform/registry/registry.h"

namespace cryptapi {

namespace {

constexpr const char* kKeyStoreFolder = "keys";
constexpr size_t kMaxContainerName = 260;
constexpr size_t kMaxFileName = 255;

// Letters, digits, "-", "_", " " and a "." that does not lead stay; every other byte is %XX.
std::string StoredName(const std::string& name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '_' || c == ' ' || (c == '.' && i > 0);
        if (plain) {
            out += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            out += escaped;
        }
    }
    return out;
}

DWORD FileSystemError(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS: return static_cast<DWORD>(ERROR_ACCESS_DENIED);
        case ENAMETOOLONG: return NTE_BAD_KEYSET_PARAM;
        case ENOMEM: return NTE_NO_MEMORY;
        default: return NTE_FAIL;
    }
}

// The container's folder, with the key store folder created when missing; an error number when
// the name cannot be stored or the key store cannot be made.
DWORD ContainerPath(const std::string& name, std::string* path) {
    std::string stored = StoredName(name);
    if (name.size() > kMaxContainerName || stored.size() > kMaxFileName) return NTE_BAD_KEYSET_PARAM;
    std::string store = KeyStoreDirectory();
    if (::mkdir(store.c_str(), 0700) != 0 && errno != EEXIST) return FileSystemError(errno);
    *path = store + "/" + stored;
    return 0;
}

}  // namespace

std::string KeyStoreDirectory() { return registry::PrefixDirectory() + "/" + kKeyStoreFolder; }

DWORD CreateKeyContainer(const std::string& name) {
    std::string path;
    if (DWORD error = ContainerPath(name, &path)) return error;
    if (::mkdir(path.c_str(), 0700) == 0) return 0;
    return errno == EEXIST ? NTE_EXISTS : FileSystemError(errno);
}

DWORD OpenKeyContainer(const std::string& name) {
    std::string path;
    if (DWORD error = ContainerPath(name, &path)) return error;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode) ? 0 : NTE_BAD_KEYSET;
    return errno == ENOENT || errno == ENOTDIR ? NTE_BAD_KEYSET : FileSystemError(errno);
}

std::string DefaultKeyContainerName() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_name != nullptr && *found->pw_name != '\0')
        return found->pw_name;
    if (const char* user = std::getenv("USER"); user != nullptr && *user != '\0') return user;
    return "user";
}

}  // namespace cryptapi
