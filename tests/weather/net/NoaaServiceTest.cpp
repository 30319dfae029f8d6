#include "FakeNoaa.h"
#include "core/Clock.h"
#include "weather/Http.h"
#include "weather/WeatherServiceNoaa.h"

#include <gtest/gtest.h>
#include <rapidxml/rapidxml.hpp>

namespace {

CWeatherRequest Washington() {
    CWeatherRequest request;
    request.CityId = 17;
    request.Latitude = 38.99f;
    request.Longitude = -77.01f;
    request.Icao = L"KLAX";
    return request;
}

CForecast Forecast(const NoaaAddresses& addresses) {
    CHttpClient client(HttpLimits(), FakeNoaaCaFile());
    return WeatherServiceNoaa::GetForecast(client, addresses, Washington());
}

std::wstring ForecastFailureOf(const NoaaAddresses& addresses) {
    try {
        Forecast(addresses);
    } catch (const ApplicationException& e) {
        return e.Location;
    }
    return L"no exception";
}

void ExpectTheForecastFile(const CForecast& forecast) {
    ASSERT_EQ(13u, forecast.Items.size());
    EXPECT_EQ(DateTime(2008, 1, 7, 6, 0, 0), forecast.Items[0].Start);
    EXPECT_EQ(L"Partly Sunny", forecast.Items[0].WeatherSummary);
    EXPECT_EQ(EnumWeatherCode::PartlyCloudy, forecast.Items[0].WeatherCode.Value());
    EXPECT_EQ(EnumWeatherCode::Windy, forecast.Items[12].WeatherCode.Value());
}

} // namespace

TEST(NoaaService, FetchesAndDecodesTheStationFile) {
    CHttpClient client(HttpLimits(), FakeNoaaCaFile());
    const CCurrentWeather weather =
        WeatherServiceNoaa::GetCurrentWeather(client, FakeNoaaAddresses(), Washington());
    EXPECT_EQ(DateTime(2008, 1, 7, 18, 53, 0), weather.ReportDateTime);
    EXPECT_EQ(EnumWeatherCode::PartlyCloudy, weather.WeatherCode.Value());
    EXPECT_EQ(18, weather.Temprature.Value());
    EXPECT_EQ(9, weather.DewPoint.Value());

    CWeatherRequest lowerCase = Washington();
    lowerCase.Icao = L"KSFO";
    const CPtr<CWeatherReport> report =
        WeatherServiceNoaa::GetWeatherReport(client, FakeNoaaAddresses(), lowerCase);
    EXPECT_EQ(17, report->CityId);
    EXPECT_EQ(EnumWeatherCode::MostlyCloudy, report->CurrentWeather.WeatherCode.Value());
    // No forecast was asked for: it keeps the time that never replaces a city's.
    EXPECT_EQ(DateTime(1990, 1, 1, 0, 0, 0), report->Forecast.ReportDateTime);

    // The same over https, and from the plain address that redirects to it.
    const NoaaAddresses secure = FakeNoaaAddresses("default", "ok", FakeNoaaPort::Https);
    EXPECT_EQ(EnumWeatherCode::PartlyCloudy,
              WeatherServiceNoaa::GetCurrentWeather(client, secure, Washington()).WeatherCode.Value());
    NoaaAddresses redirected;
    redirected.ObservationUrlTemplate = FakeNoaaUrl("/to-https/301/data/observations/metar/stations/%s.TXT");
    EXPECT_EQ(18, WeatherServiceNoaa::GetCurrentWeather(client, redirected, Washington()).Temprature.Value());
}

TEST(NoaaService, FailsForAnUnknownStation) {
    CHttpClient client;
    CWeatherRequest unknown = Washington();
    unknown.Icao = L"XXXX";
    try {
        WeatherServiceNoaa::GetWeatherReport(client, FakeNoaaAddresses(), unknown);
        ADD_FAILURE() << "no exception";
    } catch (const ApplicationException& e) {
        EXPECT_EQ(L"Util::DownloadHttp (18)", e.Location);
    }
}

TEST(NoaaService, SendsTheForecastRequestAsTheServiceDefinesIt) {
    FixedClock clock(DateTime(2008, 1, 8, 2, 0, 0), DateTime(2008, 1, 7, 21, 0, 0));
    ExpectTheForecastFile(Forecast(FakeNoaaAddresses("shape")));

    const std::string sent = FakeNoaaLastForecastRequest("shape");
    EXPECT_NE(
        std::string::npos,
        sent.find(
            "SOAPAction: \"http://www.weather.gov/forecasts/xml/DWMLgen/wsdl/ndfdXML.wsdl#NDFDgenByDay\""))
        << sent;
    EXPECT_NE(std::string::npos,
              sent.find("xmlns:ns1=\"http://www.weather.gov/forecasts/xml/DWMLgen/wsdl/ndfdXML.wsdl\""));
    EXPECT_NE(std::string::npos,
              sent.find("SOAP-ENV:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\""));
    // The five parameters in order, each text with its schema type.
    const char* parameters[] = {
        "<ns1:NDFDgenByDay>",
        "<latitude xsi:type=\"xsd:decimal\">38.990</latitude>",
        "<longitude xsi:type=\"xsd:decimal\">-77.010</longitude>",
        "<startDate xsi:type=\"xsd:date\">2008-01-07</startDate>",
        "<numDays xsi:type=\"xsd:integer\">7</numDays>",
        "<format xsi:type=\"xsd:string\">12 hourly</format>",
        "</ns1:NDFDgenByDay>",
    };
    size_t position = 0;
    for (const char* parameter : parameters) {
        const size_t found = sent.find(parameter, position);
        EXPECT_NE(std::string::npos, found) << parameter << " after position " << position << " in\n" << sent;
        position = found == std::string::npos ? position : found;
    }
}

