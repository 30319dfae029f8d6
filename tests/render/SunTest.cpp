#include "render/Sun.h"
#include "core/ApplicationException.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double CosOfficial = std::cos(CSun::DegToRad(CSun::OfficialZenith));
const double CosCivil = std::cos(CSun::DegToRad(CSun::CivilZenith));

DateTime Utc(int year, int month, int day, int hour = 0, int minute = 0) {
    return DateTime::FromTicks(DateTime(year, month, day, hour, minute).Ticks(), DateTimeKind::Utc);
}

CSun::CrossingMinutes Minutes(double latitude, double longitude, const DateTime& date) {
    return CSun::GetSunriseSunsetMinutes(latitude, longitude, date, CosOfficial);
}

void ExpectRejected(double latitude, double longitude) {
    Nullable<DateTime> rise;
    Nullable<DateTime> set;
    try {
        CSun::GetSunriseSunset(latitude, longitude, Utc(2024, 6, 21), CosOfficial, rise, set);
        ADD_FAILURE() << latitude << ", " << longitude << " accepted";
    } catch (const ArgumentException& e) {
        EXPECT_EQ(L"CSun::GetSunriseSunset (389)", e.Location);
    }
}

} // namespace

TEST(Sun, JulianDay) {
    EXPECT_EQ(2460482.5, CSun::JulianDay(2024, 6, 21));
    EXPECT_EQ(2460665.5, CSun::JulianDay(2024, 12, 21));
    // January and February count as months 13 and 14 of the year before.
    EXPECT_EQ(2451544.5, CSun::JulianDay(2000, 1, 1));
    EXPECT_EQ(2451603.5, CSun::JulianDay(2000, 2, 29));
}

// The rise and set share terms between steps; they must still equal the steps taken one by one.
TEST(Sun, SharedTermsGiveTheSameMinutesAsTheStepsOneByOne) {
    auto stepByStep = [](double jd, double lat, double lonW, double cosZ, bool rise) {
        auto hourAngle = rise ? CSun::HourAngleSunrise : CSun::HourAngleSunset;
        double tn = CSun::JulianCentury(jd + CSun::SolarNoonUtc(CSun::JulianCentury(jd), lonW) / 1440);
        double eq = CSun::EquationOfTime(tn);
        double m1 = 720 + 4 * (lonW - CSun::RadToDeg(hourAngle(lat, CSun::SunDeclination(tn), cosZ))) - eq;
        double t1 = CSun::JulianCentury(jd + m1 / 1440);
        return 720 + 4 * (lonW - CSun::RadToDeg(hourAngle(lat, CSun::SunDeclination(t1), cosZ))) -
               CSun::EquationOfTime(t1);
    };
    int crossings = 0;
    for (double jd :
         {CSun::JulianDay(1990, 1, 1), CSun::JulianDay(2024, 6, 21), CSun::JulianDay(2061, 9, 30)}) {
        for (double lat = -89; lat <= 89; lat += 8.9) {
            for (double lonW : {-180.0, -74.006, 0.0, 0.1278, 151.2093}) {
                for (double zenith : {90.8333, 96.0, 102.0}) {
                    double cosZ = std::cos(CSun::DegToRad(zenith));
                    double rise = CSun::SunriseUtc(jd, lat, lonW, cosZ);
                    double set = CSun::SunsetUtc(jd, lat, lonW, cosZ);
                    double expectedRise = stepByStep(jd, lat, lonW, cosZ, true);
                    double expectedSet = stepByStep(jd, lat, lonW, cosZ, false);
                    if (std::isnan(expectedRise) || std::isnan(expectedSet)) {
                        EXPECT_EQ(std::isnan(expectedRise), std::isnan(rise));
                        EXPECT_EQ(std::isnan(expectedSet), std::isnan(set));
                        continue;
                    }
                    ++crossings;
                    ASSERT_EQ(expectedRise, rise) << jd << " " << lat << " " << lonW << " " << zenith;
                    ASSERT_EQ(expectedSet, set) << jd << " " << lat << " " << lonW << " " << zenith;
                }
            }
        }
    }
    EXPECT_GT(crossings, 500);
}

