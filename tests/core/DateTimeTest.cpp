#include "core/DateTime.h"
#include "core/ApplicationException.h"
#include "core/Clock.h"
#include "core/Nullable.h"
#include "core/Util.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>

namespace {

template <class E> void ExpectThrowAt(const std::function<void()>& action, const wchar_t* location) {
    try {
        action();
        ADD_FAILURE() << "nothing thrown, expected " << testing::PrintToString(std::wstring(location));
    } catch (const E& e) {
        EXPECT_EQ(location, e.Location);
    }
}

DateTime Utc(int year, int month, int day, int hour, int minute, int second = 0) {
    return DateTime::FromTicks(DateTime(year, month, day, hour, minute, second).Ticks(), DateTimeKind::Utc);
}

void ExpectDate(const DateTime& value, int year, int month, int day) {
    EXPECT_EQ(year, value.Year());
    EXPECT_EQ(month, value.Month());
    EXPECT_EQ(day, value.Day());
}

} // namespace

TEST(DateTime, TicksOfKnownDates) {
    EXPECT_EQ(627667488000000000, DateTime(1990, 1, 1, 0, 0, 0).Ticks());
    EXPECT_EQ(0, DateTime(1, 1, 1, 0, 0).Ticks());
    EXPECT_EQ(static_cast<int64_t>(DateTime::MaxTicks) - 9999999, DateTime(9999, 12, 31, 23, 59, 59).Ticks());
    EXPECT_EQ(static_cast<int64_t>(DateTime::FileTimeOffset), DateTime::DateToTicks(1601, 1, 1));
    EXPECT_EQ(DateTime::DateToTicks(2008, 3, 1) - TimeSpan::TicksPerDay, DateTime::DateToTicks(2008, 2, 29));
}

TEST(DateTime, ImpossibleDatesAndTimesAreRejected) {
    for (auto [y, m, d] : {std::tuple{2007, 2, 29},
                           {0, 1, 1},
                           {10000, 1, 1},
                           {2008, 13, 1},
                           {2008, 0, 1},
                           {2008, 4, 31},
                           {2008, 1, 0},
                           {1900, 2, 29}}) {
        try {
            DateTime::DateToTicks(y, m, d);
            ADD_FAILURE() << y << "-" << m << "-" << d << " accepted";
        } catch (const ArgumentOutOfRangeException& e) {
            EXPECT_EQ(L"DateTime::DateToTicks (48)", e.Location);
            EXPECT_EQ(L"ArgumentOutOfRange_BadYearMonthDay", e.Message);
        }
    }
    EXPECT_NO_THROW(DateTime::DateToTicks(2000, 2, 29));
    const wchar_t* time = L"DateTime::TimeToTicks (455)";
    ExpectThrowAt<ArgumentOutOfRangeException>([] { DateTime::TimeToTicks(24, 0, 0); }, time);
    ExpectThrowAt<ArgumentOutOfRangeException>([] { DateTime::TimeToTicks(0, -1, 0); }, time);
    ExpectThrowAt<ArgumentOutOfRangeException>([] { DateTime(2008, 1, 1, 0, 0, 60); }, time);
    ExpectThrowAt<ArgumentOutOfRangeException>([] { DateTime(2008, 1, 1, 0, 60); }, time);
    ExpectThrowAt<ArgumentOutOfRangeException>([] { DateTime(2008, 2, 30, 0, 0); },
                                               L"DateTime::DateToTicks (48)");
    ExpectThrowAt<ArgumentOutOfRangeException>([] { DateTime::FromTicks(-1, DateTimeKind::Utc); },
                                               L"DateTime::FromTicks (38)");
    ExpectThrowAt<ArgumentOutOfRangeException>(
        [] { DateTime::FromTicks(static_cast<int64_t>(DateTime::MaxTicks) + 1, DateTimeKind::Utc); },
        L"DateTime::FromTicks (38)");
}

TEST(DateTime, LeapYears) {
    EXPECT_FALSE(DateTime::IsLeapYear(1900));
    EXPECT_TRUE(DateTime::IsLeapYear(2000));
    EXPECT_TRUE(DateTime::IsLeapYear(2008));
    EXPECT_FALSE(DateTime::IsLeapYear(2007));
    ExpectThrowAt<ArgumentOutOfRangeException>([] { DateTime::IsLeapYear(0); },
                                               L"DateTime::IsLeapYear (391)");
    ExpectThrowAt<ArgumentOutOfRangeException>([] { DateTime::IsLeapYear(10000); },
                                               L"DateTime::IsLeapYear (391)");
}

