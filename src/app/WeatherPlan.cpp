#include "app/WeatherPlan.h"

#include "core/DateTime.h"
#include "core/TimeSpan.h"
#include "data/Options.h"

namespace {
constexpr int DueAfterMinutes = 60;

bool IsOlderThan(const DateTime& time, const DateTime& due) {
    return time.Ticks() < due.Ticks();
}
} // namespace

CWeatherRequest MakeWeatherRequest(const City& city) {
    CWeatherRequest request;
    request.CityId = city.Id;
    request.Latitude = city.Latitude;
    request.Longitude = city.Longitude;
    request.Icao = city.Icao;
    return request;
}

bool PlanWeatherDownload(const COptions& options, EnumAppKind kind, EnumAppMode mode, bool progressive,
                         CWeatherDownloadWork& work) {
    const bool show = options.ShowWeather;
    if (!show) {
        if (kind == EnumAppKind::GlobeGlow && mode != EnumAppMode::Desktop) {
            return false;
        }
        progressive = false;
    }
    const DateTime due = DateTime::UtcNow() - TimeSpan(0, DueAfterMinutes, 0);
    work.Progressive = progressive;
    if (!options.HomeCity.IsEmpty()) {
        const City& home = *options.HomeCity;
        if (home.Country == L"USA" && IsOlderThan(home.Forecast.ReportDateTime, due)) {
            work.ForecastRequests.push_back(MakeWeatherRequest(home));
        } else if (IsOlderThan(home.CurrentWeather.ReportDateTime, due)) {
            work.CurrentRequests.push_back(MakeWeatherRequest(home));
        }
    }
    const bool favourites = show && (kind == EnumAppKind::GlobeGlow || mode == EnumAppMode::Desktop);
    if (favourites) {
        for (const City& city : *options.Cities) {
            if (IsOlderThan(city.CurrentWeather.ReportDateTime, due)) {
                work.CurrentRequests.push_back(MakeWeatherRequest(city));
            }
        }
    }
    return !work.IsEmpty();
}

bool PlanHomeCityDownload(const COptions& options, CWeatherDownloadWork& work) {
    if (options.HomeCity.IsEmpty()) {
        return false;
    }
    work.Progressive = false;
    work.CurrentRequests.push_back(MakeWeatherRequest(*options.HomeCity));
    return true;
}

bool ApplyReports(COptions& options, std::vector<QueuedReport> reports) {
    if (reports.empty()) {
        return false;
    }
    try {
        for (const QueuedReport& entry : reports) {
            options.UpdateWeather(*entry.Report);
        }
    } catch (...) {
        // The rest of this take is dropped; the next batch brings fresh reports.
    }
    return true;
}
