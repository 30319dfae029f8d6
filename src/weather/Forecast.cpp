#include "weather/Forecast.h"

Nullable<int> CForecastItem::TempratureInUnit(ForecastTemprature which, bool metric) const {
    return ::TempratureInUnit(which == ForecastTemprature::Min ? TempratureMin : TempratureMax, metric);
}

std::wstring CForecastItem::TempratureText(bool metric) const {
    const Nullable<int> high = TempratureInUnit(ForecastTemprature::Max, metric);
    const Nullable<int> low = TempratureInUnit(ForecastTemprature::Min, metric);
    std::wstring text = high.HasValue() ? DegreesText(high.Value()) : L"--";
    text += L"/";
    text += low.HasValue() ? DegreesText(low.Value()) : L"--";
    return text;
}

bool CForecast::IsRecent() const {
    return IsRecentReport(ReportDateTime);
}
