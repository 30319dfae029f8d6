#include "PictureTestSupportWin32.h"
#include "core/Clock.h"
#include "core/DateTime.h"
#include "data/Options.h"
#include "render/WeatherPictureWin32.h"

#include <gtest/gtest.h>

namespace {
constexpr int Width = 800;
constexpr int Height = 450;
const PictureRect Work{0, 0, Width, Height - 30};

// The March equinox at noon UTC: a city on the equator at 0° has day, at 180° night.
DateTime Noon() {
    return DateTime::FromTicks(DateTime(2024, 3, 20, 12, 0, 0).Ticks(), DateTimeKind::Utc);
}

DateTime MinutesBefore(const DateTime& time, int minutes) {
    return DateTime::FromTicks(time.Ticks() - int64_t{minutes} * 60 * 10000000, DateTimeKind::Utc);
}

class WeatherPictureTest : public testing::Test {
protected:
    WeatherPictureTest() : clock_(Noon()), options_(OptionsEdition::CloudPane, OptionsSite{}) {
        UtilGraphics::LoadImages(InstalledImages());
    }
    ~WeatherPictureTest() override { UtilGraphics::ReleaseImages(); }

    // A home city whose report is the given minutes old.
    City& SetHome(int ageMinutes, const Nullable<EnumWeatherCode>& code, const Nullable<float>& celsius,
                  float longitude = 0) {
        City home(CityRecord(7, L"KLAX", L"US", L"Los Angeles", L"", 0, longitude));
        home.CurrentWeather.ReportDateTime = MinutesBefore(Noon(), ageMinutes);
        home.CurrentWeather.WeatherCode = code;
        home.CurrentWeather.Temprature = celsius;
        options_.HomeCity = new City(home);
        return *options_.HomeCity;
    }

    PicturePixels Draw(const PictureRect& work = Work, int width = Width, int height = Height) {
        CBitmap picture = CreateWeatherPicture(width, height, PixelKind::Rgb24, 96, work, options_);
        EXPECT_TRUE(picture.HasImage());
        return ReadPixels(picture);
    }

    FixedClock clock_;
    COptions options_;
};

const Nullable<EnumWeatherCode> Rain(EnumWeatherCode::Rain);
const Nullable<float> Mild(21.0f);
} // namespace

TEST_F(WeatherPictureTest, WithoutARecentReportThePictureIsTheSkyAlone) {
    const PicturePixels none = Draw();
    // The sky is drawn: a blue picture, not an empty bitmap.
    const uint32_t top = none.At(Width / 2, 5);
    EXPECT_GT(top & 0xFF, (top >> 16) & 0xFF);

    SetHome(180, Rain, Mild);
    EXPECT_EQ(0, Draw().DifferentIn(none, 0, 0, Width, Height)) << "a report 3 hours old";
    SetHome(179, Rain, Mild);
    EXPECT_GT(Draw().DifferentIn(none, 0, 0, Width, Height), 1000) << "a report 2 h 59 min old";

    // The screen saver draws the same picture onto its own surface.
    CBitmap surface(Width, Height, PixelKind::Rgb24);
    {
        CGraphics graphics(surface);
        DrawWeatherPicture(graphics, {0, 0, Width, Height}, Work, options_);
    }
    EXPECT_EQ(0, ReadPixels(surface).DifferentIn(Draw(), 0, 0, Width, Height));
}

TEST_F(WeatherPictureTest, RecentReportDrawsIconTemperatureAndName) {
    const PicturePixels sky = Draw();
    SetHome(10, Rain, Mild);
    const PicturePixels picture = Draw();
    // The icon fills the work area's height, centred: its middle changes, the far sides not.
    EXPECT_GT(picture.DifferentIn(sky, Width / 2 - 50, 150, Width / 2 + 50, 250), 2000);
    EXPECT_EQ(0, picture.DifferentIn(sky, 0, 100, 150, Height));
    // "70°" in white at the top right, 10 pixels in; the name in a smaller white line under it.
    EXPECT_GT(picture.WhiteIn(Width - 120, 10, Width - 8, 45), 100);
    const int temperatureRight = picture.RightmostWhite(10, 42);
    EXPECT_NEAR(Width - 11, temperatureRight, 6);
    EXPECT_GT(picture.WhiteIn(Width - 200, 42, Width - 8, 60), 30);
    const int nameRight = picture.RightmostWhite(44, 60);
    // Flush with the last digit, left of the degree sign.
    EXPECT_LT(nameRight, temperatureRight - 3);
    EXPECT_GT(nameRight, temperatureRight - 25);
}

TEST_F(WeatherPictureTest, NoTemperatureReadsTwoDashesAndNoCodeDrawsNoIcon) {
    const PicturePixels sky = Draw();
    SetHome(10, Nullable<EnumWeatherCode>(), Nullable<float>());
    const PicturePixels picture = Draw();
    EXPECT_EQ(0, picture.DifferentIn(sky, 0, 60, Width, Height)) << "no icon";
    // "--" is drawn; the name ends under the first dash, a dash's width left of the second.
    EXPECT_GT(picture.WhiteIn(Width - 60, 10, Width - 8, 45), 20);
    const int dashesRight = picture.RightmostWhite(10, 42);
    const int nameRight = picture.RightmostWhite(44, 60);
    EXPECT_GT(nameRight, 0);
    EXPECT_LT(nameRight, dashesRight - 5);
}

// Two monitors side by side, the primary on the right: the icon is centred in its work area,
// the temperature stays at the top right of the picture's first work-area width.
TEST_F(WeatherPictureTest, IconFollowsTheWorkAreaAndTheTemperatureThePictureOrigin) {
    constexpr int Wide = 1200;
    const PictureRect right{600, 0, 600, 400};
    const PicturePixels sky = Draw(right, Wide, Height);
    SetHome(10, Rain, Mild);
    const PicturePixels picture = Draw(right, Wide, Height);
    EXPECT_GT(picture.DifferentIn(sky, 850, 150, 950, 250), 2000);
    EXPECT_EQ(0, picture.DifferentIn(sky, 610, 60, 690, Height));
    EXPECT_EQ(0, picture.DifferentIn(sky, 620, 0, Wide, 60)) << "no text over the primary monitor";
    EXPECT_NEAR(600 - 11, picture.RightmostWhite(10, 42), 6);
}

TEST_F(WeatherPictureTest, NightShowsTheNightIcon) {
    SetHome(10, Nullable<EnumWeatherCode>(EnumWeatherCode::Clear), Mild, 0);
    const PicturePixels day = Draw();
    SetHome(10, Nullable<EnumWeatherCode>(EnumWeatherCode::Clear), Mild, 180);
    const PicturePixels night = Draw();
    EXPECT_GT(night.DifferentIn(day, 250, 50, 550, 400), 1000);
    // Hot keeps the day's picture by night.
    SetHome(10, Nullable<EnumWeatherCode>(EnumWeatherCode::Hot), Mild, 180);
    EXPECT_EQ(0, Draw().DifferentIn(day, 0, 0, Width, Height));
}

// The scaled copies it keeps give the pixels a fresh start gives.
TEST_F(WeatherPictureTest, KeptCopiesDrawTheSamePicture) {
    SetHome(10, Rain, Mild);
    const PicturePixels first = Draw();
    Draw({0, 0, 400, 200}, 500, 300);
    const PicturePixels again = Draw();
    ReleaseWeatherPicture();
    EXPECT_EQ(0, again.DifferentIn(first, 0, 0, Width, Height));
    EXPECT_EQ(0, Draw().DifferentIn(first, 0, 0, Width, Height));
}
