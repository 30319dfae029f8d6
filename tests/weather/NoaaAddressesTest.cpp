#include "weather/NoaaAddresses.h"
#include "core/Clock.h"
#include "weather/WeatherServiceNoaa.h"

#include <gtest/gtest.h>

TEST(NoaaAddresses, BuildsTheStationFileAddressFromTheTemplate) {
    const NoaaAddresses defaults;
    EXPECT_EQ(L"https://tgftp.nws.noaa.gov/data/observations/metar/stations/KLAX.TXT",
              defaults.ObservationUrl(L"KLAX"));
    EXPECT_EQ(L"https://digital.weather.gov/xml/SOAP_server/ndfdXMLserver.php", defaults.ForecastEndpoint);
    // The station goes in as stored: no case change, no escaping.
    const NoaaAddresses custom =
        NoaaAddresses::From(L"http://127.0.0.1:8080/metar?station=%s&format=txt", L"");
    EXPECT_EQ(L"http://127.0.0.1:8080/metar?station=klax&format=txt", custom.ObservationUrl(L"klax"));
}

TEST(NoaaAddresses, KeepsTheDefaultForAnUnusableValue) {
    const NoaaAddresses defaults;
    for (const wchar_t* unusable : {L"", L"http://example.org/KLAX.TXT", L"http://example.org/%s/%s.TXT",
                                    L"http://example.org/%d.TXT", L"http://example.org/100%/%s.TXT",
                                    L"ftp://tgftp.nws.noaa.gov/data/observations/metar/stations/%s.TXT",
                                    L"http://example.org/%s .TXT", L"%s"}) {
        EXPECT_EQ(defaults.ObservationUrlTemplate, NoaaAddresses::From(unusable, L"").ObservationUrlTemplate)
            << unusable;
    }
    for (const wchar_t* unusable :
         {L"", L"https:/digital.weather.gov/xml/SOAP_server/ndfdXMLserver.php", L"digital.weather.gov",
          L"http://graphical.weather.gov/a b", L"ftp://x/"}) {
        EXPECT_EQ(defaults.ForecastEndpoint, NoaaAddresses::From(L"", unusable).ForecastEndpoint) << unusable;
    }
    const NoaaAddresses usable =
        NoaaAddresses::From(L"http://%s.example.org/latest.TXT", L"http://127.0.0.1:1234/ndfdXMLserver.php");
    EXPECT_EQ(L"http://%s.example.org/latest.TXT", usable.ObservationUrlTemplate);
    EXPECT_EQ(L"http://127.0.0.1:1234/ndfdXMLserver.php", usable.ForecastEndpoint);
    // NOAA's older plain addresses and its current secure ones are both usable.
    const NoaaAddresses older =
        NoaaAddresses::From(L"http://tgftp.nws.noaa.gov/pub/data/observations/metar/stations/%s.TXT",
                            L"http://graphical.weather.gov/xml/SOAP_server/ndfdXMLserver.php");
    EXPECT_EQ(L"http://tgftp.nws.noaa.gov/pub/data/observations/metar/stations/KLAX.TXT",
              older.ObservationUrl(L"KLAX"));
    EXPECT_EQ(L"http://graphical.weather.gov/xml/SOAP_server/ndfdXMLserver.php", older.ForecastEndpoint);
    const NoaaAddresses secure =
        NoaaAddresses::From(L"HTTPS://127.0.0.1:8443/%s.TXT", L"https://127.0.0.1:8443/ndfdXMLserver.php");
    EXPECT_EQ(L"HTTPS://127.0.0.1:8443/%s.TXT", secure.ObservationUrlTemplate);
    EXPECT_EQ(L"https://127.0.0.1:8443/ndfdXMLserver.php", secure.ForecastEndpoint);
}

TEST(WeatherServiceNoaa, FormatsTheForecastRequest) {
    // Today is the local date, which may differ from the UTC one.
    FixedClock clock(DateTime(2008, 1, 8, 2, 0, 0), DateTime(2008, 1, 7, 21, 0, 0));
    CWeatherRequest request;
    request.Latitude = 38.99f;
    request.Longitude = -77.01f;
    WeatherServiceNoaa::ForecastParameters parameters = WeatherServiceNoaa::MakeForecastParameters(request);
    EXPECT_EQ("38.990", parameters.Latitude);
    EXPECT_EQ("-77.010", parameters.Longitude);
    EXPECT_EQ("2008-01-07", parameters.StartDate);
    EXPECT_EQ("7", parameters.NumDays);
    EXPECT_EQ("12 hourly", parameters.Format);

    request.Latitude = 0.0005f;
    request.Longitude = -179.9996f;
    parameters = WeatherServiceNoaa::MakeForecastParameters(request);
    EXPECT_EQ("0.001", parameters.Latitude);
    EXPECT_EQ("-180.000", parameters.Longitude);
}