TEST(NoaaService, DecodesRepliesInTheServicesNewerNamespace) {
    ExpectTheForecastFile(Forecast(FakeNoaaAddresses("moved", "moved-namespace")));
}

TEST(NoaaService, ReportsEveryFailedForecastCallAlike) {
    const std::wstring failed = L"WeatherServiceNoaa::GetForecast (63)";
    EXPECT_EQ(failed, ForecastFailureOf(FakeNoaaAddresses("fault", "fault")));
    EXPECT_EQ(failed, ForecastFailureOf(FakeNoaaAddresses("http500", "http500")));
    EXPECT_EQ(failed, ForecastFailureOf(FakeNoaaAddresses("notfound", "notfound")));
    NoaaAddresses nobody;
    nobody.ForecastEndpoint = L"http://127.0.0.1:1/xml/SOAP_server/ndfdXMLserver.php";
    EXPECT_EQ(failed, ForecastFailureOf(nobody));
    nobody.ForecastEndpoint = L"not an address";
    EXPECT_EQ(failed, ForecastFailureOf(nobody));
    // Over https: a refused certificate, and a redirect down to http.
    EXPECT_EQ(failed, ForecastFailureOf(FakeNoaaAddresses("untrusted", "ok", FakeNoaaPort::Untrusted)));
    NoaaAddresses down;
    down.ForecastEndpoint = FakeNoaaUrl("/to-http/307/soap/down/ok/ndfdXMLserver.php", FakeNoaaPort::Https);
    EXPECT_EQ(failed, ForecastFailureOf(down));
    // See Other turns the request into a GET, which the service does not answer.
    NoaaAddresses seeOther;
    seeOther.ForecastEndpoint = FakeNoaaUrl("/redirect/303/0/soap/see/ok/ndfdXMLserver.php");
    EXPECT_EQ(failed, ForecastFailureOf(seeOther));
    // A reply nested far deeper than any forecast reaches the decoder, which refuses it before
    // the parser could exhaust the stack.
    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (158)", ForecastFailureOf(FakeNoaaAddresses("deep", "deep")));
    // A reply that arrives but is no DWML is the decoder's failure.
    EXPECT_THROW(Forecast(FakeNoaaAddresses("badxml", "badxml")), rapidxml::parse_error);
}

TEST(NoaaService, FetchesTheForecastOverHttpsAndThroughRedirects) {
    ExpectTheForecastFile(Forecast(FakeNoaaAddresses("secure", "ok", FakeNoaaPort::Https)));
    EXPECT_NE(std::string::npos,
              FakeNoaaLastForecastRequest("secure").find("<format xsi:type=\"xsd:string\">12 hourly"));
    // NOAA answers its old plain address with a permanent redirect to the secure one.
    for (int status : {301, 302, 307, 308}) {
        const std::string token = "up" + std::to_string(status);
        NoaaAddresses addresses;
        addresses.ForecastEndpoint =
            FakeNoaaUrl("/to-https/" + std::to_string(status) + "/soap/" + token + "/ok/ndfdXMLserver.php");
        ExpectTheForecastFile(Forecast(addresses));
        EXPECT_NE(std::string::npos, FakeNoaaLastForecastRequest(token).find("</ns1:NDFDgenByDay>"))
            << status;
    }
}

TEST(NoaaService, BuildsAWholeReportOrNone) {
    CHttpClient client(HttpLimits(), FakeNoaaCaFile());
    const CPtr<CWeatherReport> report =
        WeatherServiceNoaa::GetWeatherReportWithForecast(client, FakeNoaaAddresses("whole"), Washington());
    EXPECT_EQ(17, report->CityId);
    EXPECT_EQ(DateTime(2008, 1, 7, 18, 53, 0), report->CurrentWeather.ReportDateTime);
    ExpectTheForecastFile(report->Forecast);
    EXPECT_GT(report->Forecast.ReportDateTime, DateTime(2020, 1, 1, 0, 0, 0));

    // A failed forecast takes the fresh observation down with it.
    EXPECT_THROW(WeatherServiceNoaa::GetWeatherReportWithForecast(client, FakeNoaaAddresses("half", "fault"),
                                                                  Washington()),
                 ApplicationException);
}
