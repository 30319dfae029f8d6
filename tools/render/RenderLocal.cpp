// orbimeteo-render local OUT.png [--mode large|small|icon] [--no-home] [--code N|none]
//     [--temperature CELSIUS|none] [--metric] [--name TEXT] [--night] [--age MINUTES]
//     [--periods N] [--first day|night] [--summary TEXT] [--scale S] [--repeat N]
//     [--installation FOLDER]
// The local weather window's picture, with its alpha, as the window draws it for a home city
// in Los Angeles whose report is --age minutes old (default 10). The clock is pinned to noon
// there (midnight with --night) of today. The forecast has N periods (default 0) of 12 hours
// from tomorrow 06:00 (--first day) or 18:00, with a round of sample conditions, or all with
// the one summary given. Prints one JSON line with the size and the drawing time (first and
// best of --repeat).
#include "RenderSupport.h"
#include "RenderVerbs.h"

#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/Util.h"
#include "data/Options.h"
#include "render/UtilGraphicsWin32.h"
#include "ui/FormLocalWeather.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iterator>

namespace {
struct Period {
    EnumWeatherCode Code;
    const wchar_t* Summary;
};
constexpr Period SamplePeriods[] = {
    {EnumWeatherCode::Fair, L"Mostly Sunny"},
    {EnumWeatherCode::PartlyCloudy, L"Partly Cloudy"},
    {EnumWeatherCode::RainShowers, L"Chance Showers"},
    {EnumWeatherCode::Cloudy, L"Cloudy"},
    {EnumWeatherCode::Clear, L"Sunny"},
    {EnumWeatherCode::Thunderstorms, L"Thunderstorms Likely"},
    {EnumWeatherCode::MostlyCloudy, L"Mostly Cloudy then Slight Chance Rain"},
};

CPtr<City> HomeCity(const RenderArguments& arguments, const DateTime& now) {
    CPtr<City> city(new City(CityRecord(348400, L"KLAX", L"USA", arguments.Text(L"name", L"Los Angeles"), L"",
                                        33.938f, -118.389f)));
    const int age = static_cast<int>(arguments.Number(L"age", 10));
    city->CurrentWeather.ReportDateTime = now - TimeSpan(0, age, 0);
    if (arguments.Text(L"code", L"none") != L"none") {
        city->CurrentWeather.WeatherCode = static_cast<EnumWeatherCode>(arguments.Number(L"code", 0));
    }
    if (arguments.Text(L"temperature", L"none") != L"none") {
        city->CurrentWeather.Temprature = static_cast<float>(arguments.Number(L"temperature", 0));
    }
    city->Forecast.ReportDateTime = now - TimeSpan(0, 10, 0);
    const std::wstring summary = arguments.Text(L"summary", L"");
    const bool firstIsDay = arguments.Text(L"first", L"day") != L"night";
    const int periods = static_cast<int>(arguments.Number(L"periods", 0));
    DateTime start = now.Date() + TimeSpan(firstIsDay ? 30 : 42, 0, 0);
    for (int i = 0; i < periods; ++i) {
        const Period& sample = SamplePeriods[i % std::size(SamplePeriods)];
        CForecastItem item;
        item.Start = start;
        item.End = start + TimeSpan(12, 0, 0);
        item.WeatherSummary = summary.empty() ? sample.Summary : summary;
        item.WeatherCode = sample.Code;
        item.TempratureMax = 20.0f + static_cast<float>(i % 3);
        item.TempratureMin = 10.0f - static_cast<float>(i % 4);
        city->Forecast.Items.push_back(item);
        start = item.End;
    }
    return city;
}

int ModeOf(const std::wstring& name) {
    return name == L"small" ? 1 : name == L"icon" ? 2 : 0;
}
} // namespace

int RenderLocal(int argc, wchar_t** argv) {
    const RenderArguments arguments(argc, argv, {L"no-home", L"metric", L"night"});
    const double scale = arguments.Number(L"scale", 1);
    if (arguments.Positional().size() != 1 || !(scale > 0 && scale <= 4)) {
        std::fputs(
            "usage: orbimeteo-render local OUT.png [--mode large|small|icon] [--no-home] [--code N|none] "
            "[--temperature CELSIUS|none] [--metric] [--name TEXT] [--night] [--age MINUTES] [--periods N] "
            "[--first day|night] [--summary TEXT] [--scale S] [--repeat N] [--installation FOLDER]\n",
            stderr);
        return 2;
    }
    const std::wstring installation = Util::AppendBackslash(arguments.Text(L"installation", ProgramFolder()));
    UtilGraphics::LoadImages({installation + L"LargeWeatherIcons\\", installation + L"SmallWeatherIcons\\",
                              installation + L"EarthNight\\",
                              installation + L"UI\\LocalWeatherBackground.png"});

    // Noon in Los Angeles (UTC-8) is 20:00 UTC.
    const DateTime now = DateTime::UtcNow().Date() + TimeSpan(arguments.Has(L"night") ? 8 : 20, 0, 0);
    const FixedClock clock(now);
    COptions options(OptionsEdition::CloudPane, OptionsSite{});
    options.UseMetricSystem = arguments.Has(L"metric");
    options.FormLocalWeather_Mode = ModeOf(arguments.Text(L"mode", L"large"));
    if (!arguments.Has(L"no-home")) {
        options.HomeCity = HomeCity(arguments, now);
    } else {
        options.HomeCity = nullptr;
    }

    CFormLocalWeather window([&options]() -> COptions& { return options; });
    window.SetScale(scale);
    const int repeat = std::max(1, static_cast<int>(arguments.Number(L"repeat", 1)));
    double first = 0;
    double best = 1e300;
    CBitmap picture;
    for (int i = 0; i < repeat; ++i) {
        const auto start = std::chrono::steady_clock::now();
        picture = window.DrawPicture();
        const double elapsed = MillisecondsSince(start);
        first = i == 0 ? elapsed : first;
        best = std::min(best, elapsed);
    }
    if (!SavePng(picture, arguments.Positional()[0])) {
        std::fprintf(stderr, "orbimeteo-render local: cannot write %ls\n", arguments.Positional()[0].c_str());
        return 1;
    }
    std::printf("{\"width\": %d, \"height\": %d, \"draw_ms\": %.2f, \"best_ms\": %.2f}\n", picture.Width(),
                picture.Height(), first, best);
    return 0;
}
