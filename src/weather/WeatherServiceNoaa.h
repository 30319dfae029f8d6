#pragma once
#include "core/CPtr.h"
#include "weather/CurrentWeather.h"
#include "weather/Forecast.h"
#include "weather/NoaaAddresses.h"
#include "weather/WeatherReport.h"
#include "weather/WeatherRequest.h"

class CHttpClient;

// NOAA's two services: the METAR station files and the NDFD forecast over SOAP, both through
// the same HTTP client. Each call owns everything it uses apart from the client; calls may run
// on any thread that owns its client.
class WeatherServiceNoaa {
public:
    // Downloads the station file of the request's station and decodes it. Throws the
    // download's and the decoder's exceptions.
    static CCurrentWeather GetCurrentWeather(CHttpClient& client, const NoaaAddresses& addresses,
                                             const CWeatherRequest& request);
    // A new report holding the current weather only; its forecast keeps the 1990 defaults.
    static CPtr<CWeatherReport> GetWeatherReport(CHttpClient& client, const NoaaAddresses& addresses,
                                                 const CWeatherRequest& request);

    // The 7-day 12-hourly forecast at the request's position, starting today (local date).
    // Throws ApplicationException "WeatherServiceNoaa::GetForecast (63)" for every failure of
    // the call (network, HTTP status, SOAP fault), and the DWML decoder's exceptions.
    static CForecast GetForecast(CHttpClient& client, const NoaaAddresses& addresses,
                                 const CWeatherRequest& request);
    // Current weather first, then the forecast; if either throws there is no report at all.
    static CPtr<CWeatherReport> GetWeatherReportWithForecast(CHttpClient& client,
                                                             const NoaaAddresses& addresses,
                                                             const CWeatherRequest& request);

    // The request's parameters as sent: latitude and longitude "%.3f", the date
    // "YYYY-MM-DD", seven days, "12 hourly".
    struct ForecastParameters {
        std::string Latitude;
        std::string Longitude;
        std::string StartDate;
        std::string NumDays;
        std::string Format;
    };
    static ForecastParameters MakeForecastParameters(const CWeatherRequest& request);
};