TEST(DateTime, DatePartsOfKnownDates) {
    DateTime endOf2008(2008, 12, 31, 23, 59, 59);
    ExpectDate(endOf2008, 2008, 12, 31);
    EXPECT_EQ(366, endOf2008.DayOfYear());
    EXPECT_EQ(60, DateTime(2007, 3, 1, 0, 0).DayOfYear());
    EXPECT_EQ(61, DateTime(2008, 3, 1, 0, 0).DayOfYear());
}

// Every day of the years around the ends of the 4-, 100- and 400-year cycles, where a wrong
// reduction of the cycle counts puts the last day into the following year.
TEST(DateTime, DatePartsRoundTripAcrossCycleEnds) {
    for (int first : {1, 97, 397, 1597, 1897, 1997, 2097, 9996}) {
        for (int year = first; year < first + 4; ++year) {
            int dayOfYear = 0;
            for (int month = 1; month <= 12; ++month) {
                for (int day = 1; day <= 31; ++day) {
                    int64_t ticks;
                    try {
                        ticks = DateTime::DateToTicks(year, month, day);
                    } catch (const ArgumentOutOfRangeException&) {
                        break;
                    }
                    DateTime value =
                        DateTime::FromTicks(ticks + TimeSpan::TicksPerDay - 1, DateTimeKind::Local);
                    ++dayOfYear;
                    ASSERT_EQ(year, value.Year()) << year << "-" << month << "-" << day;
                    ASSERT_EQ(month, value.Month()) << year << "-" << month << "-" << day;
                    ASSERT_EQ(day, value.Day()) << year << "-" << month << "-" << day;
                    ASSERT_EQ(dayOfYear, value.DayOfYear()) << year << "-" << month << "-" << day;
                }
            }
            EXPECT_EQ(DateTime::IsLeapYear(year) ? 366 : 365, dayOfYear);
        }
    }
}

TEST(DateTime, DayOfWeek) {
    EXPECT_EQ(1, DateTime(2008, 1, 7, 12, 0).DayOfWeek());
    EXPECT_STREQ("MON", DateTime::DayOfWeekString_ShortUppercase(DateTime(2008, 1, 7, 12, 0).DayOfWeek()));
    EXPECT_EQ(1, DateTime(1, 1, 1, 0, 0).DayOfWeek());
    EXPECT_STREQ("SUN", DateTime::DayOfWeekString_ShortUppercase(0));
    EXPECT_STREQ("SAT", DateTime::DayOfWeekString_ShortUppercase(6));
    const wchar_t* location = L"DateTime::DayOfWeekString_ShortUppercase (108)";
    ExpectThrowAt<ApplicationException>([] { DateTime::DayOfWeekString_ShortUppercase(7); }, location);
    ExpectThrowAt<ApplicationException>([] { DateTime::DayOfWeekString_ShortUppercase(-1); }, location);
}

TEST(DateTime, XsdDateString) {
    EXPECT_EQ("2008-01-07", DateTime(2008, 1, 7, 23, 0).ToXsdDateString());
    EXPECT_EQ("0005-01-01", DateTime(5, 1, 1, 0, 0).ToXsdDateString());
    EXPECT_EQ("9999-12-31", DateTime(9999, 12, 31, 23, 59, 59).ToXsdDateString());
}

TEST(DateTime, ArithmeticKeepsKindAndChecksRange) {
    DateTime utc = Utc(2024, 6, 21, 12, 0);
    DateTime later = utc + TimeSpan(1, 30, 0);
    EXPECT_EQ(DateTimeKind::Utc, later.Kind());
    EXPECT_EQ(DateTime(2024, 6, 21, 13, 30), later);
    EXPECT_EQ(DateTimeKind::Utc, (utc - TimeSpan(24, 0, 0)).Kind());

    EXPECT_EQ(DateTime(2024, 6, 21, 12, 0), utc);
    EXPECT_LT(DateTime(2024, 6, 21, 11, 59, 59), utc);
    EXPECT_GT(DateTime::FromTicks(utc.Ticks() + 1, DateTimeKind::Unspecified), utc);

    const wchar_t* plus = L"DateTime::operator + (327)";
    const wchar_t* minus = L"DateTime::operator - (318)";
    DateTime last(9999, 12, 31, 0, 0);
    ExpectThrowAt<ArgumentOutOfRangeException>([&] { last + TimeSpan(24, 0, 0); }, plus);
    EXPECT_EQ(static_cast<int64_t>(DateTime::MaxTicks), (last + TimeSpan(TimeSpan::TicksPerDay - 1)).Ticks());
    ExpectThrowAt<ArgumentOutOfRangeException>([] { DateTime(1, 1, 1, 0, 0) - TimeSpan(1); }, minus);
    ExpectThrowAt<ArgumentOutOfRangeException>([] { DateTime(1, 1, 1, 0, 0) + TimeSpan(-1); }, plus);
    // Intervals near the 64-bit limits must not wrap the sum into range.
    ExpectThrowAt<ArgumentOutOfRangeException>([&] { utc + TimeSpan(INT64_MAX); }, plus);
    ExpectThrowAt<ArgumentOutOfRangeException>([&] { utc + TimeSpan(INT64_MIN); }, plus);
    ExpectThrowAt<ArgumentOutOfRangeException>([&] { utc - TimeSpan(INT64_MIN); }, minus);
    ExpectThrowAt<ArgumentOutOfRangeException>([&] { utc - TimeSpan(INT64_MAX); }, minus);
}

