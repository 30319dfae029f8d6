#include "core/Clock.h"
#include "data/Options.h"
#include "render/UtilGraphicsWin32.h"
#include "ui/FormLocalWeather.h"

#include <gtest/gtest.h>

namespace {
const std::wstring Installation = L"" ORBIMETEO_INSTALL_DIR;

// Noon in Los Angeles.
const DateTime Now(2024, 6, 21, 20, 0);

struct Picture {
    int Width;
    int Height;
};

class LocalWeatherPictureTest : public testing::Test {
protected:
    LocalWeatherPictureTest() : clock_(Now), options_(OptionsEdition::CloudPane, OptionsSite{}) {
        UtilGraphics::LoadImages({Installation + L"LargeWeatherIcons/", Installation + L"SmallWeatherIcons/",
                                  Installation + L"EarthNight/",
                                  Installation + L"UI/LocalWeatherBackground.png"});
        options_.HomeCity = new City(CityRecord(348400, L"KLAX", L"USA", L"Oslo", L"", 33.938f, -118.389f));
        Home().CurrentWeather.ReportDateTime = Now - TimeSpan(0, 10, 0);
        Home().CurrentWeather.WeatherCode = EnumWeatherCode::Clear;
        Home().CurrentWeather.Temprature = 21.0f;
    }
    ~LocalWeatherPictureTest() override { UtilGraphics::ReleaseImages(); }

    City& Home() { return *options_.HomeCity; }

    void AddForecast(int periods, bool firstIsDay, const std::wstring& summary = L"") {
        Home().Forecast.ReportDateTime = Now - TimeSpan(0, 30, 0);
        DateTime start = Now.Date() + TimeSpan(firstIsDay ? 30 : 42, 0, 0);
        for (int i = 0; i < periods; ++i) {
            CForecastItem item;
            item.Start = start;
            item.End = start + TimeSpan(12, 0, 0);
            item.WeatherSummary = summary;
            item.WeatherCode = EnumWeatherCode::Rain;
            Home().Forecast.Items.push_back(item);
            start = item.End;
        }
    }

    CBitmap Draw(int mode, double scale = 1) {
        options_.FormLocalWeather_Mode = mode;
        CFormLocalWeather window([this]() -> COptions& { return options_; });
        window.SetScale(scale);
        return window.DrawPicture();
    }

    Picture SizeOf(int mode, double scale = 1) {
        const CBitmap picture = Draw(mode, scale);
        return {picture.Width(), picture.Height()};
    }

    FixedClock clock_;
    COptions options_;
};

uint32_t Alpha(uint32_t argb) {
    return argb >> 24;
}

bool IsWhite(uint32_t argb) {
    return Alpha(argb) > 160 && ((argb >> 16) & 0xFF) > 200 && ((argb >> 8) & 0xFF) > 200 &&
           (argb & 0xFF) > 200;
}

// The columns between left and right that have a white pixel in the rows top to bottom.
std::vector<bool> WhiteColumns(const CBitmap& picture, int left, int right, int top, int bottom) {
    std::vector<bool> columns(right - left, false);
    for (int x = left; x < right; ++x) {
        for (int y = top; y < bottom && !columns[x - left]; ++y) {
            columns[x - left] = IsWhite(picture.Pixel(x, y));
        }
    }
    return columns;
}

bool RowHasWhite(const CBitmap& picture, int y, int left, int right) {
    for (int x = left; x < right; ++x) {
        if (IsWhite(picture.Pixel(x, y))) {
            return true;
        }
    }
    return false;
}
} // namespace

TEST_F(LocalWeatherPictureTest, NoHomeCityIsTheMessagePanelInEveryMode) {
    options_.HomeCity = nullptr;
    for (const int mode : {0, 1, 2}) {
        const CBitmap picture = Draw(mode);
        EXPECT_EQ(290, picture.Width()) << mode;
        EXPECT_EQ(73, picture.Height()) << mode;
        // The message is drawn in white on the panel.
        EXPECT_TRUE(RowHasWhite(picture, 36, 10, 280)) << mode;
    }
}

TEST_F(LocalWeatherPictureTest, SizesOfTheModes) {
    EXPECT_EQ(210, SizeOf(2).Width);
    EXPECT_EQ(160, SizeOf(2).Height);
    EXPECT_EQ(290, SizeOf(1).Width);
    EXPECT_EQ(160, SizeOf(1).Height);
    // Large without a forecast, or with one decoded 3 hours ago, is the Small window.
    EXPECT_EQ(290, SizeOf(0).Width);
    EXPECT_EQ(160, SizeOf(0).Height);
    AddForecast(14, true);
    Home().Forecast.ReportDateTime = Now - TimeSpan(3, 0, 0);
    EXPECT_EQ(290, SizeOf(0).Width);
    EXPECT_EQ(160, SizeOf(0).Height);
}

