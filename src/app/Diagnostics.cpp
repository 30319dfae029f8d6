#include "app/Diagnostics.h"

#include "core/TimeSpan.h"

#include <cmath>

namespace {
const City* CityAt(const COptions& options, int64_t index) {
    if (!options.HomeCity.IsEmpty()) {
        if (index == 0) {
            return &*options.HomeCity;
        }
        --index;
    }
    if (options.Cities.IsEmpty() || index < 0 || index >= static_cast<int64_t>(options.Cities->size())) {
        return nullptr;
    }
    return &(*options.Cities)[static_cast<size_t>(index)];
}
} // namespace

int64_t AnswerCityDiagnostics(const COptions& options, DiagnosticsQuery query, int64_t index) {
    if (query == DiagnosticsQuery::Cities) {
        return (options.HomeCity.IsEmpty() ? 0 : 1) +
               (options.Cities.IsEmpty() ? 0 : static_cast<int64_t>(options.Cities->size()));
    }
    const City* city = CityAt(options, index);
    if (city == nullptr) {
        return NoDiagnosticsAnswer;
    }
    const CCurrentWeather& weather = city->CurrentWeather;
    if (query == DiagnosticsQuery::ObservationMinute) {
        constexpr int64_t UnixEpochTicks = 621355968000000000;
        return (weather.ReportDateTime.Ticks() - UnixEpochTicks) / TimeSpan::TicksPerMinute;
    }
    if (query == DiagnosticsQuery::Temperature && weather.Temprature.HasValue()) {
        return std::lround(weather.Temprature.Value() * 10);
    }
    return NoDiagnosticsAnswer;
}
