#pragma once
#include "core/CPtr.h"
#include "data/CityRecord.h"
#include "weather/CurrentWeather.h"
#include "weather/Forecast.h"
#include "weather/WeatherReport.h"

#include <vector>

// A favourite place: a station plus the latest weather downloaded for it. A new city has the
// 1990 times of "nothing downloaded yet".
class City : public CityRecord {
public:
    City() = default;
    explicit City(const CityRecord& record) : CityRecord(record) {}
    using CityRecord::CityRecord;

    CCurrentWeather CurrentWeather;
    CForecast Forecast;

    // Daylight at the current UTC instant; a position the sun computation rejects counts as day.
    bool IsDaytime() const;
    // Takes the report's observation and forecast, each only when strictly newer than the
    // city's, so a failed or missing part never replaces real data. The report's CityId is the
    // caller's business.
    void UpdateWeather(const CWeatherReport& report);
    // The same rule for weather held by another city.
    void TakeNewerWeather(const CCurrentWeather& currentWeather, const CForecast& forecast);
};

// The first record with the id, searched from the start; null when there is none.
template <class Record> const Record* FindById(const std::vector<Record>& records, int id) {
    for (const Record& record : records) {
        if (record.Id == id) {
            return &record;
        }
    }
    return nullptr;
}

template <> struct CPtrLocations<City> {
    static constexpr const char* Star = "CPtr<class City>::operator * (108)";
    static constexpr const char* Arrow = "CPtr<class City>::operator -> (114)";
};

template <> struct CPtrLocations<std::vector<City>> {
    static constexpr const char* Star =
        "CPtr<class std::vector<class City,class std::allocator<class City> > >::operator * (108)";
    static constexpr const char* Arrow =
        "CPtr<class std::vector<class City,class std::allocator<class City> > >::operator -> (114)";
};
