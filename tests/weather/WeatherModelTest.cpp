#include "core/Clock.h"
#include "core/ThrowLocation.h"
#include "weather/WeatherIcons.h"
#include "weather/WeatherReport.h"

#include <gtest/gtest.h>

namespace {
const DateTime Observed(2024, 7, 1, 12, 0, 0);

DateTime After(int hours, int minutes) {
    return Observed + TimeSpan(hours, minutes, 0);
}

int Shown(float celsius, bool metric) {
    return TempratureInUnit(Nullable<float>(celsius), metric).Value();
}

std::wstring ForecastText(Nullable<float> min, Nullable<float> max, bool metric = true) {
    CForecastItem item;
    item.TempratureMin = min;
    item.TempratureMax = max;
    return item.TempratureText(metric);
}
} // namespace

TEST(Temperature, RoundsHalfAwayFromZeroInEitherUnit) {
    EXPECT_EQ(32, Shown(0, false));
    EXPECT_EQ(1, Shown(-17.5f, false)); // 0.5 °F
    EXPECT_EQ(0, Shown(-17.8f, false)); // -0.04 °F
    EXPECT_EQ(70, Shown(21.2f, false)); // 70.16 °F
    EXPECT_EQ(0, Shown(-0.4f, true));
    EXPECT_EQ(-1, Shown(-0.5f, true));
    EXPECT_EQ(3, Shown(2.5f, true));
    EXPECT_FALSE(TempratureInUnit(Nullable<float>(), true).HasValue());
}

TEST(Temperature, Texts) {
    CCurrentWeather weather;
    weather.ReportDateTime = Observed;
    weather.Temprature = 21.2f;
    FixedClock clock(After(1, 0));
    EXPECT_EQ(L"21\u00B0", weather.TempratureText(L"--", true));
    EXPECT_EQ(L"70\u00B0", weather.TempratureText(L"--", false));
    clock.Set(After(3, 0), After(3, 0));
    EXPECT_EQ(L"--", weather.TempratureText(L"--", true)); // stale
    clock.Set(After(1, 0), After(1, 0));
    weather.Temprature = Nullable<float>();
    EXPECT_EQ(L"", weather.TempratureText(L"", true));

    EXPECT_EQ(L"45\u00B0/30\u00B0", ForecastText(Nullable<float>(30), Nullable<float>(45)));
    EXPECT_EQ(L"--/30\u00B0", ForecastText(Nullable<float>(30), {}));
    EXPECT_EQ(L"45\u00B0/--", ForecastText({}, Nullable<float>(45)));
    EXPECT_EQ(L"--/--", ForecastText({}, {}));
    EXPECT_EQ(L"77\u00B0/-2\u00B0", ForecastText(Nullable<float>(-19), Nullable<float>(25), false));
}

// Both records go stale at exactly three hours, whatever the kind of the times compared.
TEST(WeatherRecords, RecentForLessThanThreeHours) {
    CCurrentWeather observation;
    observation.ReportDateTime = Observed;
    CForecast forecast;
    forecast.ReportDateTime = DateTime::FromTicks(Observed.Ticks(), DateTimeKind::Utc);

    FixedClock clock(After(2, 59));
    EXPECT_TRUE(observation.IsRecent());
    EXPECT_TRUE(forecast.IsRecent());
    clock.Set(After(3, 0), After(3, 0));
    EXPECT_FALSE(observation.IsRecent());
    EXPECT_FALSE(forecast.IsRecent());
    clock.Set(After(0, -5), After(0, -5)); // a clock behind the station's
    EXPECT_TRUE(observation.IsRecent());

    const CWeatherReport nothing;
    EXPECT_EQ(DateTime(1990, 1, 1, 0, 0, 0), nothing.CurrentWeather.ReportDateTime);
    EXPECT_EQ(DateTime(1990, 1, 1, 0, 0, 0), nothing.Forecast.ReportDateTime);
    EXPECT_EQ(L"Nullable<enum EnumWeatherCode>::Value (20)",
              ThrowLocation<ApplicationException>([&] { nothing.CurrentWeather.WeatherCode.Value(); }));
}

TEST(WeatherIcons, DayAndNightFileNames) {
    using Code = Nullable<EnumWeatherCode>;
    EXPECT_STREQ(L"Night Clear.png", WeatherIconFileName(Code(EnumWeatherCode::Clear), false));
    EXPECT_STREQ(L"Night Fair.png", WeatherIconFileName(Code(EnumWeatherCode::Fair), false));
    EXPECT_STREQ(L"Clear.png", WeatherIconFileName(Code(EnumWeatherCode::Hot), false));
    EXPECT_STREQ(L"Snow.png", WeatherIconFileName(Code(EnumWeatherCode::SnowShowers), true));
    EXPECT_STREQ(L"Thunderstorms.png", WeatherIconFileName(Code(EnumWeatherCode::Tornado), false));
    for (int code = 0; code < WeatherCodeCount; ++code) {
        EXPECT_NE(nullptr, WeatherIconFileName(Code(static_cast<EnumWeatherCode>(code)), code % 2 == 0));
    }
    EXPECT_EQ(nullptr, WeatherIconFileName(Code(), true));
    EXPECT_EQ(nullptr, WeatherIconFileName(Code(static_cast<EnumWeatherCode>(19)), true));
    EXPECT_EQ(nullptr, WeatherIconFileName(Code(static_cast<EnumWeatherCode>(-1)), false));
}
