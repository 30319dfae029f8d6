#include "weather/WeatherIcons.h"

namespace {
constexpr const wchar_t* DayIcons[WeatherCodeCount] = {
    L"Clear.png",         L"Fair.png",   L"Fog.png",           L"Haze.png",          L"Partly Cloudy.png",
    L"Mostly Cloudy.png", L"Cloudy.png", L"Cold.png",          L"Clear.png",         L"Windy.png",
    L"Rain Showers.png",  L"Snow.png",   L"Hail.png",          L"Rain.png",          L"Snow.png",
    L"Rain and Snow.png", L"Hail.png",   L"Thunderstorms.png", L"Thunderstorms.png",
};

constexpr const wchar_t* NightIcons[WeatherCodeCount] = {
    L"Night Clear.png",
    L"Night Fair.png",
    L"Fog.png",
    L"Haze.png",
    L"Night Partly Cloudy.png",
    L"Night Mostly Cloudy.png",
    L"Cloudy.png",
    L"Cold.png",
    L"Clear.png",
    L"Windy.png",
    L"Rain Showers.png",
    L"Snow.png",
    L"Hail.png",
    L"Rain.png",
    L"Snow.png",
    L"Rain and Snow.png",
    L"Hail.png",
    L"Thunderstorms.png",
    L"Thunderstorms.png",
};
} // namespace

const wchar_t* WeatherIconFileName(const Nullable<EnumWeatherCode>& code, bool daytime) {
    if (!code.HasValue()) {
        return nullptr;
    }
    const auto index = static_cast<int>(code.Value());
    if (index < 0 || index >= WeatherCodeCount) {
        return nullptr;
    }
    return daytime ? DayIcons[index] : NightIcons[index];
}
