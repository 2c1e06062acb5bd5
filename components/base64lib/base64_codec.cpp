#include "components/base64lib/base64_codec.h"

namespace base64lib {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t k = 0;
    for (; k + 3 <= bytes.size(); k += 3) {
        unsigned v = static_cast<unsigned char>(bytes[k]) << 16 |
                     static_cast<unsigned char>(bytes[k + 1]) << 8 |
                     static_cast<unsigned char>(bytes[k + 2]);
        out += kAlphabet[v >> 18];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    const size_t rest = bytes.size() - k;
    if (rest > 0) {
        unsigned v = static_cast<unsigned char>(bytes[k]) << 16;
        if (rest == 2) v |= static_cast<unsigned char>(bytes[k + 1]) << 8;
        out += kAlphabet[v >> 18];
        out += kAlphabet[(v >> 12) & 63];
        out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

bool Decode(std::string_view text, std::string* bytes) {
    std::string out;
    unsigned bits = 0;
    int count = 0;      // sextets in the current group
    int padding = 0;
    for (char c : text) {
        if (IsBlank(c)) continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        int v = Value(c);
        if (v < 0 || padding > 0) return false;  // a bad character, or data after padding
        bits = bits << 6 | static_cast<unsigned>(v);
        if (++count == 4) {
            out += static_cast<char>(bits >> 16);
            out += static_cast<char>(bits >> 8);
            out += static_cast<char>(bits);
            bits = 0;
            count = 0;
        }
    }
    if (count == 1 || padding > 2 || (padding > 0 && count + padding != 4)) return false;
    if (count == 2) out += static_cast<char>(bits >> 4);
    if (count == 3) {
        out += static_cast<char>(bits >> 10);
        out += static_cast<char>(bits >> 2);
    }
    *bytes = std::move(out);
    return true;
}

}  // namespace base64lib
