#include "data/City.h"

#include "render/Sun.h"

bool City::IsDaytime() const {
    try {
        return CSun::IsDaytime(Latitude, Longitude, DateTime::UtcNow());
    } catch (...) {
        return true;
    }
}

void City::UpdateWeather(const CWeatherReport& report) {
    TakeNewerWeather(report.CurrentWeather, report.Forecast);
}

void City::TakeNewerWeather(const CCurrentWeather& currentWeather, const CForecast& forecast) {
    if (currentWeather.ReportDateTime > CurrentWeather.ReportDateTime) {
        CurrentWeather = currentWeather;
    }
    if (forecast.ReportDateTime > Forecast.ReportDateTime) {
        Forecast = forecast;
    }
}
