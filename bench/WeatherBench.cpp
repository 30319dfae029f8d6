// Times the METAR and DWML decoders on the station files and forecast document of the tests,
// and shows how much memory decoding the largest reply a download lets through takes. Figures
// only; nothing is asserted.
#include "core/ApplicationException.h"
#include "weather/NoaaDwml.h"
#include "weather/NoaaMetar.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs of the work until at least a second has passed; the best rate of three such rounds, in
// runs per second.
template <class Work> double BestRate(Work&& work) {
    double best = 0;
    for (int round = 0; round < 3; ++round) {
        long runs = 0;
        const auto start = Clock::now();
        double seconds = 0;
        do {
            work();
            ++runs;
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
        } while (seconds < 1.0);
        best = std::max(best, runs / seconds);
    }
    return best;
}

// The peak resident size of the process so far, in MiB.
double PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// A forecast document of about the given size: the test document with its periods repeated.
std::string LargeForecast(const std::string& forecast, size_t size) {
    const size_t weatherStart = forecast.find("<weather-conditions");
    const size_t weatherEnd = forecast.find("</weather>");
    const std::string conditions = forecast.substr(weatherStart, weatherEnd - weatherStart);
    std::string text = forecast;
    std::string more;
    while (text.size() + more.size() < size) {
        more += conditions;
    }
    text.insert(weatherEnd, more);
    return text;
}

} // namespace

int main() {
    const std::filesystem::path data = ORBIMETEO_WEATHER_DATA;
    std::vector<std::pair<std::string, std::string>> stations; // station, file
    for (const auto& entry : std::filesystem::directory_iterator(data / "stations")) {
        stations.emplace_back(entry.path().stem().string(), ReadFile(entry.path()));
    }
    std::sort(stations.begin(), stations.end());
    const std::string forecast = ReadFile(data / "dwml" / "forecast.xml");
    volatile int sink = 0;
    const double baseline = PeakMiB();

    size_t bytes = 0;
    for (const auto& station : stations) {
        bytes += station.second.size();
    }
    const double files =
        BestRate([&] {
            for (const auto& [station, text] : stations) {
                sink = sink +
                       static_cast<int>(NoaaMetar::ParseCurrentWeather(text, station).WeatherCode.Value());
            }
        }) *
        static_cast<double>(stations.size());
    std::printf("METAR station files   %10.0f files/s  (%zu files, %.0f bytes each on average)\n", files,
                stations.size(), static_cast<double>(bytes) / static_cast<double>(stations.size()));

    const double documents = BestRate([&] {
        CForecast decoded;
        NoaaDwml::Parse12HourlyForecast(forecast, decoded);
        sink = sink + static_cast<int>(decoded.Items.size());
    });
    std::printf("DWML forecast         %10.0f documents/s  (%zu bytes, %.1f MB/s)\n", documents,
                forecast.size(), documents * static_cast<double>(forecast.size()) / 1e6);
    std::printf("peak memory so far    %10.1f MiB  (%.1f MiB before decoding)\n", PeakMiB(), baseline);

    // The largest reply a download accepts, decoded once each.
    constexpr size_t Largest = 4 * 1024 * 1024;
    std::string metar = stations.front().second;
    while (metar.size() < Largest) {
        metar += "FEW020 SCT250 BKN300 -RA BR ";
    }
    const double beforeMetar = PeakMiB();
    const auto metarStart = Clock::now();
    sink = sink + static_cast<int>(
                      NoaaMetar::ParseCurrentWeather(metar, stations.front().first).WeatherCode.Value());
    std::printf("METAR of 4 MiB        %10.1f ms, peak memory %.1f MiB (+%.1f MiB)\n",
                std::chrono::duration<double, std::milli>(Clock::now() - metarStart).count(), PeakMiB(),
                PeakMiB() - beforeMetar);

    const std::string large = LargeForecast(forecast, Largest);
    const double beforeDwml = PeakMiB();
    const auto dwmlStart = Clock::now();
    CForecast decoded;
    NoaaDwml::Parse12HourlyForecast(large, decoded);
    std::printf("DWML of %.1f MiB      %10.1f ms, peak memory %.1f MiB (+%.1f MiB)\n",
                static_cast<double>(large.size()) / (1024 * 1024),
                std::chrono::duration<double, std::milli>(Clock::now() - dwmlStart).count(), PeakMiB(),
                PeakMiB() - beforeDwml);
    return sink == -1;
}
