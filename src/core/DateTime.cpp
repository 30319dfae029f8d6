#include "core/DateTime.h"

#include "core/ApplicationException.h"
#include "core/Clock.h"

#include <cstdio>

namespace {
// Days before each month, and before the next January, in common and leap years.
constexpr int DaysToMonth365[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
constexpr int DaysToMonth366[13] = {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366};

constexpr int DaysPer400Years = 146097;
constexpr int DaysPer100Years = 36524;
constexpr int DaysPer4Years = 1461;
constexpr int DaysPerYear = 365;
} // namespace

DateTime::DateTime(int year, int month, int day, int hour, int minute, int second) {
    int64_t date = DateToTicks(year, month, day);
    int64_t ticks = date + TimeToTicks(hour, minute, second);
    if (ticks > static_cast<int64_t>(MaxTicks)) {
        ThrowArgumentException("DateTime::DateTime (218)");
    }
    data_ = static_cast<uint64_t>(ticks);
}

DateTime::DateTime(int year, int month, int day, int hour, int minute) {
    int64_t date = DateToTicks(year, month, day);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) {
        ThrowArgumentOutOfRangeException("DateTime::TimeToTicks (455)");
    }
    data_ = static_cast<uint64_t>(date + (hour * 3600 + minute * 60) * TimeSpan::TicksPerSecond);
}

DateTime DateTime::FromTicks(int64_t ticks, DateTimeKind kind) {
    if (ticks < 0 || ticks > static_cast<int64_t>(MaxTicks)) {
        ThrowArgumentOutOfRangeException("DateTime::FromTicks (38)");
    }
    return FromData(static_cast<uint64_t>(ticks) | static_cast<uint64_t>(kind) << KindShift);
}

DateTime DateTime::UtcNow() {
    return FromTicks(Clock::UtcFileTime() + static_cast<int64_t>(FileTimeOffset), DateTimeKind::Utc);
}

DateTime DateTime::Now() {
    int64_t fileTime = 0;
    if (!Clock::LocalFileTime(fileTime)) {
        ThrowApplicationException("DateTime::Now (363)");
    }
    return FromTicks(fileTime + static_cast<int64_t>(FileTimeOffset), DateTimeKind::Local);
}

DateTime DateTime::Today() {
    return Now().Date();
}

bool DateTime::IsLeapYear(int year) {
    if (year < 1 || year > 9999) {
        ThrowArgumentOutOfRangeException("DateTime::IsLeapYear (391)");
    }
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int64_t DateTime::DateToTicks(int year, int month, int day) {
    if (year >= 1 && year <= 9999 && month >= 1 && month <= 12) {
        const int* days = IsLeapYear(year) ? DaysToMonth366 : DaysToMonth365;
        if (day >= 1 && day <= days[month] - days[month - 1]) {
            int64_t y = year - 1;
            int64_t n = y * 365 + y / 4 - y / 100 + y / 400 + days[month - 1] + day - 1;
            return n * TimeSpan::TicksPerDay;
        }
    }
    ThrowArgumentOutOfRangeException("DateTime::DateToTicks (48)", "ArgumentOutOfRange_BadYearMonthDay");
}

int64_t DateTime::TimeToTicks(int hour, int minute, int second) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        ThrowArgumentOutOfRangeException("DateTime::TimeToTicks (455)");
    }
    return (static_cast<int64_t>(hour) * 3600 + minute * 60 + second) * TimeSpan::TicksPerSecond;
}

const char* DateTime::DayOfWeekString_ShortUppercase(int dayOfWeek) {
    static const char* const names[7] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    // A negative day would index before the table just as surely as 7 past it.
    if (dayOfWeek < 0 || dayOfWeek > 6) {
        ThrowApplicationException("DateTime::DayOfWeekString_ShortUppercase (108)");
    }
    return names[dayOfWeek];
}

int DateTime::GetDatePart(DatePart part) const {
    int n = static_cast<int>(Ticks() / TimeSpan::TicksPerDay);
    int y400 = n / DaysPer400Years;
    n -= y400 * DaysPer400Years;
    int y100 = n / DaysPer100Years;
    if (y100 == 4) {
        y100 = 3; // the last day of a 400-year cycle
    }
    n -= y100 * DaysPer100Years;
    int y4 = n / DaysPer4Years;
    n -= y4 * DaysPer4Years;
    int y1 = n / DaysPerYear;
    if (y1 == 4) {
        y1 = 3; // the last day of a leap year
    }
    if (part == DatePart::Year) {
        return y400 * 400 + y100 * 100 + y4 * 4 + y1 + 1;
    }
    n -= y1 * DaysPerYear;
    if (part == DatePart::DayOfYear) {
        return n + 1;
    }
    bool leapYear = y1 == 3 && (y4 != 24 || y100 == 3);
    const int* days = leapYear ? DaysToMonth366 : DaysToMonth365;
    int m = 1;
    while (n >= days[m]) {
        ++m;
    }
    if (part == DatePart::Month) {
        return m;
    }
    return n - days[m - 1] + 1;
}

int DateTime::Year() const {
    return GetDatePart(DatePart::Year);
}
int DateTime::DayOfYear() const {
    return GetDatePart(DatePart::DayOfYear);
}
int DateTime::Month() const {
    return GetDatePart(DatePart::Month);
}
int DateTime::Day() const {
    return GetDatePart(DatePart::Day);
}

int DateTime::DayOfWeek() const {
    return static_cast<int>((Ticks() / TimeSpan::TicksPerDay + 1) % 7);
}

DateTime DateTime::Date() const {
    return FromData(static_cast<uint64_t>(Ticks() - Ticks() % TimeSpan::TicksPerDay) | KindBits());
}

std::string DateTime::ToXsdDateString() const {
    char buffer[20];
    int written = std::snprintf(buffer, sizeof buffer, "%04i-%02i-%02i", Year(), Month(), Day());
    if (written < 0 || written >= static_cast<int>(sizeof buffer)) {
        ThrowApplicationException("DateTime::ToXsdDateString (435)");
    }
    return std::string(buffer, static_cast<size_t>(written));
}

DateTime DateTime::operator+(TimeSpan span) const {
    int64_t ticks = Ticks();
    int64_t value = span.Ticks();
    // Compared before adding, so no interval can overflow the sum.
    if (value > static_cast<int64_t>(MaxTicks) - ticks || value < -ticks) {
        ThrowArgumentOutOfRangeException("DateTime::operator + (327)");
    }
    return FromData(static_cast<uint64_t>(ticks + value) | KindBits());
}

DateTime DateTime::operator-(TimeSpan span) const {
    int64_t ticks = Ticks();
    int64_t value = span.Ticks();
    // value == INT64_MIN cannot be negated; it is far outside the range anyway.
    if (value < ticks - static_cast<int64_t>(MaxTicks) || value > ticks) {
        ThrowArgumentOutOfRangeException("DateTime::operator - (318)");
    }
    return FromData(static_cast<uint64_t>(ticks - value) | KindBits());
}
