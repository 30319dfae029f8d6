#pragma once
#include "core/Nullable.h"
#include "weather/WeatherCode.h"

#include "render/earth/GdiplusWin32.h"
#include <cstdint>

// The night overlay as the picture draws it: null until RefreshNightOverlay has made it. Its
// version changes with every new alpha, so scaled copies know when they are stale.
Gdiplus::Bitmap* NightOverlay();
uint64_t NightOverlayVersion();

// The small icon of a code through the images given to UseEarthPictureImages; null when none.
Gdiplus::Image* SmallWeatherIconOf(bool daytime, const Nullable<EnumWeatherCode>& code);
// Part of ReleaseEarthPicture.
void ReleaseNightLayer();
