#pragma once
#include <cstdint>

class DateTime;

// Where "now" comes from. The program reads the system clock; a test pins both readings with a
// FixedClock so that time-dependent code runs the same on every machine and at every hour.
class Clock {
public:
    // The current UTC time as a file time: 100-nanosecond ticks since 1601-01-01.
    static int64_t UtcFileTime();
    // The local wall-clock time as a file time; false when the system cannot convert it.
    static bool LocalFileTime(int64_t& fileTime);

private:
    friend class FixedClock;
    static int64_t SystemUtcFileTime();
    static bool SystemLocalFileTime(int64_t& fileTime);
};

// Pins Clock to fixed readings while it lives; nested pins restore the outer one on destruction.
// Meant for tests: install it before starting threads that read the clock.
class FixedClock {
public:
    explicit FixedClock(const DateTime& utc); // local time equal to UTC
    FixedClock(const DateTime& utc, const DateTime& local);
    ~FixedClock();
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

    void Set(const DateTime& utc, const DateTime& local);

private:
    friend class Clock;
    int64_t utc_;
    int64_t local_;
    const FixedClock* previous_;
};
