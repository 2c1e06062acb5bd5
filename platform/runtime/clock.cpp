#include "platform/runtime/clock.h"

#include <ctime>
#include <mutex>

namespace runtime {

namespace {

std::mutex g_clockMutex;
Clock g_clock;

LocalTime SystemNow() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour, parts.tm_min, parts.tm_sec};
}

}  // namespace

LocalTime Now() {
    Clock clock;
    {
        std::lock_guard<std::mutex> lock(g_clockMutex);
        clock = g_clock;
    }
    return clock ? clock() : SystemNow();
}

void SetClockForTesting(Clock clock) {
    std::lock_guard<std::mutex> lock(g_clockMutex);
    g_clock = std::move(clock);
}

}  // namespace runtime
