#include "platform/runtime/date_format.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <cstdio>
#include <cstring>

namespace runtime {

namespace {

constexpr const char16_t* kDefaultDateSeparator = u"/";
constexpr const char16_t* kDefaultTimeSeparator = u":";
constexpr size_t kMaxSeparatorLength = 3;

// The character set of the LC_TIME locale's texts (the character set that goes with the
// LC_TIME locale's name, which need not be the one of LC_CTYPE).
std::string TimeCodeset() {
    std::string codeset = nl_langinfo(CODESET);
    const char* name = setlocale(LC_TIME, nullptr);
    if (name == nullptr) return codeset;
    locale_t time = newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(0));
    if (time == static_cast<locale_t>(0)) return codeset;
    codeset = nl_langinfo_l(CODESET, time);
    freelocale(time);
    return codeset;
}

// Bytes in the given character set to UTF-16; empty when they do not convert.
std::u16string FromLocaleBytes(const char* bytes, const std::string& codeset) {
    std::string_view in(bytes ? bytes : "");
    if (in.empty()) return {};
    iconv_t cd = iconv_open("UTF-16LE", codeset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) return {};
    std::u16string result;
    for (size_t i = 0; i + 1 < out.size() - outLeft; i += 2)
        result.push_back(static_cast<char16_t>(static_cast<unsigned char>(out[i]) |
                                               (static_cast<unsigned char>(out[i + 1]) << 8)));
    return result;
}

// Composite conversions spelled out, so their separators can be seen.
std::string ExpandComposites(std::string_view format) {
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            switch (format[i + 1]) {
                case 'D': out += "%m/%d/%y"; ++i; continue;
                case 'F': out += "%Y-%m-%d"; ++i; continue;
                case 'T': out += "%H:%M:%S"; ++i; continue;
                case 'R': out += "%H:%M"; ++i; continue;
                default: out += format[i]; out += format[i + 1]; ++i; continue;
            }
        }
        out += format[i];
    }
    return out;
}

bool IsPlainSeparator(const std::string& text) {
    if (text.empty() || text.size() > kMaxSeparatorLength) return false;
    for (char c : text) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0x80 || !(std::ispunct(u) || u == ' ')) return false;
    }
    return true;
}

std::u16string SeparatorOr(const char* format, const char16_t* fallback) {
    std::string separator = SeparatorOfFormat(format ? format : "");
    if (separator.empty()) return fallback;
    return std::u16string(separator.begin(), separator.end());  // plain ASCII by construction
}

std::u16string TwoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return std::u16string(buffer, buffer + std::strlen(buffer));
}

std::u16string FourDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d", value);
    return std::u16string(buffer, buffer + std::strlen(buffer));
}

}  // namespace

std::string SeparatorOfFormat(std::string_view format) {
    std::string expanded = ExpandComposites(format);
    int conversions = 0;
    std::string between;
    for (size_t i = 0; i < expanded.size(); ++i) {
        char c = expanded[i];
        if (c != '%') {
            if (conversions == 1) between += c;
            continue;
        }
        if (i + 1 < expanded.size() && expanded[i + 1] == '%') {
            if (conversions == 1) between += '%';
            ++i;
            continue;
        }
        // Skip flags, a width and the E/O modifiers up to the conversion letter.
        ++i;
        while (i < expanded.size() && std::strchr("_-0^#123456789EO", expanded[i]) != nullptr) ++i;
        if (++conversions == 2) return IsPlainSeparator(between) ? between : std::string();
    }
    return {};
}

TimeLocale CurrentTimeLocale() {
    static constexpr nl_item kMonths[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                            ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    static constexpr const char16_t* kEnglishMonths[12] = {u"Jan", u"Feb", u"Mar", u"Apr",
                                                           u"May", u"Jun", u"Jul", u"Aug",
                                                           u"Sep", u"Oct", u"Nov", u"Dec"};
    TimeLocale locale;
    const std::string codeset = TimeCodeset();
    for (int m = 0; m < 12; ++m) {
        locale.monthAbbreviations[m] = FromLocaleBytes(nl_langinfo(kMonths[m]), codeset);
        if (locale.monthAbbreviations[m].empty()) locale.monthAbbreviations[m] = kEnglishMonths[m];
    }
    locale.dateSeparator = SeparatorOr(nl_langinfo(D_FMT), kDefaultDateSeparator);
    locale.timeSeparator = SeparatorOr(nl_langinfo(T_FMT), kDefaultTimeSeparator);
    return locale;
}

std::u16string FormatDate(const LocalTime& moment, const TimeLocale& locale) {
    int month = moment.month >= 1 && moment.month <= 12 ? moment.month : 1;
    return TwoDigits(moment.day) + locale.dateSeparator + locale.monthAbbreviations[month - 1] +
           locale.dateSeparator + FourDigits(moment.year);
}

std::u16string FormatTime(const LocalTime& moment, const TimeLocale& locale) {
    return TwoDigits(moment.hour) + locale.timeSeparator + TwoDigits(moment.minute) +
           locale.timeSeparator + TwoDigits(moment.second);
}

std::u16string DateStamp() { return FormatDate(Now(), CurrentTimeLocale()); }

std::u16string TimeStamp() { return FormatTime(Now(), CurrentTimeLocale()); }

}  // namespace runtime
