#include "tools/reg/value_text.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/reg/text.h"

namespace reg {
namespace {

struct TypeEntry {
    DWORD type;
    const char* name;
    bool writable;
};
constexpr TypeEntry kTypes[] = {
    {REG_NONE, "REG_NONE", false},    {REG_SZ, "REG_SZ", true},       {REG_EXPAND_SZ, "REG_EXPAND_SZ", true},
    {REG_BINARY, "REG_BINARY", true}, {REG_DWORD, "REG_DWORD", true}, {REG_MULTI_SZ, "REG_MULTI_SZ", false},
    {REG_QWORD, "REG_QWORD", false},
};

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// Strings as stored end with one terminator, which is not shown.
std::string WithoutTerminator(const std::string& bytes) {
    std::string text = bytes;
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

std::string MultiString(const std::string& bytes) {
    std::string text = bytes;
    while (!text.empty() && text.back() == '\0') text.pop_back();
    std::string out;
    for (char c : text) out += c == '\0' ? std::string("\\0") : std::string(1, c);
    return out;
}

bool ParseDword(const std::string& text, DWORD* number) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    if (digits.empty()) return false;
    for (char c : digits) {
        const bool ok = hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : (c >= '0' && c <= '9');
        if (!ok) return false;
    }
    errno = 0;
    const unsigned long long value = std::strtoull(digits.c_str(), nullptr, hex ? 16 : 10);
    if (errno == ERANGE || value > 0xFFFFFFFFull) return false;
    *number = static_cast<DWORD>(value);
    return true;
}

bool ParseHex(const std::string& text, std::string* bytes) {
    if (text.size() % 2 != 0) return false;
    bytes->clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        if (!std::isxdigit(static_cast<unsigned char>(text[i])) ||
            !std::isxdigit(static_cast<unsigned char>(text[i + 1])))
            return false;
        *bytes += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    }
    return true;
}

}  // namespace

std::string TypeName(DWORD type) {
    for (const TypeEntry& t : kTypes)
        if (t.type == type) return t.name;
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", type);
    return text;
}

bool WritableType(std::string_view name, DWORD* type) {
    for (const TypeEntry& t : kTypes)
        if (t.writable && SameText(name, t.name)) {
            *type = t.type;
            return true;
        }
    return false;
}

std::string DisplayData(DWORD type, const std::string& bytes) {
    char text[24];
    if (type == REG_SZ || type == REG_EXPAND_SZ) return WithoutTerminator(bytes);
    if (type == REG_MULTI_SZ) return MultiString(bytes);
    if (type == REG_DWORD && bytes.size() == sizeof(DWORD)) {
        DWORD number;
        std::memcpy(&number, bytes.data(), sizeof number);
        std::snprintf(text, sizeof text, "0x%x", number);
        return text;
    }
    if (type == REG_QWORD && bytes.size() == sizeof(std::uint64_t)) {
        std::uint64_t number;
        std::memcpy(&number, bytes.data(), sizeof number);
        std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(number));
        return text;
    }
    return Hex(bytes);
}

bool EncodeData(DWORD type, const std::string& text, std::string* bytes) {
    if (type == REG_DWORD) {
        DWORD number = 0;
        if (!text.empty() && !ParseDword(text, &number)) return false;
        bytes->assign(reinterpret_cast<const char*>(&number), sizeof number);
        return true;
    }
    if (type == REG_BINARY) return ParseHex(text, bytes);
    bytes->assign(text.c_str(), text.size() + 1);
    return true;
}

}  // namespace reg
