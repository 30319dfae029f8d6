#pragma once
#include "core/DateTime.h"
#include "weather/ReportTime.h"
#include "weather/Temperature.h"
#include "weather/WeatherCode.h"

#include <string>
#include <vector>

enum class ForecastTemprature { Min, Max };

// One period of the forecast, normally 12 hours. Start and End are the wall-clock times the
// reply wrote; their offset is dropped.
class CForecastItem {
public:
    DateTime Start;
    DateTime End;
    std::wstring WeatherSummary;
    Nullable<EnumWeatherCode> WeatherCode;
    Nullable<float> TempratureMin; // degrees Celsius, for the calendar date of Start
    Nullable<float> TempratureMax;

    Nullable<int> TempratureInUnit(ForecastTemprature which, bool metric) const;
    // Maximum over minimum: "45°/30°", "--/30°", "45°/--".
    std::wstring TempratureText(bool metric) const;
};

class CForecast {
public:
    DateTime ReportDateTime = NoReportYet(); // UTC instant the reply was decoded
    std::vector<CForecastItem> Items;

    // A forecast decoded 3 hours ago or earlier is shown as no data.
    bool IsRecent() const;
};
