// orbimeteo-render.exe earth: the Earth picture to a PNG, drawn by the program's own code at a
// given instant, and timed from loading the images to the written file.
//
//   earth OUT.png [--size WxH] [--region NAME] [--background FILE] [--utc YYYY-MM-DDTHH:MM:SSZ]
//         [--cities FILE] [--install DIR] [--scale PERCENT] [--repaints N]
//
// A cities file holds city lines, the first the home city; a line may go on with
// ";code;celsius;minutes" for weather of that code and temperature reported that many minutes
// before the instant. Without a file the default cities get recent weather of their own.
#include "RenderSupport.h"
#include "RenderVerbs.h"

#include "core/Clock.h"
#include "core/Encoding.h"
#include "core/Util.h"
#include "core/UtilFile.h"
#include "render/UtilGraphicsWin32.h"
#include "render/earth/BackgroundBitmapWin32.h"
#include "render/earth/EarthPictureWin32.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <psapi.h>
#include <vector>

namespace {
using Stopwatch = std::chrono::steady_clock;

struct EarthArguments {
    std::wstring Output;
    int Width = 1920;
    int Height = 1080;
    std::wstring Region = L"Earth (Default)";
    std::wstring Background = L"Blue Marble.jpg";
    std::string Utc = "2024-03-20T12:00:00Z";
    std::wstring Cities;
    std::wstring Install;
    int Scale = 100;
    int Repaints = 0;
};

void GiveWeather(City& city, DateTime now, int code, float celsius, int minutesOld) {
    city.CurrentWeather.ReportDateTime = now - TimeSpan(0, minutesOld, 0);
    city.CurrentWeather.WeatherCode = static_cast<EnumWeatherCode>(code);
    city.CurrentWeather.Temprature = celsius;
}

// Weather of every kind across the default cities, warmer towards the equator.
void GiveDefaultWeather(COptions& options, DateTime now) {
    static const int codes[] = {0, 1, 4, 5, 6, 10, 13, 17, 2, 3, 9, 14};
    int i = 0;
    const auto give = [&](City& city) {
        const float latitude = city.Latitude < 0 ? -city.Latitude : city.Latitude;
        GiveWeather(city, now, codes[i % 12], 31 - latitude * 0.5f, 20 + i);
        ++i;
    };
    for (City& city : *options.Cities) {
        give(city);
    }
    give(*options.HomeCity);
}

City ReadCityLine(const std::string& line, DateTime now) {
    City city;
    CityRecord::Parse(line, city);
    // Fields past the seventh are the weather.
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t end = line.find(';', start);
        fields.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    if (fields.size() >= 10) {
        GiveWeather(city, now, Util::ParseInt(fields[7]), static_cast<float>(Util::ParseDouble(fields[8])),
                    Util::ParseInt(fields[9]));
    }
    return city;
}

void ReadCities(const std::wstring& file, COptions& options, DateTime now) {
    const std::string text = UtilFile::ReadFileAscii(file);
    options.HomeCity = nullptr;
    options.Cities = new std::vector<City>;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \r") == std::string::npos) {
            continue;
        }
        City city = ReadCityLine(line, now);
        if (options.HomeCity.IsEmpty()) {
            options.HomeCity = new City(city);
        } else {
            options.Cities->push_back(city);
        }
    }
}

bool ParseArguments(const std::vector<std::wstring>& args, EarthArguments& parsed) {
    if (args.empty()) {
        return false;
    }
    parsed.Output = args[0];
    for (size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            return false;
        }
        const std::wstring& name = args[i];
        const std::wstring& value = args[i + 1];
        if (name == L"--size") {
            if (std::swscanf(value.c_str(), L"%dx%d", &parsed.Width, &parsed.Height) != 2) {
                return false;
            }
        } else if (name == L"--region") {
            parsed.Region = value;
        } else if (name == L"--background") {
            parsed.Background = value;
        } else if (name == L"--utc") {
            parsed.Utc = ToAnsi(value);
        } else if (name == L"--cities") {
            parsed.Cities = value;
        } else if (name == L"--install") {
            parsed.Install = value;
        } else if (name == L"--scale") {
            parsed.Scale = Util::ParseInt(ToAnsi(value));
        } else if (name == L"--repaints") {
            parsed.Repaints = Util::ParseInt(ToAnsi(value));
        } else {
            return false;
        }
    }
    return parsed.Width > 0 && parsed.Height > 0;
}

// The folder given, with its trailing separator, or this program's own.
std::wstring InstallFolder(const std::wstring& given) {
    if (given.empty()) {
        return ProgramFolder();
    }
    return given.back() == L'\\' || given.back() == L'/' ? given : given + L"\\";
}

double PeakWorkingSetMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) {
        return 0;
    }
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

template <class Work> double BestOfFive(Work work) {
    double best = 1e300;
    for (int i = 0; i < 5; ++i) {
        const Stopwatch::time_point start = Stopwatch::now();
        work();
        best = std::min(best, MillisecondsSince(start));
    }
    return best;
}

