#include "platform/text/codepage.h"

#include <iconv.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <string>

namespace {

std::atomic<UINT> g_codePage{0};
thread_local DWORD t_lastError = 0;

std::string IconvName(UINT codePage) {
    switch (codePage) {
        case 65001: return "UTF-8";
        case 932: return "CP932";
        case 936: return "CP936";
        case 949: return "CP949";
        case 950: return "CP950";
        default: return "CP" + std::to_string(codePage);
    }
}

bool Known(UINT codePage) {
    iconv_t cd = iconv_open(IconvName(codePage).c_str(), "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(cd);
    return true;
}

UINT InitialCodePage() {
    if (const char* env = std::getenv("CHEQUESIGN_CODEPAGE")) {
        char* end = nullptr;
        unsigned long cp = std::strtoul(env, &end, 10);
        if (end != env && *end == '\0' && cp > 0 && Known(static_cast<UINT>(cp)))
            return static_cast<UINT>(cp);
    }
    return 1252;
}

// One iconv conversion descriptor, closed on every path.
class Converter {
public:
    Converter(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    // Converts one unit of input at a time when it fails, so unmappable input can be replaced.
    // replacement empty: stop and report failure on the first unmappable unit.
    bool Run(const char* in, size_t inLen, size_t unitSize, const std::string& replacement,
             std::string* out, bool* replaced) {
        out->clear();
        char buffer[256];
        while (inLen > 0) {
            char* inPtr = const_cast<char*>(in);
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t before = inLen;
            size_t rc = iconv(cd_, &inPtr, &inLen, &outPtr, &outLeft);
            const int error = errno;  // before append, whose allocation may change errno
            out->append(buffer, outPtr - buffer);
            in += before - inLen;
            if (rc != static_cast<size_t>(-1)) continue;
            if (error == E2BIG) continue;
            // EILSEQ or EINVAL: skip one input unit (a surrogate pair counts as two units of 2;
            // a lone high surrogate only as one, so the character after it is kept).
            if (replacement.empty()) return false;
            if (replaced) *replaced = true;
            out->append(replacement);
            size_t skip = unitSize;
            if (unitSize == 2 && inLen >= 4) {
                auto unit = [&](size_t at) {
                    return static_cast<unsigned>(static_cast<unsigned char>(in[at]) |
                                                 (static_cast<unsigned char>(in[at + 1]) << 8));
                };
                const unsigned hi = unit(0);
                const unsigned lo = unit(2);
                if (hi >= 0xD800 && hi <= 0xDBFF && lo >= 0xDC00 && lo <= 0xDFFF) skip = 4;
            }
            if (skip > inLen) skip = inLen;
            in += skip;
            inLen -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        // Flush any shift state.
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &outPtr, &outLeft);
        out->append(buffer, outPtr - buffer);
        return true;
    }

private:
    iconv_t cd_;
};

std::string Utf16Bytes(std::u16string_view wide) {
    std::string bytes;
    bytes.reserve(wide.size() * 2);
    for (char16_t c : wide) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

std::u16string FromUtf16Bytes(const std::string& bytes) {
    std::u16string wide;
    wide.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return wide;
}

std::string ReplacementU16() { return std::string("\xFD\xFF", 2); }

}  // namespace

UINT GetACP() {
    UINT cp = g_codePage.load();
    if (cp == 0) {
        cp = InitialCodePage();
        g_codePage.store(cp);
    }
    return cp;
}

bool SetACP(UINT codePage) {
    if (!Known(codePage)) return false;
    g_codePage.store(codePage);
    return true;
}

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD code) { t_lastError = code; }

namespace text {

std::string ToAnsi(std::u16string_view wide, bool* unmappable) {
    if (unmappable) *unmappable = false;
    if (wide.empty()) return {};
    Converter conv(IconvName(GetACP()), "UTF-16LE");
    if (!conv.ok()) {  // nothing could be mapped: every character reads as the default one
        if (unmappable) *unmappable = true;
        return std::string(wide.size(), '?');
    }
    std::string bytes = Utf16Bytes(wide), out;
    conv.Run(bytes.data(), bytes.size(), 2, "?", &out, unmappable);
    return out;
}

bool ToAnsiStrict(std::u16string_view wide, std::string* out) {
    out->clear();
    bool unmappable = false;
    std::string converted = ToAnsi(wide, &unmappable);
    if (unmappable) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return false;
    }
    *out = std::move(converted);
    return true;
}

std::u16string FromAnsi(std::string_view ansi) {
    if (ansi.empty()) return {};
    Converter conv("UTF-16LE", IconvName(GetACP()));
    std::string out;
    if (!conv.ok()) return std::u16string(ansi.size(), u'\uFFFD');
    conv.Run(ansi.data(), ansi.size(), 1, ReplacementU16(), &out, nullptr);
    return FromUtf16Bytes(out);
}

std::u16string FromUtf8(std::string_view utf8) {
    if (utf8.empty()) return {};
    Converter conv("UTF-16LE", "UTF-8");
    std::string out;
    conv.Run(utf8.data(), utf8.size(), 1, ReplacementU16(), &out, nullptr);
    return FromUtf16Bytes(out);
}

std::string ToUtf8(std::u16string_view wide) {
    if (wide.empty()) return {};
    Converter conv("UTF-8", "UTF-16LE");
    std::string bytes = Utf16Bytes(wide), out;
    conv.Run(bytes.data(), bytes.size(), 2, "\xEF\xBF\xBD", &out, nullptr);
    return out;
}

std::u16string_view View(BSTR text) {
    if (text == nullptr) return {};
    return std::u16string_view(text, SysStringLen(text));
}

}  // namespace text
