#pragma once
#include "data/Options.h"
#include "render/EarthLayout.h"
#include "render/GraphicsWin32.h"

// The Earth picture: the options' region of the day image under the night overlay, whose
// alpha follows this moment's day/night boundary and twilight, with the cities' markers on top.
// The night image and the small icons are the shared images (UtilGraphics). Everything here
// runs on the main thread.

// Recomputes the day/night mask for today's UTC date, one byte per pixel of the night image.
void BuildDayNightMask();
// Makes the night overlay when there is none, builds the mask when it is empty, and gives the
// overlay the mask's alpha for the current UTC time of day.
void RefreshNightOverlay();

// The region's part of a world image stretched onto the destination; an image that did not
// load draws nothing.
void DrawRegion(CGraphics& graphics, const EarthRegion& region, const CBitmap& image, int destX, int destY,
                int destWidth, int destHeight);

// The whole picture in the rectangle: day layer, night overlay, then the markers when the
// options show the weather.
void DrawEarthPicture(CGraphics& graphics, COptions& options, int x, int y, int width, int height);

// One city's marker at its pixel, drawing what the flags ask.
void DrawCityMarker(CGraphics& graphics, const City& city, const COptions& options, bool drawNames,
                    bool drawTemperatures, bool drawIcon, int pixelX, int pixelY);

// Releases the overlay, the mask and the scaled layers; called before the shared images and
// GDI+ go.
void ReleaseEarthPicture();
