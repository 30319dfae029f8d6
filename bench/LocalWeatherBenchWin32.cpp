// Times CFormLocalWeather::Redraw, the whole picture and the layered window's update, in Large
// mode with a 14-period forecast, and watches the graphics objects and memory over 1,000
// redraws. Figures only; run under Wine or on Windows with the installation data at
// INSTALL (default: the stage folder beside the program).
#include "InstallFolderWin32.h"

#include "core/Clock.h"
#include "core/DateTime.h"
#include "data/Options.h"
#include "render/UtilGraphicsWin32.h"
#include "ui/FormLocalWeather.h"

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

CPtr<City> HomeCityWithForecast(const DateTime& now) {
    CPtr<City> city(new City(CityRecord(348400, L"KLAX", L"USA", L"Los Angeles", L"", 33.938f, -118.389f)));
    city->CurrentWeather.ReportDateTime = now;
    city->CurrentWeather.WeatherCode = EnumWeatherCode::PartlyCloudy;
    city->CurrentWeather.Temprature = 21.0f;
    city->Forecast.ReportDateTime = now;
    DateTime start = now.Date() + TimeSpan(30, 0, 0);
    for (int i = 0; i < 14; ++i) {
        CForecastItem item;
        item.Start = start;
        item.End = start + TimeSpan(12, 0, 0);
        item.WeatherSummary = i % 2 == 0 ? L"Mostly Sunny then Chance Showers" : L"Partly Cloudy";
        item.WeatherCode = static_cast<EnumWeatherCode>(i % 19);
        item.TempratureMax = 22.0f;
        item.TempratureMin = 12.0f;
        city->Forecast.Items.push_back(item);
        start = item.End;
    }
    return city;
}

std::wstring Folder(const std::wstring& install, const wchar_t* name) {
    return install + name + L"\\";
}

size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    return counters.PrivateUsage;
}

void Run(const std::wstring& install) {
    UtilGraphics::LoadImages({Folder(install, L"LargeWeatherIcons"), Folder(install, L"SmallWeatherIcons"),
                              Folder(install, L"EarthNight"), install + L"UI\\LocalWeatherBackground.png"});
    OptionsSite site;
    COptions options(OptionsEdition::CloudPane, site);
    const DateTime now = DateTime::UtcNow();
    options.HomeCity = HomeCityWithForecast(now);
    options.FormLocalWeather_Mode = 0;
    {
        CFormLocalWeather window([&options]() -> COptions& { return options; });
        if (!window.Create()) {
            std::printf("the window cannot be made\n");
            return;
        }
        window.Redraw(); // the first one decodes the icons
        const int objectsBefore = LiveGraphicsObjects();
        const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        const size_t bytesBefore = PrivateBytes();
        constexpr int Runs = 1000;
        std::vector<double> times;
        times.reserve(Runs);
        for (int i = 0; i < Runs; ++i) {
            const auto start = Clock::now();
            window.Redraw();
            times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        std::sort(times.begin(), times.end());
        double sum = 0;
        for (const double time : times) {
            sum += time;
        }
        const CBitmap picture = window.DrawPicture();
        std::printf("Redraw, Large, 14 periods (%d x %d): mean %.2f ms, median %.2f ms, best %.2f ms, "
                    "95th percentile %.2f ms over %d\n",
                    picture.Width(), picture.Height(), sum / Runs, times[Runs / 2], times.front(),
                    times[Runs * 95 / 100], Runs);
        std::printf("graphics layer objects: %d before, %d after %d redraws\n", objectsBefore,
                    LiveGraphicsObjects(), Runs);
        std::printf("GDI objects (0 under Wine): %lu before, %lu after\n", gdiBefore,
                    GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
        std::printf("private bytes: %.1f MB before, %.1f MB after\n", bytesBefore / 1048576.0,
                    PrivateBytes() / 1048576.0);

        window.SetScale(2);
        const double scaled = [&window] {
            double best = 1e300;
            for (int i = 0; i < 50; ++i) {
                const auto start = Clock::now();
                window.Redraw();
                best =
                    std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            }
            return best;
        }();
        std::printf("Redraw at 200 %%: best %.2f ms\n", scaled);
    }
    UtilGraphics::ReleaseImages();
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring install = BenchInstallFolder(argc, argv);
    const CGraphicsSession gdiplus;
    Run(install);
    return 0;
}