TEST(DateTime, EmptyNullableNamesItsInstantiation) {
    Nullable<DateTime> empty;
    ExpectThrowAt<ApplicationException>([&] { empty.Value(); }, L"Nullable<class DateTime>::Value (20)");
}

TEST(TimeSpan, FromMinutesRoundsToWholeMilliseconds) {
    EXPECT_EQ(900000000, TimeSpan::FromMinutes(1.5).Ticks());
    EXPECT_EQ(-10000, TimeSpan::FromMinutes(-0.00001).Ticks());
    EXPECT_EQ(0, TimeSpan::FromMinutes(0.4 / 60000).Ticks());
    EXPECT_EQ(10000, TimeSpan::FromMinutes(0.5 / 60000).Ticks());
    EXPECT_EQ(-10000, TimeSpan::FromMinutes(-0.5 / 60000).Ticks());
    EXPECT_EQ(565 * TimeSpan::TicksPerMinute + 7140 * 10000, TimeSpan::FromMinutes(565.119).Ticks());

    const wchar_t* location = L"TimeSpan::Interval (57)";
    ExpectThrowAt<OverflowException>([] { TimeSpan::FromMinutes(1e300); }, location);
    ExpectThrowAt<OverflowException>([] { TimeSpan::FromMinutes(-1.6e10); }, location);
    ExpectThrowAt<OverflowException>([] { TimeSpan::FromMinutes(std::numeric_limits<double>::quiet_NaN()); },
                                     location);
    EXPECT_NO_THROW(TimeSpan::FromMinutes(-1.5e10));
}

TEST(TimeSpan, TimeToTicksAllowsPartsBeyondTheirClockRange) {
    EXPECT_EQ(TimeSpan::TicksPerDay, TimeSpan::TimeToTicks(24, 0, 0));
    EXPECT_EQ(TimeSpan::TicksPerDay + TimeSpan::TicksPerHour, TimeSpan::TimeToTicks(25, 0, 0));
    EXPECT_EQ(-TimeSpan::TicksPerMinute, TimeSpan::TimeToTicks(0, 0, -60));
    // Far past 32 bits of seconds, yet well inside the range.
    EXPECT_EQ(int64_t{1000000} * TimeSpan::TicksPerHour, TimeSpan::TimeToTicks(1000000, 0, 0));
    ExpectThrowAt<ArgumentOutOfRangeException>([] { TimeSpan::TimeToTicks(INT_MAX, 0, 0); },
                                               L"TimeSpan::TimeToTicks (103)");
    ExpectThrowAt<ArgumentOutOfRangeException>([] { TimeSpan::TimeToTicks(INT_MIN, INT_MIN, INT_MIN); },
                                               L"TimeSpan::TimeToTicks (103)");
}

