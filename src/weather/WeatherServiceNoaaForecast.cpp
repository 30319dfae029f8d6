#include "weather/WeatherServiceNoaa.h"

#include "core/ApplicationException.h"
#include "core/Encoding.h"
#include "weather/NoaaDwml.h"

#include "soapndfdXMLBindingProxy.h"

// The namespace table the gSOAP runtime looks up by name, as generated from the service
// definition.
#include "ndfdXMLBinding.nsmap"

namespace {

// Time-outs in seconds. The service may take a while to compose a week of forecast, so its
// reply is given longer than a station file.
constexpr int ConnectTimeout = 10;
constexpr int SendTimeout = 10;
constexpr int ReceiveTimeout = 30;
// A week of forecast is a few dozen kilobytes.
constexpr ULONG64 MaxReplyBytes = 4 * 1024 * 1024;

} // namespace

CForecast WeatherServiceNoaa::GetForecast(const NoaaAddresses& addresses, const CWeatherRequest& request) {
    const ForecastParameters parameters = MakeForecastParameters(request);
    const std::string endpoint = ToUtf8(addresses.ForecastEndpoint);
    std::string dwml;
    {
        // The proxy's destructor releases everything the call allocated.
        ndfdXMLBindingProxy proxy;
        proxy.connect_timeout = ConnectTimeout;
        proxy.send_timeout = SendTimeout;
        proxy.recv_timeout = ReceiveTimeout;
        proxy.recv_maxlength = MaxReplyBytes;
        if (proxy.NDFDgenByDay(endpoint.c_str(), nullptr, parameters.Latitude, parameters.Longitude,
                               parameters.StartDate, parameters.NumDays, parameters.Format,
                               dwml) != SOAP_OK) {
            ThrowApplicationException("WeatherServiceNoaa::GetForecast (63)");
        }
    }
    CForecast forecast;
    NoaaDwml::Parse12HourlyForecast(dwml, forecast);
    return forecast;
}