TEST(Sun, NewYorkSunsetFallsOnTheNextUtcDay) {
    CSun::CrossingMinutes minutes = Minutes(40.7128, -74.006, Utc(2024, 6, 21));
    ASSERT_TRUE(minutes.Crosses);
    EXPECT_NEAR(565.1, minutes.Rise, 0.05);
    EXPECT_NEAR(1470.9, minutes.Set, 0.05);

    Nullable<DateTime> rise;
    Nullable<DateTime> set;
    CSun::GetSunriseSunset(40.7128, -74.006, Utc(2024, 6, 21, 17, 45), CosOfficial, rise, set);
    ASSERT_TRUE(rise.HasValue() && set.HasValue());
    EXPECT_EQ(DateTimeKind::Utc, rise.Value().Kind());
    EXPECT_EQ(DateTimeKind::Utc, set.Value().Kind());
    EXPECT_EQ(Utc(2024, 6, 21) + TimeSpan::FromMinutes(minutes.Rise), rise.Value());
    EXPECT_EQ(Utc(2024, 6, 21) + TimeSpan::FromMinutes(minutes.Set), set.Value());
    EXPECT_EQ(22, set.Value().Day());
}

TEST(Sun, LondonAtTheDecemberSolstice) {
    CSun::CrossingMinutes minutes = Minutes(51.5074, -0.1278, Utc(2024, 12, 21));
    ASSERT_TRUE(minutes.Crosses);
    EXPECT_NEAR(484.0, minutes.Rise, 0.05);
    EXPECT_NEAR(953.7, minutes.Set, 0.05);
}

TEST(Sun, EastOfGreenwichTheSunriseBeforeMidnightUtcMovesIntoTheDate) {
    // Sydney's winter sunrise is about 21:00 UTC of the day before.
    double raw = CSun::SunriseUtc(CSun::JulianDay(2024, 6, 21), -33.8688, -151.2093, CosOfficial);
    ASSERT_LT(raw, 0.0);
    CSun::CrossingMinutes minutes = Minutes(-33.8688, 151.2093, Utc(2024, 6, 21));
    ASSERT_TRUE(minutes.Crosses);
    EXPECT_DOUBLE_EQ(raw + 1440, minutes.Rise);
    EXPECT_NEAR(600, minutes.Set - minutes.Rise, 20); // a ten-hour winter day
    EXPECT_GT(minutes.Set, 1440.0);

    Nullable<DateTime> rise;
    Nullable<DateTime> set;
    CSun::GetSunriseSunset(-33.8688, 151.2093, Utc(2024, 6, 21, 12), CosOfficial, rise, set);
    EXPECT_EQ(21, rise.Value().Day());
    EXPECT_EQ(22, set.Value().Day());
}

TEST(Sun, CoordinateLimits) {
    DateTime date = Utc(2024, 6, 21);
    CSun::CrossingMinutes pole = CSun::GetSunriseSunsetMinutes(90, 0, date, CosCivil);
    CSun::CrossingMinutes at89 = CSun::GetSunriseSunsetMinutes(89, 0, date, CosCivil);
    EXPECT_EQ(at89.Crosses, pole.Crosses);
    EXPECT_NO_THROW(Minutes(-90, 0, date));
    EXPECT_TRUE(Minutes(0, -180, date).Crosses);
    EXPECT_TRUE(Minutes(0, 180, date).Crosses);
    ExpectRejected(90.5, 0);
    ExpectRejected(-90.5, 0);
    ExpectRejected(0, 180.01);
    ExpectRejected(0, -180.01);
    ExpectRejected(std::numeric_limits<double>::quiet_NaN(), 0);
    ExpectRejected(0, std::numeric_limits<double>::quiet_NaN());
}