TEST_F(LocalWeatherPictureTest, ForecastColumns) {
    AddForecast(14, true);
    // Rows without summaries are 5 high: 5 + 5 + 155 + 95.
    EXPECT_EQ(521, SizeOf(0).Width);
    EXPECT_EQ(260, SizeOf(0).Height);
    Home().Forecast.Items.clear();
    AddForecast(14, false);
    EXPECT_EQ(569 + 20, SizeOf(0).Width);
    // Small ignores the forecast.
    EXPECT_EQ(290, SizeOf(1).Width);
}

TEST_F(LocalWeatherPictureTest, LongSummariesAreCutAtTheRowLimit) {
    AddForecast(4, true,
                L"Rain and snow showers likely before noon, then a chance of thunderstorms with "
                L"gusty winds and small hail, some of which could be severe in the afternoon and "
                L"evening, then clearing overnight with patchy fog");
    // Nine or ten lines of the 10-pixel font fill the rows' 100 pixels, and no more.
    const Picture picture = SizeOf(0);
    EXPECT_LE(picture.Height, 100 + 100 + 155 + 95);
    EXPECT_GE(picture.Height, 90 + 90 + 155 + 95);
    Home().Forecast.Items.clear();
    AddForecast(4, true, L"Sunny");
    const int oneLine = SizeOf(0).Height;
    EXPECT_GT(oneLine, 260);
    EXPECT_LT(oneLine, 300);
}

TEST_F(LocalWeatherPictureTest, ScaledDisplaysGetDevicePixels) {
    AddForecast(14, true);
    EXPECT_EQ(1042, SizeOf(0, 2).Width);
    EXPECT_EQ(520, SizeOf(0, 2).Height);
    EXPECT_EQ(435, SizeOf(1, 1.5).Width);
    EXPECT_EQ(240, SizeOf(1, 1.5).Height);
}

TEST_F(LocalWeatherPictureTest, NameHangsUnderTheDigitsOfMinusFive) {
    options_.UseMetricSystem = true;
    Home().CurrentWeather.Temprature = -5.0f;
    const CBitmap picture = Draw(1);
    // Right of the icon box only: the temperature's rows, a gap, then the name's rows.
    const int left = 212;
    const int right = picture.Width();
    int y = 85;
    while (y < 160 && !RowHasWhite(picture, y, left, right)) {
        ++y;
    }
    const int temperatureTop = y;
    while (y < 160 && RowHasWhite(picture, y, left, right)) {
        ++y;
    }
    const int temperatureBottom = y;
    while (y < 160 && !RowHasWhite(picture, y, left, right)) {
        ++y;
    }
    const int nameTop = y;
    while (y < 160 && RowHasWhite(picture, y, left, right)) {
        ++y;
    }
    const int nameBottom = y;
    ASSERT_GT(temperatureBottom - temperatureTop, 20) << "no 35-pixel temperature";
    ASSERT_GT(nameBottom - nameTop, 5) << "no name under the temperature";

    // The temperature's glyphs as runs of columns: "-", "5" and the degree sign.
    const std::vector<bool> columns = WhiteColumns(picture, left, right, temperatureTop, temperatureBottom);
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < static_cast<int>(columns.size()); ++x) {
        if (columns[x] && (x == 0 || !columns[x - 1])) {
            runs.push_back({x + left, x + left});
        }
        if (columns[x]) {
            runs.back().second = x + left;
        }
    }
    ASSERT_EQ(3u, runs.size()) << "expected -5°";
    const int fiveRight = runs[1].second;
    const int degreeLeft = runs[2].first;

    const std::vector<bool> nameColumns = WhiteColumns(picture, left, right, nameTop, nameBottom);
    int nameRight = 0;
    for (int x = 0; x < static_cast<int>(nameColumns.size()); ++x) {
        if (nameColumns[x]) {
            nameRight = x + left;
        }
    }
    EXPECT_NEAR(fiveRight, nameRight, 3);
    EXPECT_LT(nameRight, degreeLeft);
}

TEST_F(LocalWeatherPictureTest, PanelSlicesMeetWithoutSeams) {
    options_.HomeCity = nullptr;
    for (const double scale : {1.0, 1.25}) {
        const CBitmap picture = Draw(0, scale);
        // Rows of the top and bottom slices, clear of the message: across the corners' edges
        // the shadow's alpha changes smoothly.
        for (const int row : {5, 60}) {
            const int y = static_cast<int>(row * scale);
            for (int x = 1; x + 1 < picture.Width(); ++x) {
                const int here = static_cast<int>(Alpha(picture.Pixel(x, y)));
                const int before = static_cast<int>(Alpha(picture.Pixel(x - 1, y)));
                const int after = static_cast<int>(Alpha(picture.Pixel(x + 1, y)));
                if (IsWhite(picture.Pixel(x, y)) || IsWhite(picture.Pixel(x - 1, y)) ||
                    IsWhite(picture.Pixel(x + 1, y))) {
                    continue;
                }
                EXPECT_LT(std::abs(2 * here - before - after), 24) << x << ", " << y << " at scale " << scale;
            }
        }
    }
}
