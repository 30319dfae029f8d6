#pragma once
#include "core/Nullable.h"
#include "weather/WeatherCode.h"

// The picture file of a code, the same name in the small and the large icon folder. Several
// codes share a file, and some have no night picture of their own (Hot shows "Clear.png" by
// night too). Null when there is no code or it is outside 0 to 18.
const wchar_t* WeatherIconFileName(const Nullable<EnumWeatherCode>& code, bool daytime);

// Shown by the local weather window when there is no picture for the weather.
constexpr const wchar_t* NoDataIconFileName = L"NA.png";
