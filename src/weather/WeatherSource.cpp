#include "weather/WeatherSource.h"

#include "weather/WeatherServiceNoaa.h"

CPtr<CWeatherReport> CNoaaWeatherSource::GetWeatherReport(const CWeatherRequest& request) {
    return WeatherServiceNoaa::GetWeatherReport(client_, addresses_, request);
}

CPtr<CWeatherReport> CNoaaWeatherSource::GetWeatherReportWithForecast(const CWeatherRequest& request) {
    return WeatherServiceNoaa::GetWeatherReportWithForecast(client_, addresses_, request);
}
