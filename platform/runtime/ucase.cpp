#include "platform/runtime/ucase.h"

#include <locale.h>
#include <wctype.h>

namespace runtime {

namespace {

// A Unicode character-type locale, made once; null when the system has none.
locale_t UnicodeLocale() {
    static const locale_t locale = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        return l ? l : newlocale(LC_CTYPE_MASK, "en_US.UTF-8", static_cast<locale_t>(0));
    }();
    return locale;
}

// Without a Unicode locale: ASCII and Latin-1 letters.
char16_t UpperLatin1(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF) return 0x178;
    return c;
}

}  // namespace

std::u16string UCase(std::u16string_view text) {
    std::u16string out(text);
    locale_t locale = UnicodeLocale();
    for (char16_t& c : out) {
        if (c < 0x80) {
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 0x20);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            // Halves of a surrogate pair stay as they are.
        } else if (locale) {
            wint_t upper = towupper_l(static_cast<wint_t>(c), locale);
            if (upper <= 0xFFFF && (upper < 0xD800 || upper > 0xDFFF)) c = static_cast<char16_t>(upper);
        } else {
            c = UpperLatin1(c);
        }
    }
    return out;
}

}  // namespace runtime
