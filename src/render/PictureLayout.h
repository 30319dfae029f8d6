#pragma once

// The arithmetic of the pictures' layout, apart from the drawing so it can be checked
// natively. Rectangles are position plus size, in pixels.
struct PictureRect {
    float X = 0;
    float Y = 0;
    float Width = 0;
    float Height = 0;

    bool operator==(const PictureRect&) const = default;
};

struct PixelRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;

    bool operator==(const PixelRect&) const = default;
};

// The image fitted into the area with its aspect ratio kept, centred along the other side.
// An image without pixels (one that failed to load) gets an empty rectangle.
PictureRect FitImage(float imageWidth, float imageHeight, const PictureRect& area);

// The temperature's box: right- and top-aligned text ends 10 pixels in from the right of the
// work area's width and starts 10 down, measured from the picture's own origin.
PictureRect TemperatureBox(const PictureRect& workArea);

// The name's box for right- and top-aligned text, given the bounds of the temperature without
// its last character: the name's right edge meets the last digit, just under it.
PictureRect NameBox(const PictureRect& temperatureBounds);

// The work area in the picture of the whole virtual screen, whose origin may lie left of or
// above the primary monitor's.
PixelRect WorkAreaInPicture(const PixelRect& workArea, int virtualLeft, int virtualTop);
