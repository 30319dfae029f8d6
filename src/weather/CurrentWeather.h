#pragma once
#include "core/DateTime.h"
#include "weather/ReportTime.h"
#include "weather/Temperature.h"
#include "weather/WeatherCode.h"

#include <string>

// One observation, copied whole wherever it goes.
class CCurrentWeather {
public:
    DateTime ReportDateTime = NoReportYet(); // UTC instant of the observation
    Nullable<EnumWeatherCode> WeatherCode;
    Nullable<float> Temprature; // degrees Celsius
    Nullable<float> DewPoint;   // degrees Celsius

    // An observation 3 hours old or older is shown as no data.
    bool IsRecent() const;
    Nullable<int> TempratureInUnit(bool metric) const;
    // "21°" while the observation is recent and has a temperature; otherwise the fallback.
    std::wstring TempratureText(const std::wstring& fallback, bool metric) const;
};
