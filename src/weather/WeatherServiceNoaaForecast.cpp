#include "weather/WeatherServiceNoaa.h"

#include "core/ApplicationException.h"
#include "core/Encoding.h"
#include "weather/Http.h"
#include "weather/NoaaDwml.h"

#include "soapndfdXMLBindingProxy.h"

// The namespace table the gSOAP runtime looks up by name, as generated from the service
// definition.
#include "ndfdXMLBinding.nsmap"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* ForecastFailed = "WeatherServiceNoaa::GetForecast (63)";

// The proxy only encodes the request into a buffer and decodes the reply from one: the bytes
// travel through the program's HTTP client, with its TLS, proxies, redirects and limits, and
// gSOAP's own sockets are never opened. Nothing here may throw into gSOAP.
struct SoapBuffers {
    std::string Request;
    std::string Reply;
    size_t ReplyRead = 0;
};

SoapBuffers& BuffersOf(soap* context) {
    return *static_cast<SoapBuffers*>(context->user);
}

int Connect(soap*, const char*, const char*, int) {
    return SOAP_OK;
}

int Disconnect(soap*) {
    return SOAP_OK;
}

int Encode(soap* context, const char* data, size_t size) {
    try {
        BuffersOf(context).Request.append(data, size);
    } catch (...) {
        return SOAP_EOM;
    }
    return SOAP_OK;
}

size_t Decode(soap* context, char* data, size_t size) {
    SoapBuffers& buffers = BuffersOf(context);
    const size_t count = std::min(size, buffers.Reply.size() - buffers.ReplyRead);
    std::memcpy(data, buffers.Reply.data() + buffers.ReplyRead, count);
    buffers.ReplyRead += count;
    return count;
}

} // namespace

CForecast WeatherServiceNoaa::GetForecast(CHttpClient& client, const NoaaAddresses& addresses,
                                          const CWeatherRequest& request) {
    const ForecastParameters parameters = MakeForecastParameters(request);
    HttpRequest post;
    if (!UtilHttp::SplitUrl(addresses.ForecastEndpoint, post.Url)) {
        ThrowApplicationException(ForecastFailed);
    }
    std::string dwml;
    {
        SoapBuffers buffers;
        // Plain XML both ways: the HTTP envelope is the client's business. The proxy's
        // destructor releases everything the call allocated.
        ndfdXMLBindingProxy proxy(SOAP_ENC_PLAIN);
        proxy.user = &buffers;
        proxy.fconnect = Connect;
        proxy.fclose = Disconnect;
        proxy.fsend = Encode;
        proxy.frecv = Decode;
        const std::string endpoint = ToUtf8(addresses.ForecastEndpoint);
        if (proxy.send_NDFDgenByDay(endpoint.c_str(), nullptr, parameters.Latitude, parameters.Longitude,
                                    parameters.StartDate, parameters.NumDays, parameters.Format) != SOAP_OK ||
            proxy.action == nullptr) {
            ThrowApplicationException(ForecastFailed);
        }
        post.Post = true;
        post.Headers = {"Content-Type: text/xml; charset=utf-8",
                        "SOAPAction: \"" + std::string(proxy.action) + "\""};
        post.Body = std::move(buffers.Request);
        HttpReply reply;
        if (!UtilHttp::Exchange(client, std::move(post), reply)) {
            ThrowApplicationException(ForecastFailed);
        }
        buffers.Reply = std::move(reply.Body);
        if (proxy.recv_NDFDgenByDay(dwml) != SOAP_OK) {
            ThrowApplicationException(ForecastFailed);
        }
    }
    CForecast forecast;
    NoaaDwml::Parse12HourlyForecast(dwml, forecast);
    return forecast;
}