TEST(DateTimeClock, FixedClockPinsNowAndNests) {
    {
        FixedClock clock(Utc(2024, 6, 21, 23, 30, 15), DateTime(2024, 6, 22, 1, 30, 15));
        DateTime utc = DateTime::UtcNow();
        EXPECT_EQ(DateTimeKind::Utc, utc.Kind());
        EXPECT_EQ(DateTime(2024, 6, 21, 23, 30, 15), utc);
        DateTime local = DateTime::Now();
        EXPECT_EQ(DateTimeKind::Local, local.Kind());
        EXPECT_EQ(DateTime(2024, 6, 22, 1, 30, 15), local);
        DateTime today = DateTime::Today();
        EXPECT_EQ(DateTimeKind::Local, today.Kind());
        EXPECT_EQ(DateTime(2024, 6, 22, 0, 0), today);
        {
            FixedClock inner(Utc(2000, 1, 1, 0, 0));
            EXPECT_EQ(DateTime(2000, 1, 1, 0, 0), DateTime::UtcNow());
        }
        EXPECT_EQ(DateTime(2024, 6, 21, 23, 30, 15), DateTime::UtcNow());
    }
    // The system clock again: this test was written long after 2024 began.
    EXPECT_GT(DateTime::UtcNow(), DateTime(2024, 1, 1, 0, 0));
    TimeSpan fifteenHours(15, 0, 0);
    EXPECT_LT(DateTime::Now(), DateTime::UtcNow() + fifteenHours);
    EXPECT_GT(DateTime::Now(), DateTime::UtcNow() - fifteenHours);
}

TEST(DateTimeParse, ParseDateTimeReadsFixedPositions) {
    DateTime value = Util::ParseDateTime("2008-01-07T18:00:00-05:00");
    EXPECT_EQ(DateTime(2008, 1, 7, 18, 0, 0), value);
    EXPECT_EQ(DateTimeKind::Unspecified, value.Kind());
    EXPECT_EQ(DateTime(2024, 2, 29, 23, 59, 58), Util::ParseDateTime("2024/02/29 23.59.58"));
    ExpectThrowAt<ArgumentOutOfRangeException>([] { Util::ParseDateTime("2007-02-29T00:00:00"); },
                                               L"DateTime::DateToTicks (48)");
    ExpectThrowAt<ArgumentOutOfRangeException>([] { Util::ParseDateTime("2007-02-28T24:00:00"); },
                                               L"DateTime::TimeToTicks (455)");
    ExpectThrowAt<ApplicationException>([] { Util::ParseDateTime("2007-02-28T1x:00:00"); },
                                        L"Util::ParseDigits (462)");
}

TEST(DateTimeParse, DayHourMinuteTakesTheReferenceMonth) {
    Nullable<DateTime> reference(DateTime(2008, 1, 7, 6, 0));
    Nullable<DateTime> value = Util::ParseDayHourMinute("071853Z", reference);
    ASSERT_TRUE(value.HasValue());
    EXPECT_EQ(DateTime(2008, 1, 7, 18, 53), value.Value());
    for (const char* text : {"07185Z", "071853", "0718533Z", " 071853Z", "07a853Z", "071853z", ""}) {
        EXPECT_FALSE(Util::ParseDayHourMinute(text, reference).HasValue()) << text;
    }
    EXPECT_FALSE(Util::ParseDayHourMinute(std::string("071853Z\0", 8), reference).HasValue());
    EXPECT_FALSE(Util::ParseDayHourMinute("072553Z", reference).HasValue());
    EXPECT_FALSE(Util::ParseDayHourMinute("071860Z", reference).HasValue());
}

TEST(DateTimeParse, DayHourMinuteSearchesTheLastDaysOfTheClock) {
    Nullable<DateTime> none;
    FixedClock clock(Utc(2024, 3, 1, 1, 0));
    // Three hours of slack reach 1 March 04:00; then 29 and 28 February.
    EXPECT_EQ(DateTime(2024, 3, 1, 3, 59), Util::ParseDayHourMinute("010359Z", none).Value());
    EXPECT_EQ(DateTime(2024, 2, 29, 12, 0), Util::ParseDayHourMinute("291200Z", none).Value());
    EXPECT_EQ(DateTime(2024, 2, 28, 0, 5), Util::ParseDayHourMinute("280005Z", none).Value());
    EXPECT_FALSE(Util::ParseDayHourMinute("271200Z", none).HasValue());
    EXPECT_FALSE(Util::ParseDayHourMinute("311200Z", none).HasValue());
    // A reference on another day falls back to the clock.
    Nullable<DateTime> elsewhere(DateTime(2023, 7, 15, 0, 0));
    EXPECT_EQ(DateTime(2024, 2, 29, 12, 0), Util::ParseDayHourMinute("291200Z", elsewhere).Value());

    clock.Set(Utc(2024, 6, 7, 22, 0), Utc(2024, 6, 7, 22, 0));
    EXPECT_EQ(DateTime(2024, 6, 8, 0, 30), Util::ParseDayHourMinute("080030Z", none).Value());
    EXPECT_EQ(DateTime(2024, 6, 7, 23, 59), Util::ParseDayHourMinute("072359Z", none).Value());
    EXPECT_FALSE(Util::ParseDayHourMinute("072400Z", none).HasValue());
}
