// Date and time stamps in the user's regional settings (the process's LC_TIME locale):
// "dd/MMM/yyyy" and "HH:MM:SS", where "/" and ":" stand for the locale's date and time
// separators and MMM for its abbreviated month name. The C locale reads 09/Dec/2003 and 17:05:09.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/runtime/clock.h"

namespace runtime {

struct TimeLocale {
    std::array<std::u16string, 12> monthAbbreviations;  // January first
    std::u16string dateSeparator;
    std::u16string timeSeparator;
};

// The settings of the process's current LC_TIME locale.
TimeLocale CurrentTimeLocale();

// The literal text between the first two conversions of a strftime format ("%d.%m.%Y" -> ".");
// empty when there is none or it is not a plain separator (punctuation and spaces, at most three).
std::string SeparatorOfFormat(std::string_view format);

// "dd/MMM/yyyy" and "HH:MM:SS" of the given moment.
std::u16string FormatDate(const LocalTime& moment, const TimeLocale& locale);
std::u16string FormatTime(const LocalTime& moment, const TimeLocale& locale);

// The same stamps of the current moment (each reads the clock once).
std::u16string DateStamp();
std::u16string TimeStamp();

}  // namespace runtime
