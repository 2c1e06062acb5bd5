#include "components/base64lib/base64_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace base64lib {
namespace {

constexpr DWORD kErrorFileNotFound = 2;
constexpr DWORD kErrorPathNotFound = 3;
constexpr DWORD kErrorAccessDenied = 5;
constexpr DWORD kErrorWriteFault = 29;
constexpr DWORD kErrorReadFault = 30;
constexpr DWORD kErrorFileTooLarge = 223;

// The platform's code for a failed system call.
HRESULT FromErrno(int error, DWORD fallback) {
    switch (error) {
        case ENOENT: return HRESULT_FROM_WIN32(kErrorFileNotFound);
        case ENOTDIR: return HRESULT_FROM_WIN32(kErrorPathNotFound);
        case EACCES: case EPERM: case EISDIR: case EROFS: return HRESULT_FROM_WIN32(kErrorAccessDenied);
        default: return HRESULT_FROM_WIN32(fallback);
    }
}

FileResult Failure(HRESULT hr, const std::string& what, const std::string& path, int error) {
    return {hr, what + " \"" + path + "\": " + (error ? std::strerror(error) : "too large")};
}

// Closes the descriptor when the scope ends.
struct Fd {
    int fd;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

FileResult ReadWholeFile(const std::string& path, std::string* bytes) {
    bytes->clear();
    // Non-blocking, so that a FIFO named here is refused below instead of waiting for a writer.
    Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (f.fd < 0) return Failure(FromErrno(errno, kErrorReadFault), "cannot open", path, errno);
    struct stat st{};
    if (::fstat(f.fd, &st) != 0) return Failure(FromErrno(errno, kErrorReadFault), "cannot read", path, errno);
    if (!S_ISREG(st.st_mode))
        return {HRESULT_FROM_WIN32(kErrorAccessDenied), "not a regular file: \"" + path + "\""};
    if (st.st_size > kMaxFileBytes) return Failure(HRESULT_FROM_WIN32(kErrorFileTooLarge), "cannot read", path, 0);
    std::string data;
    data.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(f.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Failure(FromErrno(errno, kErrorReadFault), "cannot read", path, errno);
        if (n == 0) break;
        if (static_cast<long long>(data.size()) + n > kMaxFileBytes)  // grew while being read
            return Failure(HRESULT_FROM_WIN32(kErrorFileTooLarge), "cannot read", path, 0);
        data.append(buffer, static_cast<size_t>(n));
    }
    *bytes = std::move(data);
    return {};
}

FileResult WriteWholeFile(const std::string& path, const std::string& bytes) {
    Fd f{::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)};
    if (f.fd < 0) return Failure(FromErrno(errno, kErrorWriteFault), "cannot create", path, errno);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(f.fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Failure(FromErrno(errno, kErrorWriteFault), "cannot write", path, errno);
        done += static_cast<size_t>(n);
    }
    int fd = f.fd;
    f.fd = -1;
    if (::close(fd) != 0) return Failure(FromErrno(errno, kErrorWriteFault), "cannot write", path, errno);
    return {};
}

}  // namespace base64lib
