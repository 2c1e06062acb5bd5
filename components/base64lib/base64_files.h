// Whole-file reads and writes for the base64 class, with the failure as an HRESULT and a message.
#pragma once

#include <string>

#include "platform/com/types.h"

namespace base64lib {

// Files larger than this are refused rather than read into memory.
inline constexpr long long kMaxFileBytes = 64LL * 1024 * 1024;

struct FileResult {
    HRESULT hr = S_OK;
    std::string message;  // empty on success
};

// path is UTF-8.
FileResult ReadWholeFile(const std::string& path, std::string* bytes);
FileResult WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace base64lib
