// One refresh batch of the 18 default cities against the fake NOAA server on 127.0.0.1, run on
// the background worker while this thread plays the main thread: how long the batch takes, the
// longest stretch the main thread spends taking reports in, and the CPU used while nothing is
// due. Figures only; nothing is asserted.
#include "app/WeatherPlan.h"
#include "data/Options.h"
#include "weather/ThreadPool.h"
#include "weather/WeatherSource.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// The messages the worker posts, as the main thread's queue holds them.
class Mailbox {
public:
    void Post(WeatherSignal signal) {
        const std::lock_guard<std::mutex> lock(lock_);
        signals_.push_back(signal);
        changed_.notify_one();
    }
    WeatherSignal Wait() {
        std::unique_lock<std::mutex> lock(lock_);
        changed_.wait(lock, [this] { return !signals_.empty(); });
        const WeatherSignal signal = signals_.front();
        signals_.pop_front();
        return signal;
    }

private:
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<WeatherSignal> signals_;
};

// A station file observed a few minutes ago, so the decoder takes it as current.
std::string StationFile(const std::wstring& icao) {
    const std::time_t now = std::time(nullptr) - 300;
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[128];
    std::snprintf(text, sizeof(text),
                  "%04d/%02d/%02d %02d:%02d\n%ls %02d%02d%02dZ 26010KT 10SM FEW020 18/09 A3002\n",
                  utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, icao.c_str(),
                  utc.tm_mday, utc.tm_hour, utc.tm_min);
    return text;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Ms(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}
} // namespace

int main() {
    const fs::path folder =
        fs::temp_directory_path() / ("orbimeteo-refresh-bench-" + std::to_string(getpid()));
    fs::create_directories(folder / "stations");
    COptions options(OptionsEdition::CloudPane, OptionsSite());
    std::ofstream(folder / "stations" / (options.HomeCity->Icao + L".TXT"))
        << StationFile(options.HomeCity->Icao);
    for (const City& city : *options.Cities) {
        std::ofstream(folder / "stations" / (city.Icao + L".TXT")) << StationFile(city.Icao);
    }
    const std::string server = ORBIMETEO_FAKE_NOAA;
    const std::string portFile = (folder / "port").string();
    const std::string start =
        "python3 " + server + " start --stations " + (folder / "stations").string() + " --dwml " +
        ORBIMETEO_WEATHER_DATA "/dwml/forecast.xml --lifetime 120 --port-file " + portFile;
    if (std::system(start.c_str()) != 0) {
        std::fprintf(stderr, "the fake NOAA server does not start\n");
        return 1;
    }
    int port = 0;
    std::ifstream(portFile) >> port;
    const std::wstring base = L"http://127.0.0.1:" + std::to_wstring(port);
    const NoaaAddresses addresses = NoaaAddresses::From(
        base + L"/pub/data/observations/metar/stations/%s.TXT", base + L"/ndfdXMLserver.php");

    Mailbox mailbox;
    WeatherWorkSite site;
    site.Reports = std::make_shared<CReportQueue>([] { return false; });
    site.OpenSource = [addresses] { return std::make_unique<CNoaaWeatherSource>(addresses); };
    site.Signal = [&mailbox](WeatherSignal signal) { mailbox.Post(signal); };
    site.PauseAfterFailure = [] {};

    CThreadPool pool;
    pool.Start();
    auto* work = new CWeatherDownloadWork(site);
    PlanWeatherDownload(options, EnumAppKind::CloudPane, EnumAppMode::Desktop, true, *work);
    const size_t cities = work->ForecastRequests.size() + work->CurrentRequests.size();

    const auto begin = Clock::now();
    pool.Queue(work);
    double longestMs = 0;
    int shown = 0;
    for (;;) {
        const WeatherSignal signal = mailbox.Wait();
        const auto handling = Clock::now();
        shown += ApplyReports(options, site.Reports->TakeAll()) ? 1 : 0;
        longestMs = std::max(longestMs, Ms(Clock::now() - handling));
        if (signal == WeatherSignal::BatchFinished) {
            break;
        }
    }
    const double batchMs = Ms(Clock::now() - begin);
    int current = options.HomeCity->CurrentWeather.IsRecent() ? 1 : 0;
    for (const City& city : *options.Cities) {
        current += city.CurrentWeather.IsRecent() ? 1 : 0;
    }

    // Between ticks the worker waits for work and the main thread for messages.
    const double cpuBefore = CpuSeconds();
    const auto idleBegin = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const double idleCpu = (CpuSeconds() - cpuBefore) / (Ms(Clock::now() - idleBegin) / 1000);
    pool.Stop(100);

    std::system(("python3 " + server + " stop --port-file " + portFile).c_str());
    fs::remove_all(folder);

    std::printf("batch of %zu cities (home city with forecast): %.0f ms wall, %d of %zu cities current\n",
                cities, batchMs, current, cities);
    std::printf("main thread: %d takes, longest %.2f ms\n", shown, longestMs);
    std::printf("CPU while idle between ticks: %.2f %%\n", idleCpu * 100);
    return 0;
}
