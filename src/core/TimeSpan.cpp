#include "core/TimeSpan.h"

#include "core/ApplicationException.h"

#include <cmath>

namespace {
// The widest whole number of seconds and milliseconds whose ticks still fit 64 bits.
constexpr int64_t MaxSeconds = INT64_MAX / TimeSpan::TicksPerSecond;
constexpr int64_t MaxMilliseconds = INT64_MAX / TimeSpan::TicksPerMillisecond;
} // namespace

int64_t TimeSpan::TimeToTicks(int hours, int minutes, int seconds) {
    // 64-bit sums: 32-bit ones would overflow long before the range check could see it.
    int64_t total = (static_cast<int64_t>(hours) * 60 + minutes) * 60 + seconds;
    if (total > MaxSeconds || total < -MaxSeconds) {
        ThrowArgumentOutOfRangeException("TimeSpan::TimeToTicks (103)");
    }
    return total * TicksPerSecond;
}

TimeSpan TimeSpan::FromMinutes(double minutes) {
    return Interval(minutes, 60000);
}

TimeSpan TimeSpan::Interval(double value, int scale) {
    double millis = value * scale;
    millis = std::trunc(millis >= 0 ? millis + 0.5 : millis - 0.5);
    // NaN fails both comparisons, so it is rejected here as well rather than cast.
    if (!(millis <= static_cast<double>(MaxMilliseconds) &&
          millis >= -static_cast<double>(MaxMilliseconds))) {
        ThrowOverflowException("TimeSpan::Interval (57)");
    }
    return TimeSpan(static_cast<int64_t>(millis) * TicksPerMillisecond);
}
