#include "platform/registry/hive_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

#include "platform/registry/hive_text.h"
#include "platform/registry/registry.h"
#include "platform/registry/unique_fd.h"

namespace registry::detail {
namespace {

constexpr const char* kLockSuffix = ".lock";
constexpr const char* kTempSuffix = ".tmp";

LONG ErrorFromErrno(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS:
            return ERROR_ACCESS_DENIED;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        default:
            return ERROR_REGISTRY_IO_FAILED;
    }
}

int OpenRetrying(const std::string& path, int flags, mode_t mode = 0) {
    int fd;
    do fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

bool Lock(int fd, int operation) {
    int rc;
    do rc = ::flock(fd, operation);
    while (rc != 0 && errno == EINTR);
    return rc == 0;
}

// The lock file beside the hive, locked as asked; the lock goes with the descriptor.
LONG LockHive(const std::string& hivePath, int operation, UniqueFd* lock) {
    const std::string path = hivePath + kLockSuffix;
    UniqueFd fd(OpenRetrying(path, O_RDWR | O_CREAT, 0600));
    if (!fd.Valid() && operation == LOCK_SH) fd = UniqueFd(OpenRetrying(path, O_RDONLY));
    if (!fd.Valid()) return ErrorFromErrno(errno);
    if (!Lock(fd.Get(), operation)) return ErrorFromErrno(errno);
    *lock = std::move(fd);
    return ERROR_SUCCESS;
}

LONG ReadWholeFile(const std::string& path, bool* exists, std::string* text) {
    text->clear();
    UniqueFd fd(OpenRetrying(path, O_RDONLY));
    if (!fd.Valid()) {
        *exists = false;
        return errno == ENOENT ? ERROR_SUCCESS : ErrorFromErrno(errno);
    }
    *exists = true;
    char buffer[16384];
    while (true) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n == 0) return ERROR_SUCCESS;
        if (n < 0) {
            if (errno == EINTR) continue;
            return ErrorFromErrno(errno);
        }
        text->append(buffer, static_cast<std::size_t>(n));
    }
}

// The last hive parsed (or written) by this process, with the exact text it came from, so that
// a series of reads of an unchanged file parses it once.
class ParsedCache {
public:
    std::shared_ptr<const Key> Find(const std::string& path, const std::string& text) {
        std::lock_guard<std::mutex> guard(mutex_);
        return path == path_ && text == text_ ? tree_ : nullptr;
    }
    void Keep(const std::string& path, std::string text, std::shared_ptr<const Key> tree) {
        std::lock_guard<std::mutex> guard(mutex_);
        path_ = path;
        text_ = std::move(text);
        tree_ = std::move(tree);
    }

private:
    std::mutex mutex_;
    std::string path_;
    std::string text_;
    std::shared_ptr<const Key> tree_;
};

ParsedCache& Cache() {
    static auto* cache = new ParsedCache();  // never destroyed: usable until the process ends
    return *cache;
}

LONG ParseInto(const std::string& text, bool exists, Key* root) {
    if (!exists) {
        *root = Key{};
        return ERROR_SUCCESS;
    }
    return ParseHive(text, root) ? ERROR_SUCCESS : ERROR_BADDB;
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself durable.
void SyncDirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    UniqueFd fd(OpenRetrying(dir, O_RDONLY | O_DIRECTORY));
    if (fd.Valid()) ::fsync(fd.Get());
}

// Writes the complete text to a temporary file, syncs it and renames it over the hive; readers
// see either the old file or the new one, never a part of it.
LONG ReplaceHive(const std::string& hivePath, const std::string& text) {
    const std::string temp = hivePath + kTempSuffix;
    UniqueFd fd(OpenRetrying(temp, O_WRONLY | O_CREAT | O_TRUNC, 0600));
    if (!fd.Valid()) return ErrorFromErrno(errno);
    bool ok = WriteAll(fd.Get(), text) && ::fsync(fd.Get()) == 0;
    int error = errno;
    if (!fd.Close() && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.c_str(), hivePath.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return ErrorFromErrno(error);
    }
    SyncDirectoryOf(hivePath);
    return ERROR_SUCCESS;
}

}  // namespace

LONG ReadHive(std::shared_ptr<const Key>* root) {
    const std::string hivePath = registry::HiveFilePath();
    std::string text;
    bool exists = false;
    {
        UniqueFd lock;
        // Without a lock file (a read-only prefix) the read still sees a whole file, thanks to
        // the rename on every write; the lock only orders it after a writer in progress.
        LockHive(hivePath, LOCK_SH, &lock);
        if (LONG rc = ReadWholeFile(hivePath, &exists, &text); rc != ERROR_SUCCESS) return rc;
    }
    if (exists) {
        if (auto cached = Cache().Find(hivePath, text)) {
            *root = std::move(cached);
            return ERROR_SUCCESS;
        }
    }
    auto tree = std::make_shared<Key>();
    if (LONG rc = ParseInto(text, exists, tree.get()); rc != ERROR_SUCCESS) return rc;
    if (exists) Cache().Keep(hivePath, std::move(text), tree);
    *root = std::move(tree);
    return ERROR_SUCCESS;
}

LONG ChangeHive(const HiveChange& change) {
    const std::string hivePath = registry::HiveFilePath();
    UniqueFd lock;
    if (LONG rc = LockHive(hivePath, LOCK_EX, &lock); rc != ERROR_SUCCESS) return rc;
    std::string text;
    bool exists = false;
    if (LONG rc = ReadWholeFile(hivePath, &exists, &text); rc != ERROR_SUCCESS) return rc;
    auto root = std::make_shared<Key>();
    if (LONG rc = ParseInto(text, exists, root.get()); rc != ERROR_SUCCESS) return rc;
    bool changed = false;
    if (LONG rc = change(*root, &changed); rc != ERROR_SUCCESS || !changed) return rc;
    std::string written = SerializeHive(*root);
    if (LONG rc = ReplaceHive(hivePath, written); rc != ERROR_SUCCESS) return rc;
    Cache().Keep(hivePath, std::move(written), std::move(root));
    return ERROR_SUCCESS;
}

}  // namespace registry::detail
