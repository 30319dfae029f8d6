#include "core/Clock.h"

#include "core/DateTime.h"

#include <chrono>
#include <ctime>

namespace {
// Seconds from 1601-01-01 to the Unix epoch.
constexpr int64_t UnixEpochSeconds = 11644473600;
} // namespace

int64_t Clock::SystemUtcFileTime() {
    auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    auto ticks =
        std::chrono::duration_cast<std::chrono::duration<int64_t, std::ratio<1, 10000000>>>(sinceEpoch);
    return ticks.count() + UnixEpochSeconds * TimeSpan::TicksPerSecond;
}

bool Clock::SystemLocalFileTime(int64_t& fileTime) {
    // Calendar parts to the millisecond, as the system reports local time.
    auto now = std::chrono::system_clock::now();
    auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    int64_t seconds = millis / 1000;
    int64_t fraction = millis % 1000;
    if (fraction < 0) {
        fraction += 1000;
        --seconds;
    }
    std::time_t whole = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (localtime_r(&whole, &parts) == nullptr) {
        return false;
    }
    int year = parts.tm_year + 1900;
    if (year < 1 || year > 9999) {
        return false;
    }
    // A leap second (tm_sec 60) is read as the last second of its minute.
    int second = parts.tm_sec > 59 ? 59 : parts.tm_sec;
    int64_t ticks = DateTime::DateToTicks(year, parts.tm_mon + 1, parts.tm_mday) +
                    DateTime::TimeToTicks(parts.tm_hour, parts.tm_min, second) +
                    fraction * TimeSpan::TicksPerMillisecond;
    fileTime = ticks - static_cast<int64_t>(DateTime::FileTimeOffset);
    return true;
}
