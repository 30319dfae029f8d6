#include "weather/WeatherDownloadWork.h"

void CWeatherDownloadWork::Execute() {
    std::unique_ptr<IWeatherSource> source;
    try {
        source = site_.OpenSource();
    } catch (...) {
        // Without a client every city fails; the batch still ends as usual.
    }
    if (source) {
        Fetch(*source);
        source.reset();
    }
    if (!site_.Reports->Exiting()) {
        site_.Signal(WeatherSignal::BatchFinished);
    }
}

void CWeatherDownloadWork::Fetch(IWeatherSource& source) {
    for (const CWeatherRequest& request : ForecastRequests) {
        try {
            QueueReport(source.GetWeatherReportWithForecast(request), Progressive);
        } catch (...) {
            // The city keeps the weather it has; the batch goes on.
            site_.PauseAfterFailure();
        }
    }
    int count = 1;
    for (const CWeatherRequest& request : CurrentRequests) {
        try {
            CPtr<CWeatherReport> report = source.GetWeatherReport(request);
            ++count;
            QueueReport(std::move(report), Progressive && IsNotifyCount(count));
        } catch (...) {
            site_.PauseAfterFailure();
        }
    }
}

void CWeatherDownloadWork::QueueReport(CPtr<CWeatherReport> report, bool notify) {
    if (site_.Reports->QueueReport(std::move(report), notify)) {
        site_.Signal(WeatherSignal::ReportsQueued);
    }
}
