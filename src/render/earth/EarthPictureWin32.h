#pragma once
#include "data/Options.h"
#include "render/EarthLayout.h"

#include "render/earth/GdiplusWin32.h"
#include <functional>

// The Earth picture: the options' region of the day image under the night overlay, whose
// alpha follows this moment's day/night boundary and twilight, with the cities' markers on top.
// Everything here runs on the main thread.

// The small weather icon of a code by day or night; null when there is none.
using SmallIconSource = std::function<Gdiplus::Image*(bool daytime, const Nullable<EnumWeatherCode>& code)>;

// The shared images the picture draws from; set by the start-up once they are loaded, before
// any of the functions below runs, and kept until ReleaseEarthPicture.
void UseEarthPictureImages(Gdiplus::Image* night, SmallIconSource smallIcon);

// Recomputes the day/night mask for today's UTC date, one byte per pixel of the night image.
void BuildDayNightMask();
// Makes the night overlay when there is none, builds the mask when it is empty, and gives the
// overlay the mask's alpha for the current UTC time of day.
void RefreshNightOverlay();

// The region's part of a world image stretched onto the destination; a missing image draws
// nothing.
void DrawRegion(Gdiplus::Graphics& graphics, const EarthRegion& region, Gdiplus::Image* image, int destX,
                int destY, int destWidth, int destHeight);

// The whole picture in the rectangle: day layer, night overlay, then the markers when the
// options show the weather.
void DrawEarthPicture(Gdiplus::Graphics& graphics, COptions& options, int x, int y, int width, int height);

// One city's marker at its pixel, drawing what the flags ask.
void DrawCityMarker(Gdiplus::Graphics& graphics, const City& city, const COptions& options, bool drawNames,
                    bool drawTemperatures, bool drawIcon, int pixelX, int pixelY);

// Releases the overlay, the mask and the scaled layers; called before GDI+ shuts down.
void ReleaseEarthPicture();
