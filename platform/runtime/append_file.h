// Text files opened for appending. A file is created when missing; every line goes to the end of
// the file with one write, so lines appended by several processes at once never interleave.
// On this platform "\" and "/" both separate the parts of a path.
// Failures raise run-time errors (runtime::Error) with the runtime's file error numbers.
#pragma once

#include <string>
#include <string_view>

namespace runtime {

class AppendFile {
public:
    AppendFile() = default;
    // Closes a file that is still open; an error on that close is dropped.
    ~AppendFile();
    AppendFile(AppendFile&& other) noexcept;
    AppendFile& operator=(AppendFile&& other) noexcept;
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens the file for appending, closing the file held before.
    void Open(const std::string& path);
    bool IsOpen() const noexcept { return fd_ >= 0; }
    // Writes the text in the ANSI code page, then CR LF, with one write.
    void PrintLine(std::u16string_view text);
    // Writes the bytes as they are, with one write.
    void Write(std::string_view bytes);
    // Closes the file; nothing happens when none is open.
    void Close();

private:
    int fd_ = -1;
};

// A path with every "\" turned into "/".
std::string NativePath(std::string path);

}  // namespace runtime
