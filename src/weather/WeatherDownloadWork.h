#pragma once
#include "core/CPtr.h"
#include "weather/IWork.h"
#include "weather/ReportQueue.h"
#include "weather/WeatherRequest.h"
#include "weather/WeatherSource.h"

#include <functional>
#include <memory>
#include <vector>

// What the worker tells the main thread.
enum class WeatherSignal {
    ReportsQueued, // reports are queued that should be shown now
    BatchFinished  // the batch is done, whether or not any city succeeded
};

// What a batch needs from the program around it. Everything here is safe to use from the
// worker: nothing reaches a City, the options or a window.
struct WeatherWorkSite {
    std::shared_ptr<CReportQueue> Reports;
    // The source of this batch's reports, made on the worker.
    std::function<std::unique_ptr<IWeatherSource>()> OpenSource;
    // Tells the main thread (a posted message); never called once the program is exiting.
    std::function<void(WeatherSignal)> Signal;
    // The pause after a failed city, so a server in trouble is not hammered.
    std::function<void()> PauseAfterFailure;
};

// One refresh batch: the cities due, fetched one after the other on the worker.
class CWeatherDownloadWork : public IWork {
public:
    explicit CWeatherDownloadWork(WeatherWorkSite site) : site_(std::move(site)) {}

    // Announce results while the batch still runs: after the 2nd, 4th, 9th, 14th ... city
    // fetched, so a first refresh of many cities shows something early without redrawing
    // after every one.
    bool Progressive = false;
    // Observation and forecast (the home city in the United States).
    std::vector<CWeatherRequest> ForecastRequests;
    // Observation only.
    std::vector<CWeatherRequest> CurrentRequests;

    bool IsEmpty() const { return ForecastRequests.empty() && CurrentRequests.empty(); }
    void Execute() override;

    // The count starts at 1 and grows with every city fetched; the main thread is told when
    // it reaches 3 or a multiple of 5. Failed cities do not count.
    static bool IsNotifyCount(int count) { return count == 3 || count % 5 == 0; }

private:
    void Fetch(IWeatherSource& source);
    void QueueReport(CPtr<CWeatherReport> report, bool notify);

    WeatherWorkSite site_;
};

template <> struct CPtrLocations<CWeatherDownloadWork> {
    static constexpr const char* Star = "CPtr<class CWeatherDownloadWork>::operator * (108)";
    static constexpr const char* Arrow = "CPtr<class CWeatherDownloadWork>::operator -> (114)";
};
