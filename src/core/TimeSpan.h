#pragma once
#include <compare>
#include <cstdint>

// A signed interval in 100-nanosecond ticks.
class TimeSpan {
public:
    static constexpr int64_t TicksPerMillisecond = 10000;
    static constexpr int64_t TicksPerSecond = 10000000;
    static constexpr int64_t TicksPerMinute = 600000000;
    static constexpr int64_t TicksPerHour = 36000000000;
    static constexpr int64_t TicksPerDay = 864000000000;

    constexpr TimeSpan() = default;
    constexpr explicit TimeSpan(int64_t ticks) : ticks_(ticks) {}
    // Parts are not range-checked one by one: 25 hours is a valid interval.
    TimeSpan(int hours, int minutes, int seconds) : ticks_(TimeToTicks(hours, minutes, seconds)) {}

    static int64_t TimeToTicks(int hours, int minutes, int seconds);
    // Exact to the millisecond: the minutes are rounded to the nearest millisecond, halves away
    // from zero.
    static TimeSpan FromMinutes(double minutes);

    constexpr int64_t Ticks() const { return ticks_; }

    friend constexpr bool operator==(TimeSpan a, TimeSpan b) = default;
    friend constexpr std::strong_ordering operator<=>(TimeSpan a, TimeSpan b) = default;

private:
    static TimeSpan Interval(double value, int scale);

    int64_t ticks_ = 0;
};