TEST(Sun, PolarDayAndNightHaveNoCrossings) {
    Nullable<DateTime> rise(Utc(2000, 1, 1));
    Nullable<DateTime> set(Utc(2000, 1, 1));
    CSun::GetSunriseSunset(80, 15, Utc(2024, 6, 21), CosOfficial, rise, set);
    EXPECT_FALSE(rise.HasValue());
    EXPECT_FALSE(set.HasValue());
    CSun::GetSunriseSunset(80, 15, Utc(2024, 12, 21), CosOfficial, rise, set);
    EXPECT_FALSE(rise.HasValue());
    EXPECT_FALSE(set.HasValue());

    // Without crossings the season decides, at any hour.
    EXPECT_TRUE(CSun::IsDaytime(80, 15, Utc(2024, 6, 21, 23, 0)));
    EXPECT_FALSE(CSun::IsDaytime(80, 15, Utc(2024, 12, 21, 11, 0)));
    EXPECT_FALSE(CSun::IsDaytime(-80, 15, Utc(2024, 6, 21, 11, 0)));
    EXPECT_TRUE(CSun::IsDaytime(-80, 15, Utc(2024, 12, 21, 23, 0)));
}

TEST(Sun, PolarDaySeasonBoundaries) {
    // 2023 is a common year: day 80 is 21 March, day 264 is 21 September.
    auto polarDay = [](int doy, double latitude) {
        return CSun::IsPolarDay(Utc(2023, 1, 1) + TimeSpan((doy - 1) * 24, 0, 0), latitude);
    };
    EXPECT_FALSE(polarDay(80, 70));
    EXPECT_TRUE(polarDay(81, 70));
    EXPECT_TRUE(polarDay(264, 70));
    EXPECT_FALSE(polarDay(265, 70));
    EXPECT_TRUE(polarDay(79, -70));
    EXPECT_FALSE(polarDay(80, -70));
    EXPECT_FALSE(polarDay(265, -70));
    EXPECT_TRUE(polarDay(266, -70));
    for (double latitude : {0.0, std::numeric_limits<double>::quiet_NaN()}) {
        try {
            CSun::IsPolarDay(Utc(2023, 6, 21), latitude);
            ADD_FAILURE() << "no throw at " << latitude;
        } catch (const ApplicationException& e) {
            EXPECT_EQ(L"CSun::IsPolarDay (502)", e.Location);
        }
    }
}

TEST(Sun, DaytimeIncludesTheCivilTwilightBounds) {
    // London in December: civil dawn and dusk both fall on the same UTC date.
    Nullable<DateTime> rise;
    Nullable<DateTime> set;
    CSun::GetSunriseSunset(51.5074, -0.1278, Utc(2024, 12, 21), CosCivil, rise, set);
    ASSERT_TRUE(rise.HasValue() && set.HasValue());
    ASSERT_EQ(21, set.Value().Day());
    const TimeSpan tick(1);
    EXPECT_TRUE(CSun::IsDaytime(51.5074, -0.1278, rise.Value()));
    EXPECT_TRUE(CSun::IsDaytime(51.5074, -0.1278, set.Value()));
    EXPECT_FALSE(CSun::IsDaytime(51.5074, -0.1278, rise.Value() - tick));
    EXPECT_FALSE(CSun::IsDaytime(51.5074, -0.1278, set.Value() + tick));
    // Civil dusk comes after the official sunset.
    EXPECT_GT(set.Value(), Utc(2024, 12, 21) + TimeSpan::FromMinutes(953.7));
}

TEST(Sun, DaytimeAcrossUtcMidnight) {
    // New York's summer evening and Sydney's winter morning lie in the UTC day before or after.
    EXPECT_TRUE(CSun::IsDaytime(40.7128, -74.006, Utc(2024, 6, 22, 0, 20)));
    EXPECT_FALSE(CSun::IsDaytime(40.7128, -74.006, Utc(2024, 6, 22, 3, 0)));
    EXPECT_TRUE(CSun::IsDaytime(40.7128, -74.006, Utc(2024, 6, 21, 16, 0)));
    EXPECT_TRUE(CSun::IsDaytime(-33.8688, 151.2093, Utc(2024, 6, 21, 23, 0)));
    EXPECT_TRUE(CSun::IsDaytime(-33.8688, 151.2093, Utc(2024, 6, 21, 2, 0)));
    EXPECT_FALSE(CSun::IsDaytime(-33.8688, 151.2093, Utc(2024, 6, 21, 12, 0)));
}
