#pragma once
#include "core/Nullable.h"
#include "core/TimeSpan.h"

#include <compare>
#include <cstdint>
#include <string>

enum class DateTimeKind : uint64_t {
    Unspecified = 0, // built from date parts
    Utc = 1,         // from DateTime::UtcNow
    Local = 2,       // from DateTime::Now
};

// An instant on the proleptic Gregorian calendar: 100-nanosecond ticks since 0001-01-01 00:00 in
// bits 0-61 and the kind in bits 62-63, so clock values can be told from values built from parts.
class DateTime {
public:
    static constexpr uint64_t MaxTicks = 3155378975999999999; // 9999-12-31 23:59:59.9999999
    // Ticks from 0001-01-01 to 1601-01-01, the epoch of the system's file times.
    static constexpr uint64_t FileTimeOffset = 504911232000000000;

    constexpr DateTime() = default;
    DateTime(int year, int month, int day, int hour, int minute, int second);
    DateTime(int year, int month, int day, int hour, int minute);

    // Throws when the ticks lie outside 0 ... MaxTicks.
    static DateTime FromTicks(int64_t ticks, DateTimeKind kind);

    static DateTime UtcNow();
    static DateTime Now();
    static DateTime Today();

    static bool IsLeapYear(int year);
    static int64_t DateToTicks(int year, int month, int day);
    static int64_t TimeToTicks(int hour, int minute, int second);
    // 0 is Sunday.
    static const char* DayOfWeekString_ShortUppercase(int dayOfWeek);

    int64_t Ticks() const { return static_cast<int64_t>(data_ & TicksMask); }
    DateTimeKind Kind() const { return static_cast<DateTimeKind>(data_ >> KindShift); }

    int Year() const;
    int DayOfYear() const;
    int Month() const;
    int Day() const;
    int DayOfWeek() const; // 0 is Sunday
    // Midnight of the same day, kind kept.
    DateTime Date() const;
    TimeSpan TimeOfDay() const { return TimeSpan(Ticks() % TimeSpan::TicksPerDay); }

    // "YYYY-MM-DD", the date form of XML Schema.
    std::string ToXsdDateString() const;

    DateTime operator+(TimeSpan span) const;
    DateTime operator-(TimeSpan span) const;

    // The kind plays no part: a UTC and an unspecified value with the same ticks are equal.
    friend bool operator==(DateTime a, DateTime b) { return a.Ticks() == b.Ticks(); }
    friend std::strong_ordering operator<=>(DateTime a, DateTime b) { return a.Ticks() <=> b.Ticks(); }

private:
    static constexpr int KindShift = 62;
    static constexpr uint64_t TicksMask = (uint64_t{1} << KindShift) - 1;

    enum class DatePart { Year, DayOfYear, Month, Day };

    static DateTime FromData(uint64_t data) {
        DateTime value;
        value.data_ = data;
        return value;
    }
    int GetDatePart(DatePart part) const;
    uint64_t KindBits() const { return data_ & ~TicksMask; }

    uint64_t data_ = 0;
};

template <> struct NullableLocation<DateTime> {
    static constexpr const char* Value = "Nullable<class DateTime>::Value (20)";
};
