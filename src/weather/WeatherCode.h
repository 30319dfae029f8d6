#pragma once
#include "core/Nullable.h"

#include <cstdint>

// The condition of an observation or forecast period. The numeric order is a severity order:
// the METAR decoder keeps the larger of two candidates, so never reorder.
enum class EnumWeatherCode : int32_t {
    Clear = 0,
    Fair = 1,
    Fog = 2,
    Haze = 3,
    PartlyCloudy = 4,
    MostlyCloudy = 5,
    Cloudy = 6,
    Cold = 7,
    Hot = 8,
    Windy = 9,
    RainShowers = 10,
    SnowShowers = 11,
    HailShowers = 12,
    Rain = 13,
    Snow = 14,
    RainAndSnow = 15,
    Hail = 16,
    Thunderstorms = 17,
    Tornado = 18,
};

constexpr int WeatherCodeCount = 19;

template <> struct NullableLocation<EnumWeatherCode> {
    static constexpr const char* Value = "Nullable<enum EnumWeatherCode>::Value (20)";
};
