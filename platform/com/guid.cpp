// GUID text forms and the well-known interface identifiers.
#include <cstdio>
#include <stdexcept>

#include "platform/com/interfaces.h"
#include "platform/com/types.h"

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits from text at *pos; false on anything that is not a hex digit.
bool ReadHex(std::string_view text, size_t* pos, int digits, std::uint64_t* value) {
    if (*pos + digits > text.size()) return false;
    std::uint64_t v = 0;
    for (int i = 0; i < digits; ++i) {
        int d = HexValue(text[*pos + i]);
        if (d < 0) return false;
        v = (v << 4) | static_cast<unsigned>(d);
    }
    *pos += digits;
    *value = v;
    return true;
}

bool Expect(std::string_view text, size_t* pos, char c) {
    if (*pos >= text.size() || text[*pos] != c) return false;
    ++*pos;
    return true;
}

// The bare form "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX", exactly.
bool ParseBare(std::string_view text, GUID* out) {
    if (text.size() != 36) return false;
    GUID g{};
    size_t pos = 0;
    std::uint64_t v = 0;
    if (!ReadHex(text, &pos, 8, &v)) return false;
    g.Data1 = static_cast<std::uint32_t>(v);
    if (!Expect(text, &pos, '-') || !ReadHex(text, &pos, 4, &v)) return false;
    g.Data2 = static_cast<std::uint16_t>(v);
    if (!Expect(text, &pos, '-') || !ReadHex(text, &pos, 4, &v)) return false;
    g.Data3 = static_cast<std::uint16_t>(v);
    if (!Expect(text, &pos, '-')) return false;
    for (int i = 0; i < 8; ++i) {
        if (i == 2 && !Expect(text, &pos, '-')) return false;
        if (!ReadHex(text, &pos, 2, &v)) return false;
        g.Data4[i] = static_cast<std::uint8_t>(v);
    }
    *out = g;
    return pos == text.size();
}

}  // namespace

std::string GuidToString(REFGUID g) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buffer;
}

bool GuidFromString(std::string_view text, GUID* out) {
    if (out == nullptr) return false;
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
    return ParseBare(text.substr(1, 36), out);
}

GUID MakeGuid(std::string_view text) {
    GUID g{};
    if (GuidFromString(text, &g) || ParseBare(text, &g)) return g;
    throw std::invalid_argument("not a GUID: " + std::string(text));
}

// Written as literals so they are ready before any other static initialiser runs.
const IID IID_NULL = GUID_NULL;
const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000,
                               {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
