// The local date and time, with a clock that tests can fix.
#pragma once

#include <functional>

namespace runtime {

struct LocalTime {
    int year;    // e.g. 2003
    int month;   // 1 to 12
    int day;     // 1 to 31
    int hour;    // 0 to 23
    int minute;  // 0 to 59
    int second;  // 0 to 59 (60 on a leap second)
};

// The current local date and time, read from the clock set for testing when there is one.
LocalTime Now();

// Replaces the system clock for the whole process; an empty function restores it.
using Clock = std::function<LocalTime()>;
void SetClockForTesting(Clock clock);

}  // namespace runtime
