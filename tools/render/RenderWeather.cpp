// orbimeteo-render weather OUT.png [--size WxH] [--work X,Y,W,H] [--code N|none] [--night]
//     [--temperature CELSIUS|none] [--metric] [--name TEXT] [--age MINUTES] [--no-home]
//     [--dpi DPI] [--repeat N] [--installation FOLDER]
// The weather picture as the wallpaper has it, for a home city whose report is --age minutes
// old (default 10). The clock is pinned to the March equinox at noon UTC and the city sits on
// the equator at 0° (day) or 180° (--night), so a picture is the same on every run. Prints one
// JSON line with the times of composing (first and best of --repeat) and of saving.
#include "RenderSupport.h"
#include "RenderVerbs.h"

#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/Util.h"
#include "data/Options.h"
#include "render/UtilGraphicsWin32.h"
#include "render/WeatherPictureWin32.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>

namespace {
PictureRect ParseWorkArea(const std::wstring& text) {
    std::wistringstream fields(text);
    PictureRect area;
    wchar_t comma = 0;
    fields >> area.X >> comma >> area.Y >> comma >> area.Width >> comma >> area.Height;
    if (fields.fail() || area.Width <= 0 || area.Height <= 0) {
        throw std::invalid_argument("work area is not X,Y,W,H");
    }
    return area;
}

CPtr<City> HomeCity(const RenderArguments& arguments, const DateTime& now) {
    const bool night = arguments.Has(L"night");
    City home(CityRecord(1, L"KLAX", L"US", arguments.Text(L"name", L"Los Angeles"), L"", 0.0f,
                         night ? 180.0f : 0.0f));
    const auto ageTicks = static_cast<int64_t>(arguments.Number(L"age", 10) * 60 * 10000000.0);
    home.CurrentWeather.ReportDateTime = DateTime::FromTicks(now.Ticks() - ageTicks, DateTimeKind::Utc);
    const std::wstring code = arguments.Text(L"code", L"0");
    if (code != L"none") {
        home.CurrentWeather.WeatherCode = static_cast<EnumWeatherCode>(std::stoi(code));
    }
    const std::wstring temperature = arguments.Text(L"temperature", L"21");
    if (temperature != L"none") {
        home.CurrentWeather.Temprature = std::stof(temperature);
    }
    return CPtr<City>(new City(home));
}
} // namespace

int RenderWeather(int argc, wchar_t** argv) {
    const RenderArguments arguments(argc, argv, {L"night", L"metric", L"no-home"});
    if (arguments.Positional().size() != 1) {
        std::fputs("usage: orbimeteo-render weather OUT.png [--size WxH] [--work X,Y,W,H] [--code N|none] "
                   "[--night] [--temperature C|none] [--metric] [--name TEXT] [--age MINUTES] [--no-home] "
                   "[--dpi DPI] [--repeat N] [--installation FOLDER]\n",
                   stderr);
        return 2;
    }
    int width = 0;
    int height = 0;
    RenderArguments::ParseSize(arguments.Text(L"size", L"1920x1080"), width, height);
    const PictureRect work = arguments.Has(L"work") ? ParseWorkArea(arguments.Text(L"work", L""))
                                                    : PictureRect{0, 0, static_cast<float>(width),
                                                                  static_cast<float>(height - 40)};
    const std::wstring installation = Util::AppendBackslash(arguments.Text(L"installation", ProgramFolder()));
    UtilGraphics::LoadImages({installation + L"LargeWeatherIcons\\", installation + L"SmallWeatherIcons\\",
                              installation + L"EarthNight\\",
                              installation + L"UI\\LocalWeatherBackground.png"});

    const DateTime now(2024, 3, 20, 12, 0, 0);
    const FixedClock clock(DateTime::FromTicks(now.Ticks(), DateTimeKind::Utc));
    COptions options(OptionsEdition::CloudPane, OptionsSite{});
    options.UseMetricSystem = arguments.Has(L"metric");
    if (!arguments.Has(L"no-home")) {
        options.HomeCity = HomeCity(arguments, now);
    }
    const auto dpi = static_cast<float>(arguments.Number(L"dpi", 96));
    const int repeat = std::max(1, static_cast<int>(arguments.Number(L"repeat", 1)));

    auto start = std::chrono::steady_clock::now();
    CBitmap picture = CreateWeatherPicture(width, height, PixelKind::Rgb24, dpi, work, options);
    const double first = MillisecondsSince(start);
    double best = first;
    for (int i = 1; i < repeat; ++i) {
        start = std::chrono::steady_clock::now();
        picture = CreateWeatherPicture(width, height, PixelKind::Rgb24, dpi, work, options);
        best = std::min(best, MillisecondsSince(start));
    }
    start = std::chrono::steady_clock::now();
    const bool saved = SavePng(picture, arguments.Positional()[0]);
    const double save = MillisecondsSince(start);
    std::printf("{\"verb\":\"weather\",\"width\":%d,\"height\":%d,\"first_ms\":%.1f,\"best_ms\":%.1f,"
                "\"png_save_ms\":%.1f,\"saved\":%s,\"file\":\"%s\"}\n",
                width, height, first, best, save, saved ? "true" : "false",
                Utf8(arguments.Positional()[0]).c_str());
    return saved ? 0 : 1;
}
