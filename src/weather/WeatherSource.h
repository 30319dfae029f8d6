#pragma once
#include "core/CPtr.h"
#include "weather/Http.h"
#include "weather/NoaaAddresses.h"
#include "weather/WeatherReport.h"
#include "weather/WeatherRequest.h"

// Where a download batch gets its reports from. One source serves one batch on one thread.
class IWeatherSource {
public:
    virtual ~IWeatherSource() = default;
    // The current observation only.
    virtual CPtr<CWeatherReport> GetWeatherReport(const CWeatherRequest& request) = 0;
    // The current observation and the forecast; no report when either fails.
    virtual CPtr<CWeatherReport> GetWeatherReportWithForecast(const CWeatherRequest& request) = 0;
};

// NOAA's services through one HTTP client, whose kept-alive connection the batch shares.
class CNoaaWeatherSource : public IWeatherSource {
public:
    explicit CNoaaWeatherSource(const NoaaAddresses& addresses) : addresses_(addresses) {}

    CPtr<CWeatherReport> GetWeatherReport(const CWeatherRequest& request) override;
    CPtr<CWeatherReport> GetWeatherReportWithForecast(const CWeatherRequest& request) override;

private:
    NoaaAddresses addresses_;
    CHttpClient client_;
};
