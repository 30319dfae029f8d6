#include "weather/CurrentWeather.h"

bool CCurrentWeather::IsRecent() const {
    return IsRecentReport(ReportDateTime);
}

Nullable<int> CCurrentWeather::TempratureInUnit(bool metric) const {
    return ::TempratureInUnit(Temprature, metric);
}

std::wstring CCurrentWeather::TempratureText(const std::wstring& fallback, bool metric) const {
    const Nullable<int> degrees = TempratureInUnit(metric);
    if (!IsRecent() || !degrees.HasValue()) {
        return fallback;
    }
    return DegreesText(degrees.Value());
}
