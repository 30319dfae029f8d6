#pragma once
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

// A file of tests/weather/data: station files and forecast documents shaped like NOAA's, which
// the fake server hands out too.
inline std::string ReadWeatherData(const std::string& name) {
    std::ifstream in(std::string(ORBIMETEO_WEATHER_DATA) + "/" + name, std::ios::binary);
    if (!in) {
        throw std::runtime_error("missing test data " + name);
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
