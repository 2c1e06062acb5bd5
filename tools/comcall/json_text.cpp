#include "tools/comcall/json_text.h"

#include <cstdio>

#include "platform/text/codepage.h"

namespace comcall {
namespace {

bool ReadHex4(std::string_view text, size_t pos, char16_t* out) {
    if (pos + 4 > text.size()) return false;
    unsigned v = 0;
    for (size_t k = pos; k < pos + 4; ++k) {
        char c = text[k];
        unsigned d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v * 16 + d;
    }
    *out = static_cast<char16_t>(v);
    return true;
}

void AppendEscape(std::string* out, char16_t c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
    *out += buffer;
}

}  // namespace

bool ReadJsonString(std::string_view text, size_t* pos, std::u16string* out, std::string* error) {
    size_t k = *pos;
    if (k >= text.size() || text[k] != '"') return *error = "a string must start with \"", false;
    ++k;
    std::string utf8;  // plain bytes gathered until an escape or the end
    out->clear();
    auto flush = [&]() {
        *out += text::FromUtf8(utf8);
        utf8.clear();
    };
    while (k < text.size()) {
        char c = text[k];
        if (c == '"') {
            flush();
            *pos = k + 1;
            return true;
        }
        if (static_cast<unsigned char>(c) < 0x20) return *error = "control character in a string", false;
        if (c != '\\') {
            utf8 += c;
            ++k;
            continue;
        }
        flush();
        if (++k >= text.size()) break;
        char e = text[k++];
        switch (e) {
            case '"': *out += u'"'; break;
            case '\\': *out += u'\\'; break;
            case '/': *out += u'/'; break;
            case 'b': *out += u'\b'; break;
            case 'f': *out += u'\f'; break;
            case 'n': *out += u'\n'; break;
            case 'r': *out += u'\r'; break;
            case 't': *out += u'\t'; break;
            case 'u': {
                char16_t unit;
                if (!ReadHex4(text, k, &unit)) return *error = "\\u needs four hex digits", false;
                *out += unit;
                k += 4;
                break;
            }
            default:
                return *error = std::string("unknown escape \\") + e, false;
        }
    }
    *error = "unterminated string";
    return false;
}

std::string JsonQuote(std::u16string_view text) {
    std::string out = "\"";
    for (size_t k = 0; k < text.size(); ++k) {
        char16_t c = text[k];
        switch (c) {
            case u'"': out += "\\\""; continue;
            case u'\\': out += "\\\\"; continue;
            case u'\n': out += "\\n"; continue;
            case u'\r': out += "\\r"; continue;
            case u'\t': out += "\\t"; continue;
            default: break;
        }
        if (c < 0x20) {
            AppendEscape(&out, c);
        } else if (c >= 0xD800 && c <= 0xDBFF && k + 1 < text.size() && text[k + 1] >= 0xDC00 &&
                   text[k + 1] <= 0xDFFF) {
            out += text::ToUtf8(text.substr(k, 2));
            ++k;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            AppendEscape(&out, c);  // unpaired: no UTF-8 form
        } else {
            out += text::ToUtf8(text.substr(k, 1));
        }
    }
    return out + "\"";
}

}  // namespace comcall
