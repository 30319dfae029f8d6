// The weather wallpaper under Wine: compose, save as BMP and install at three screen sizes, the
// memory of a Cloud Pane with its images and a 3840x2160 wallpaper, and whether 100 refreshes
// leave anything behind. Prints figures; the aims are in the README.
#include "BestOf.h"
#include "core/Clock.h"
#include "core/DateTime.h"
#include "data/Options.h"
#include "render/DesktopWallpaperWin32.h"
#include "render/UtilGraphicsWin32.h"
#include "render/WeatherPictureWin32.h"

#include <cstdio>
#include <filesystem>
#include <windows.h>

#include <psapi.h>

namespace {
struct Size {
    int Width;
    int Height;
};

PROCESS_MEMORY_COUNTERS_EX Memory() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    return counters;
}

double Megabytes(SIZE_T bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

PictureRect WorkAreaOf(const Size& size) {
    return {0, 0, static_cast<float>(size.Width), static_cast<float>(size.Height - 40)};
}

CBitmap Compose(const Size& size, const COptions& options) {
    return CreateWeatherPicture(size.Width, size.Height, PixelKind::Rgb24, 96, WorkAreaOf(size), options);
}
} // namespace

int main() {
    const CGraphicsSession session;
    const std::wstring installation = L"" ORBIMETEO_INSTALL_DIR;
    const std::wstring folder =
        (std::filesystem::temp_directory_path() / L"orbimeteo-bench-wallpaper\\").wstring();
    std::filesystem::create_directories(folder);
    SaveUserWallpaper(folder);
    std::printf("before loading the images: working set %.1f MB, private %.1f MB\n",
                Megabytes(Memory().WorkingSetSize), Megabytes(Memory().PagefileUsage));
    {
        UtilGraphics::LoadImages({installation + L"LargeWeatherIcons/", installation + L"SmallWeatherIcons/",
                                  installation + L"EarthNight/",
                                  installation + L"UI/LocalWeatherBackground.png"});
        const DateTime noon = DateTime::FromTicks(DateTime(2024, 3, 20, 12, 0, 0).Ticks(), DateTimeKind::Utc);
        const FixedClock clock(noon);
        COptions options(OptionsEdition::CloudPane, OptionsSite{});
        City home(CityRecord(1, L"KLAX", L"US", L"Los Angeles", L"", 0, 0));
        home.CurrentWeather.ReportDateTime =
            DateTime::FromTicks(noon.Ticks() - 600 * 10000000LL, DateTimeKind::Utc);
        home.CurrentWeather.WeatherCode = EnumWeatherCode::PartlyCloudy;
        home.CurrentWeather.Temprature = 21.0f;
        options.HomeCity = new City(home);
        std::printf("after loading the images: working set %.1f MB, private %.1f MB\n",
                    Megabytes(Memory().WorkingSetSize), Megabytes(Memory().PagefileUsage));

        std::printf("%-10s %12s %12s %10s %10s %10s %14s\n", "size", "first (ms)", "compose (ms)",
                    "save (ms)", "install", "total", "aim");
        for (const Size size : {Size{1920, 1080}, Size{3840, 2160}, Size{7680, 2160}}) {
            const auto start = std::chrono::steady_clock::now();
            Compose(size, options);
            const double first =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            CBitmap picture;
            const double compose = BestOf(5, [&] { picture = Compose(size, options); });
            const double save = BestOf(5, [&] {
                DeleteFileW((folder + L"bench.bmp").c_str());
                picture.Save(folder + L"bench.bmp", UtilGraphics::GetEncoderBmp());
            });
            DeleteFileW((folder + L"bench.bmp").c_str());
            picture = CBitmap();
            const double all = BestOf(5, [&] { SaveAndApplyWallpaper(Compose(size, options), folder); });
            const bool aimed = size.Width == 3840;
            std::printf("%4dx%-5d %12.1f %12.1f %10.1f %10.1f %10.1f %14s\n", size.Width, size.Height, first,
                        compose, save, all - compose - save, all,
                        aimed ? (all < 150 ? "< 150: met" : "< 150: MISSED") : "");
            if (aimed) {
                std::printf(
                    "peak working set with the images and a 3840x2160 wallpaper: %.1f MB (aim: under 150)\n",
                    Megabytes(Memory().PeakWorkingSetSize));
            }
        }

        const Size screen{3840, 2160};
        SaveAndApplyWallpaper(Compose(screen, options), folder);
        const auto afterFirst = Memory();
        const int objectsAfterFirst = LiveGraphicsObjects();
        for (int i = 1; i < 100; ++i) {
            SaveAndApplyWallpaper(Compose(screen, options), folder);
        }
        const auto afterHundred = Memory();
        std::printf(
            "3840x2160 refreshes: graphics objects %d after the first, %d after 100; private bytes %.1f MB "
            "after the first, %.1f MB after 100\n",
            objectsAfterFirst, LiveGraphicsObjects(), Megabytes(afterFirst.PagefileUsage),
            Megabytes(afterHundred.PagefileUsage));
        UtilGraphics::ReleaseImages();
    }
    RestoreUserWallpaper();
    ClearWallpaperFolder(folder);
    RemoveDirectoryW(folder.c_str());
    std::printf("graphics objects left after the release: %d\n", LiveGraphicsObjects());
    return 0;
}
