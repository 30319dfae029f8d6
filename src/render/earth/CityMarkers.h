#pragma once
#include "data/Options.h"
#include "render/earth/MarkerCanvas.h"

#include <vector>

// The cities of the Earth picture in drawing order: the favourites in list order, then the
// home city, so the home city's marker is on top. A home city that is also a favourite comes
// twice.
std::vector<const City*> MarkerCities(const COptions& options);

// One city's marker at its pixel. Each flag says what this call draws; every call computes the
// same layout, so separate passes line up.
void DrawCityMarker(IMarkerCanvas& canvas, const City& city, const COptions& options, bool drawNames,
                    bool drawTemperatures, bool drawIcon, PixelPoint pixel);

// Every city's marker on the picture of the options' region: all names, then all icons, then
// all temperatures, so no icon covers a text.
void DrawCityMarkers(IMarkerCanvas& canvas, const COptions& options, const PixelRect& picture);
