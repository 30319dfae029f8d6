#include "FakeNoaa.h"
#include "weather/Http.h"
#include "weather/WeatherServiceNoaa.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// A key of the test's own, so that the program's settings are never touched.
const wchar_t* const Key = L"Software\\Orbimeteo-NoaaServiceTest";

void SetValue(const wchar_t* name, const std::wstring& value) {
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, Key, name, REG_SZ, value.c_str(), bytes));
}

} // namespace

// The way the program goes: addresses from the registry, both services over https through
// WinHTTP with the system's trust store, one client for the whole report.
TEST(NoaaServiceWindows, FetchesAWholeReportOverHttpsFromTheRegistrysAddresses) {
    RegDeleteTreeW(HKEY_CURRENT_USER, Key);
    const NoaaAddresses fake = FakeNoaaAddresses("registry", "ok", FakeNoaaPort::Https);
    SetValue(NoaaAddresses::ObservationUrlTemplateName, fake.ObservationUrlTemplate);
    SetValue(NoaaAddresses::ForecastEndpointName, fake.ForecastEndpoint);
    const NoaaAddresses addresses = NoaaAddresses::Read(Key);
    RegDeleteTreeW(HKEY_CURRENT_USER, Key);
    ASSERT_EQ(fake.ObservationUrlTemplate, addresses.ObservationUrlTemplate);
    ASSERT_EQ(fake.ForecastEndpoint, addresses.ForecastEndpoint);

    CWeatherRequest request;
    request.CityId = 3;
    request.Latitude = 33.938f;
    request.Longitude = -118.389f;
    request.Icao = L"KLAX";
    CHttpClient client;
    const CPtr<CWeatherReport> report =
        WeatherServiceNoaa::GetWeatherReportWithForecast(client, addresses, request);
    EXPECT_EQ(3, report->CityId);
    EXPECT_EQ(DateTime(2008, 1, 7, 18, 53, 0), report->CurrentWeather.ReportDateTime);
    EXPECT_EQ(EnumWeatherCode::PartlyCloudy, report->CurrentWeather.WeatherCode.Value());
    ASSERT_EQ(13u, report->Forecast.Items.size());
    EXPECT_EQ(L"Partly Sunny", report->Forecast.Items[0].WeatherSummary);
    EXPECT_NE(
        std::string::npos,
        FakeNoaaLastForecastRequest("registry").find("<latitude xsi:type=\"xsd:decimal\">33.938</latitude>"));
}
