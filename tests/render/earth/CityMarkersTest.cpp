#include "render/earth/CityMarkers.h"

#include "core/Clock.h"

#include <gtest/gtest.h>

namespace {
// 2024-03-20 12:00 UTC: day in Europe and Africa, night over the Pacific.
const DateTime Noon = DateTime::FromTicks(DateTime(2024, 3, 20, 12, 0).Ticks(), DateTimeKind::Utc);

struct Call {
    std::string What; // "icon", "name" or "temperature"
    std::wstring Text;
    bool Daytime = true;
    PixelRect Icon;
    TextBox Box;
    uint32_t Argb = 0;
};

// Remembers what was drawn; texts measure 6 pixels a character and 10 high, icons are 64 x 64
// except for the codes given none.
class RecordingCanvas : public IMarkerCanvas {
public:
    bool SmallIconSize(bool, const Nullable<EnumWeatherCode>& code, int& width, int& height) override {
        if (!code.HasValue() || code.Value() == EnumWeatherCode::Tornado) {
            return false;
        }
        width = 64;
        height = 64;
        return true;
    }
    void DrawSmallIcon(bool daytime, const Nullable<EnumWeatherCode>&, const PixelRect& rect) override {
        Calls.push_back({"icon", L"", daytime, rect, {}, 0});
    }
    TextSize MeasureText(const std::wstring& text, MarkerFont, BoxAlign) override {
        return {6.0f * static_cast<float>(text.size()), 10};
    }
    void DrawLabel(const std::wstring& text, MarkerFont font, uint32_t argb, const TextBox& box) override {
        Calls.push_back({font == MarkerFont::CityName ? "name" : "temperature", text, true, {}, box, argb});
    }

    std::vector<std::wstring> Texts(const std::string& what) const {
        std::vector<std::wstring> texts;
        for (const Call& call : Calls) {
            if (call.What == what) {
                texts.push_back(call.Text);
            }
        }
        return texts;
    }

    std::vector<Call> Calls;
};

City Place(int id, const wchar_t* name, float latitude, float longitude) {
    return City(id, L"XXXX", L"Country", name, L"", latitude, longitude);
}

void Report(City& city, DateTime time, EnumWeatherCode code, float celsius) {
    city.CurrentWeather.ReportDateTime = time;
    city.CurrentWeather.WeatherCode = code;
    city.CurrentWeather.Temprature = celsius;
}

class Markers : public ::testing::Test {
protected:
    Markers() : clock(Noon), options(OptionsEdition::GlobeGlow, OptionsSite{}) {
        options.Region = CompleteRegion();
        options.WeatherIconScale = 100;
        options.UseMetricSystem = true;
        options.Cities =
            new std::vector<City>{Place(1, L"Paris", 48.7f, 2.4f), Place(2, L"Tokyo", 35.8f, 140.4f)};
        options.HomeCity = new City(Place(3, L"Home", 0, 0));
        for (City& city : *options.Cities) {
            Report(city, Noon - TimeSpan(1, 0, 0), EnumWeatherCode::Clear, 12);
        }
        Report(*options.HomeCity, Noon - TimeSpan(0, 30, 0), EnumWeatherCode::Rain, -3);
    }

    FixedClock clock;
    COptions options;
    RecordingCanvas canvas;
    const PixelRect picture{0, 0, 3600, 1800};
};
} // namespace

TEST_F(Markers, NamesThenIconsThenTemperaturesEachInListOrderWithTheHomeCityLast) {
    DrawCityMarkers(canvas, options, picture);
    std::vector<std::string> kinds;
    for (const Call& call : canvas.Calls) {
        kinds.push_back(call.What);
    }
    EXPECT_EQ((std::vector<std::string>{"name", "name", "name", "icon", "icon", "icon", "temperature",
                                        "temperature", "temperature"}),
              kinds);
    EXPECT_EQ((std::vector<std::wstring>{L"Paris", L"Tokyo", L"Home"}), canvas.Texts("name"));
    EXPECT_EQ((std::vector<std::wstring>{L"12°", L"12°", L"-3°"}), canvas.Texts("temperature"));
    // Night in Tokyo at noon UTC, day at Greenwich.
    EXPECT_TRUE(canvas.Calls[3].Daytime);
    EXPECT_FALSE(canvas.Calls[4].Daytime);
    EXPECT_EQ((PixelRect{1800 - 32, 900 - 32, 64, 64}), canvas.Calls[5].Icon);
}

