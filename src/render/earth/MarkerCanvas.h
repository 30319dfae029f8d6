#pragma once
#include "core/Nullable.h"
#include "render/EarthLayout.h"
#include "weather/WeatherCode.h"

#include <cstdint>
#include <string>

// The two text styles of the city markers, made once per picture from the options.
enum class MarkerFont { CityName, CityTemprature };

// What the city markers need from a drawing surface. The marker rules are the same on every
// surface; only the icons, measuring and drawing belong to the surface.
class IMarkerCanvas {
public:
    virtual ~IMarkerCanvas() = default;

    // The size of the small icon of the code by day or by night; false when there is none.
    virtual bool SmallIconSize(bool daytime, const Nullable<EnumWeatherCode>& code, int& width,
                               int& height) = 0;
    virtual void DrawSmallIcon(bool daytime, const Nullable<EnumWeatherCode>& code,
                               const PixelRect& rect) = 0;
    // The bounds of the whole text laid out from the origin, unwrapped.
    virtual TextSize MeasureText(const std::wstring& text, MarkerFont font, BoxAlign horizontal) = 0;
    virtual void DrawLabel(const std::wstring& text, MarkerFont font, uint32_t argb, const TextBox& box) = 0;
};