// Applying the mask to the overlay beside a plain copy of the same number of bytes.
void PrintOverlayApply(const CBitmap& night) {
    const size_t bytes = static_cast<size_t>(night.Width()) * static_cast<size_t>(night.Height()) * 4;
    std::vector<char> from(bytes, 1);
    std::vector<char> to(bytes);
    const double applyMs = BestOfFive([] { RefreshNightOverlay(); });
    const double copyMs = BestOfFive([&] { std::memcpy(to.data(), from.data(), bytes); });
    std::printf("overlay apply %dx%d %.1f ms, memcpy of its %.0f MB %.1f ms\n", night.Width(), night.Height(),
                applyMs, static_cast<double>(bytes) / 1e6, copyMs);
}
} // namespace

int RenderEarth(int argc, wchar_t** argv) {
    const std::vector<std::wstring> args(argv, argv + argc);
    EarthArguments arguments;
    if (!ParseArguments(args, arguments)) {
        std::fprintf(stderr, "usage: earth OUT.png [--size WxH] [--region NAME] [--background FILE] "
                             "[--utc YYYY-MM-DDTHH:MM:SSZ] [--cities FILE] [--install DIR] [--scale PERCENT] "
                             "[--repaints N]\n");
        return 2;
    }
    const std::wstring install = InstallFolder(arguments.Install);
    const DateTime now = DateTime::FromTicks(Util::ParseDateTime(arguments.Utc).Ticks(), DateTimeKind::Utc);
    const FixedClock clock(now);

    OptionsSite site;
    site.EarthFolder = install + L"Earth\\";
    COptions options(OptionsEdition::CloudPane, site);
    if (!FindRegion(arguments.Region, options.Region)) {
        std::fprintf(stderr, "earth: no region \"%s\"\n", ToAnsi(arguments.Region).c_str());
        return 2;
    }
    // Taken as given: a file that is not there draws no day layer.
    options.Background = EarthBackground(arguments.Background, site.EarthFolder + arguments.Background);
    options.WeatherIconScale = arguments.Scale;
    if (arguments.Cities.empty()) {
        GiveDefaultWeather(options, now);
    } else {
        ReadCities(arguments.Cities, options, now);
    }

    // The picture's scaled layers and overlay go before the images and GDI+ do, however this ends.
    struct ReleaseAtEnd {
        ~ReleaseAtEnd() {
            ReleaseEarthPicture();
            UtilGraphics::ReleaseImages();
        }
    };
    const Stopwatch::time_point start = Stopwatch::now();
    const ReleaseAtEnd release;
    UtilGraphics::LoadImages({install + L"LargeWeatherIcons\\", install + L"SmallWeatherIcons\\",
                              install + L"EarthNight\\", install + L"UI\\LocalWeatherBackground.png"});
    GetBackgroundImage(options.Background, LoadBackgroundBitmap);
    const double loadMs = MillisecondsSince(start);

    Stopwatch::time_point step = Stopwatch::now();
    BuildDayNightMask();
    RefreshNightOverlay();
    const double overlayMs = MillisecondsSince(step);

    CBitmap picture(arguments.Width, arguments.Height, PixelKind::Argb32);
    double firstPaintMs = 0;
    double bestRepaintMs = 0;
    {
        CGraphics graphics(picture);
        step = Stopwatch::now();
        DrawEarthPicture(graphics, options, 0, 0, arguments.Width, arguments.Height);
        firstPaintMs = MillisecondsSince(step);
        for (int i = 0; i < arguments.Repaints; ++i) {
            step = Stopwatch::now();
            DrawEarthPicture(graphics, options, 0, 0, arguments.Width, arguments.Height);
            const double ms = MillisecondsSince(step);
            bestRepaintMs = i == 0 || ms < bestRepaintMs ? ms : bestRepaintMs;
        }
    }
    step = Stopwatch::now();
    const bool saved = SavePng(picture, arguments.Output);
    const double saveMs = MillisecondsSince(step);
    // Repaints are timed apart: from the images to the file is one load, one paint, one save.
    const double totalMs = loadMs + overlayMs + firstPaintMs + saveMs;

    if (!saved) {
        std::fprintf(stderr, "earth: could not write %s\n", ToAnsi(arguments.Output).c_str());
        return 1;
    }
    std::printf("earth %dx%d load %.1f ms, mask and overlay %.1f ms, first paint %.1f ms, png %.1f ms, "
                "images to png %.1f ms",
                arguments.Width, arguments.Height, loadMs, overlayMs, firstPaintMs, saveMs, totalMs);
    if (arguments.Repaints > 0) {
        std::printf(", repaint %.1f ms (best of %d)", bestRepaintMs, arguments.Repaints);
    }
    std::printf(", peak working set %.0f MB\n", PeakWorkingSetMegabytes());
    if (arguments.Repaints > 0) {
        PrintOverlayApply(UtilGraphics::NightImage());
    }
    return 0;
}
