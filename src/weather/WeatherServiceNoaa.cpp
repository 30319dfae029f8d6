#include "weather/WeatherServiceNoaa.h"

#include "core/DateTime.h"
#include "core/Encoding.h"
#include "core/Util.h"
#include "weather/Http.h"
#include "weather/NoaaMetar.h"

CCurrentWeather WeatherServiceNoaa::GetCurrentWeather(CHttpClient& client, const NoaaAddresses& addresses,
                                                      const CWeatherRequest& request) {
    const std::string text = UtilHttp::DownloadHttp(client, addresses.ObservationUrl(request.Icao));
    return NoaaMetar::ParseCurrentWeather(text, ToAnsi(request.Icao));
}

CPtr<CWeatherReport> WeatherServiceNoaa::GetWeatherReport(CHttpClient& client, const NoaaAddresses& addresses,
                                                          const CWeatherRequest& request) {
    CPtr<CWeatherReport> report(new CWeatherReport());
    report->CityId = request.CityId;
    report->CurrentWeather = GetCurrentWeather(client, addresses, request);
    return report;
}

CPtr<CWeatherReport> WeatherServiceNoaa::GetWeatherReportWithForecast(CHttpClient& client,
                                                                      const NoaaAddresses& addresses,
                                                                      const CWeatherRequest& request) {
    CPtr<CWeatherReport> report = GetWeatherReport(client, addresses, request);
    report->Forecast = GetForecast(client, addresses, request);
    return report;
}

WeatherServiceNoaa::ForecastParameters
WeatherServiceNoaa::MakeForecastParameters(const CWeatherRequest& request) {
    return ForecastParameters{Util::ToString(static_cast<double>(request.Latitude)),
                              Util::ToString(static_cast<double>(request.Longitude)),
                              DateTime::Today().ToXsdDateString(), std::string("7"),
                              std::string("12 hourly")};
}
