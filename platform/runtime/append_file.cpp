#include "platform/runtime/append_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/runtime/error.h"
#include "platform/text/codepage.h"

namespace runtime {

namespace {

LONG OpenErrorNumber(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR: return kErrPathNotFound;
        case EMFILE:
        case ENFILE: return kErrTooManyFiles;
        case ENOSPC:
        case EDQUOT: return kErrDiskFull;
        case ENOMEM: return kErrOutOfMemory;
        default: return kErrPathFileAccess;
    }
}

LONG WriteErrorNumber(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT: return kErrDiskFull;
        case EBADF: return kErrBadFileNameOrNumber;
        default: return kErrDeviceIO;
    }
}

}  // namespace

std::string NativePath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

AppendFile::~AppendFile() {
    if (fd_ >= 0) ::close(fd_);
}

AppendFile::AppendFile(AppendFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

AppendFile& AppendFile::operator=(AppendFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void AppendFile::Open(const std::string& path) {
    Close();
    int fd = ::open(NativePath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) Raise(OpenErrorNumber(errno));
    fd_ = fd;
}

void AppendFile::PrintLine(std::u16string_view text) {
    std::string line = text::ToAnsi(text);
    line += "\r\n";
    Write(line);
}

void AppendFile::Write(std::string_view bytes) {
    if (fd_ < 0) Raise(kErrBadFileNameOrNumber);
    // A regular file takes the whole buffer in one write; the loop only covers an interrupted or
    // short write.
    while (!bytes.empty()) {
        ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            Raise(WriteErrorNumber(errno));
        }
        if (n == 0) Raise(WriteErrorNumber(ENOSPC));  // nothing taken: no progress is possible
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}

void AppendFile::Close() {
    if (fd_ < 0) return;
    int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0 && errno != EINTR) Raise(WriteErrorNumber(errno));
}

}  // namespace runtime
