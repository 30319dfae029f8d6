#pragma once
#include "render/GraphicsWin32.h"

class COptions;

// The weather picture of the options' home city: the sky over the picture rectangle, and
// while the home city's report is recent its large icon fitted into the work rectangle, its
// temperature at the top right and its name under it. The screen saver passes its client
// rectangle for both.
void DrawWeatherPicture(CGraphics& graphics, const PictureRect& pictureRect, const PictureRect& workRect,
                        const COptions& options);

// The weather picture drawn into a new bitmap of the picture's size, which the caller owns.
// The wallpaper starts from a copy of the scaled sky instead of drawing it again; the pixels
// are those DrawWeatherPicture gives.
CBitmap CreateWeatherPicture(int width, int height, PixelKind kind, float dpi, const PictureRect& workRect,
                             const COptions& options);

// The picture's fonts, brush and its scaled copies of the sky and icon; made again on next use.
// Released with the images, and whenever the images change.
void ReleaseWeatherPicture();
