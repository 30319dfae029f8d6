#pragma once
#include <string>

// What one city's download needs, copied on the main thread so that the worker never touches
// a City.
class CWeatherRequest {
public:
    int CityId = 0;
    float Latitude = 0;  // degrees, north positive
    float Longitude = 0; // degrees, east positive
    std::wstring Icao;   // the station, as stored
};
