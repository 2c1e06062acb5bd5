// BSTR allocation: a 32-bit byte count, then the bytes, then a zero OLECHAR. The BSTR points just
// past the count, so it reads as an ordinary zero-terminated UTF-16 string.
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/com/types.h"

namespace {

constexpr size_t kPrefix = sizeof(std::uint32_t);
// Room for the terminator; one byte more keeps an odd byte count terminated by a whole OLECHAR.
constexpr size_t kTail = sizeof(OLECHAR) + 1;
// Byte counts must fit the 32-bit prefix, with room for prefix and terminator.
constexpr size_t kMaxBytes = std::numeric_limits<std::uint32_t>::max() - kPrefix - kTail;

BSTR Allocate(const void* bytes, size_t byteLength) {
    if (byteLength > kMaxBytes) return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(kPrefix + byteLength + kTail));
    if (block == nullptr) return nullptr;
    const auto count = static_cast<std::uint32_t>(byteLength);
    std::memcpy(block, &count, kPrefix);
    if (bytes != nullptr)
        std::memcpy(block + kPrefix, bytes, byteLength);
    else
        std::memset(block + kPrefix, 0, byteLength);
    std::memset(block + kPrefix + byteLength, 0, kTail);
    return reinterpret_cast<BSTR>(block + kPrefix);
}

unsigned char* BlockOf(BSTR text) { return reinterpret_cast<unsigned char*>(text) - kPrefix; }

}  // namespace

BSTR SysAllocString(const OLECHAR* text) {
    if (text == nullptr) return nullptr;
    size_t length = 0;
    while (text[length] != 0) ++length;
    if (length > kMaxBytes / sizeof(OLECHAR)) return nullptr;
    return Allocate(text, length * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
    if (length > kMaxBytes / sizeof(OLECHAR)) return nullptr;
    return Allocate(text, static_cast<size_t>(length) * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(const char* bytes, UINT byteLength) {
    return Allocate(bytes, byteLength);
}

void SysFreeString(BSTR text) {
    if (text != nullptr) std::free(BlockOf(text));
}

UINT SysStringByteLen(BSTR text) {
    if (text == nullptr) return 0;
    std::uint32_t count = 0;
    std::memcpy(&count, BlockOf(text), kPrefix);
    return count;
}

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }
