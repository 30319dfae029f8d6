#pragma once
#include "render/PictureLayout.h"
#include "render/Region.h"

// The geometry of the Earth picture, apart from any drawing surface: where a region lies in a
// world image, where a place lies in the picture, and where a city marker's icon and texts go.

struct PixelPoint {
    int X = 0;
    int Y = 0;

    bool operator==(const PixelPoint&) const = default;
};

struct TextSize {
    float Width = 0;
    float Height = 0;
};

enum class BoxAlign { Near, Center, Far };

// A layout box for one text: no wrapping, no clipping, so the box only anchors the text.
struct TextBox {
    float X = 0;
    float Y = 0;
    float Width = 0;
    float Height = 0;
    BoxAlign Horizontal = BoxAlign::Near;
    BoxAlign Vertical = BoxAlign::Near;

    bool operator==(const TextBox&) const = default;
};

// The pixels of a world image (longitude -180 at the left edge, latitude 90 at the top, in
// equirectangular projection) that the region covers, corners rounded to whole pixels.
PixelRect RegionSourceRect(const EarthRegion& region, int imageWidth, int imageHeight);

// A place under the region's map onto the picture rectangle: West to x, East to x + width,
// North to y, South to y + height, truncated to whole pixels.
PixelPoint ProjectToPicture(const EarthRegion& region, double longitude, double latitude,
                            const PixelRect& picture);

struct MarkerIcon {
    PixelRect Rect;
    double Scale = 1;
};

// The icon centred on the city's pixel at the scale in percent. Without an icon it is the
// 1 x 1 rectangle at the pixel at scale 1, which anchors the texts the same way.
MarkerIcon MarkerIconAt(PixelPoint city, bool hasIcon, int iconWidth, int iconHeight, int scalePercent);

struct MarkerTextLine {
    TextBox Name;
    TextBox Temperature;
};

// Name and temperature as one line centred on the city, from their measured sizes. The line
// covers the icon's lower quarter, or less when the texts are lower than that.
MarkerTextLine MarkerTextLineAt(PixelPoint city, const MarkerIcon& icon, TextSize name, TextSize temperature);

// A lone name or temperature, centred under the icon's upper quarter.
TextBox LoneMarkerTextAt(PixelPoint city, const MarkerIcon& icon);

// The name of a city without recent weather: centred on the city's pixel, its top there.
TextBox StaleCityNameAt(PixelPoint city);
