#pragma once
#include "core/CPtr.h"
#include "weather/CurrentWeather.h"
#include "weather/Forecast.h"

// One city's fresh results, carried from a background download to the main thread. Parts not
// downloaded keep their 1990 times, so merging them changes nothing.
class CWeatherReport {
public:
    int CityId = 0;
    CCurrentWeather CurrentWeather;
    CForecast Forecast;
};

template <> struct CPtrLocations<CWeatherReport> {
    static constexpr const char* Star = "CPtr<class CWeatherReport>::operator * (108)";
    static constexpr const char* Arrow = "CPtr<class CWeatherReport>::operator -> (114)";
};
