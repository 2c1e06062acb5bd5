#include "platform/xml/utf.h"

#include <cstdint>

namespace xmldom {

namespace {

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendUtf8(char32_t c, std::string* out) {
    if (c < 0x80) {
        *out += static_cast<char>(c);
    } else if (c < 0x800) {
        *out += static_cast<char>(0xC0 | (c >> 6));
        *out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out += static_cast<char>(0xE0 | (c >> 12));
        *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out += static_cast<char>(0xF0 | (c >> 18));
        *out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(char32_t c, std::u16string* out) {
    if (c < 0x10000) {
        *out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        *out += static_cast<char16_t>(0xD800 + (c >> 10));
        *out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

}  // namespace

std::optional<std::string> Utf8Of(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(c)) {
            if (i + 1 == text.size() || !IsLowSurrogate(text[i + 1])) return std::nullopt;
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (IsLowSurrogate(c)) {
            return std::nullopt;
        }
        AppendUtf8(c, &out);
    }
    return out;
}

std::optional<std::u16string> Utf16Of(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        size_t length;
        char32_t c;
        if (lead < 0x80) {
            length = 1, c = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, c = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, c = lead & 0x07;
        } else {
            return std::nullopt;
        }
        if (utf8.size() - i < length) return std::nullopt;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        const char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kMinimum[length] || c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c))
            return std::nullopt;
        AppendUtf16(c, &out);
        i += length;
    }
    return out;
}

}  // namespace xmldom

namespace xmldom {

bool IsXmlText(std::u16string_view text) {
    for (char16_t c : text) {
        if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') return false;
        if (c == 0xFFFE || c == 0xFFFF) return false;
    }
    return true;
}

}  // namespace xmldom
