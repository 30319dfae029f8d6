#pragma once
// Read by the C++ code and by the resource compiler, so plain macros only.

// The local weather window's context menu: one pop-up, "Local Weather".
#define IDR_LOCAL_WEATHER 210

#define ID_LOCAL_WEATHER_CLOSE 32785
#define ID_LOCAL_WEATHER_CHANGE_LOCATION 32789
#define ID_LOCAL_WEATHER_OPTIONS 32791
#define ID_LOCAL_WEATHER_ICON_ONLY 32792
#define ID_LOCAL_WEATHER_ALWAYS_ON_TOP 32800
#define ID_LOCAL_WEATHER_SMALL 32826
#define ID_LOCAL_WEATHER_LARGE 32827
#define ID_LOCAL_WEATHER_EARTH 32830
