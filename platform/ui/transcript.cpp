#include "platform/ui/transcript.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ui::transcript {

std::string Quote(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '"': out += "\\\""; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (u < 0x20 || u == 0x7F) {
                    char hex[5];
                    std::snprintf(hex, sizeof hex, "\\x%02X", u);
                    out += hex;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

void Append(std::string_view line) {
    const char* path = std::getenv(kLogVariable);
    if (path == nullptr || *path == '\0') return;
    try {
        std::string entry(line);
        entry += '\n';
        // One write of the whole line with O_APPEND, so that lines of several processes that
        // share a transcript do not interleave.
        const int fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        if (fd < 0) {
            std::fprintf(stderr, "chequesign ui: cannot open transcript %s: %s\n", path, std::strerror(errno));
            return;
        }
        const ssize_t written = ::write(fd, entry.data(), entry.size());
        if (written != static_cast<ssize_t>(entry.size()))
            std::fprintf(stderr, "chequesign ui: cannot write transcript %s\n", path);
        ::close(fd);
    } catch (...) {
        std::fprintf(stderr, "chequesign ui: out of memory writing the transcript\n");
    }
}

void Problem(std::string_view line) {
    Append(line);
    std::fprintf(stderr, "chequesign ui: %.*s\n", static_cast<int>(line.size()), line.data());
}

}  // namespace ui::transcript