TEST_F(Markers, AHomeCityThatIsAlsoAFavouriteIsDrawnTwice) {
    options.Cities->push_back(*options.HomeCity);
    EXPECT_EQ(4u, MarkerCities(options).size());
    EXPECT_EQ(options.HomeCity.Get(), MarkerCities(options).back());
    options.HomeCity = nullptr;
    options.Cities = nullptr;
    EXPECT_TRUE(MarkerCities(options).empty());
    DrawCityMarkers(canvas, options, picture);
    EXPECT_TRUE(canvas.Calls.empty());
}

TEST_F(Markers, NamesAndTemperaturesFormOneLineOverTheIconsLowerQuarter) {
    DrawCityMarkers(canvas, options, picture);
    const Call& name = canvas.Calls[2];        // "Home", 24 wide
    const Call& temperature = canvas.Calls[8]; // "-3°", 18 wide
    // The line is 42 wide centred on 1800, 10 high, its top 10 above the icon's bottom (932).
    EXPECT_FLOAT_EQ(1800 - 21 + 24, name.Box.X + name.Box.Width);
    EXPECT_FLOAT_EQ(1800 - 21 + 24, temperature.Box.X);
    EXPECT_FLOAT_EQ(922, name.Box.Y);
    EXPECT_FLOAT_EQ(922, temperature.Box.Y);
    EXPECT_EQ(options.ColorCityName, name.Argb);
    EXPECT_EQ(options.ColorCityTemprature, temperature.Argb);
}

TEST_F(Markers, AReportThreeHoursOldShowsOnlyTheName) {
    Report((*options.Cities)[0], Noon - TimeSpan(3, 0, 0), EnumWeatherCode::Clear, 12);
    DrawCityMarkers(canvas, options, picture);
    EXPECT_EQ((std::vector<std::wstring>{L"Paris", L"Tokyo", L"Home"}), canvas.Texts("name"));
    EXPECT_EQ(2u, canvas.Texts("icon").size());
    EXPECT_EQ((std::vector<std::wstring>{L"12°", L"-3°"}), canvas.Texts("temperature"));
    // Its name hangs from the city's pixel.
    const PixelPoint paris = ProjectToPicture(options.Region, 2.4f, 48.7f, picture);
    EXPECT_EQ(StaleCityNameAt(paris), canvas.Calls[0].Box);

    // Without names shown a stale city draws nothing at all.
    canvas.Calls.clear();
    options.DispalyCityName = false;
    DrawCityMarkers(canvas, options, picture);
    EXPECT_TRUE(canvas.Texts("name").empty());
    EXPECT_EQ(2u, canvas.Texts("temperature").size());
}

TEST_F(Markers, ALoneTextHangsFromTheIconsUpperQuarter) {
    options.DisplayCityTemprature = false;
    DrawCityMarkers(canvas, options, picture);
    EXPECT_EQ(3u, canvas.Texts("name").size());
    EXPECT_TRUE(canvas.Texts("temperature").empty());
    EXPECT_EQ((TextBox{1800 - 500, 900 + 16, 1000, 1000, BoxAlign::Center, BoxAlign::Near}),
              canvas.Calls[2].Box);

    // A recent report without a temperature leaves the name alone too.
    canvas.Calls.clear();
    options.DisplayCityTemprature = true;
    options.HomeCity->CurrentWeather.Temprature = Nullable<float>();
    DrawCityMarkers(canvas, options, picture);
    EXPECT_EQ(LoneMarkerTextAt({1800, 900}, MarkerIconAt({1800, 900}, true, 64, 64, 100)),
              canvas.Calls[2].Box);
}

TEST_F(Markers, NoIconAnchorsTheTextsAtTheCity) {
    Report(*options.HomeCity, Noon, EnumWeatherCode::Tornado, 20);
    options.DispalyCityName = false;
    DrawCityMarkers(canvas, options, picture);
    EXPECT_EQ(2u, canvas.Texts("icon").size());
    // The lone temperature at y + 1 / 4 = y.
    EXPECT_EQ((TextBox{1800 - 500, 900, 1000, 1000, BoxAlign::Center, BoxAlign::Near}),
              canvas.Calls.back().Box);
}

TEST_F(Markers, OneCallDrawsOnlyWhatItsFlagsAsk) {
    DrawCityMarker(canvas, *options.HomeCity, options, false, true, false, {50, 60});
    ASSERT_EQ(1u, canvas.Calls.size());
    EXPECT_EQ("temperature", canvas.Calls[0].What);
    canvas.Calls.clear();
    DrawCityMarker(canvas, *options.HomeCity, options, true, true, true, {50, 60});
    EXPECT_EQ(3u, canvas.Calls.size());
}
