#pragma once
#include "render/GraphicsWin32.h"
#include "render/UtilGraphicsWin32.h"

#include <cstdint>
#include <string>
#include <vector>

// The pictures' tests read pixels as 0xRRGGBB words, row after row.
struct PicturePixels {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Rgb;

    uint32_t At(int x, int y) const { return Rgb[static_cast<size_t>(y) * Width + x]; }
    // Pixels of the rectangle that are nearly white, as the texts are drawn.
    int WhiteIn(int left, int top, int right, int bottom) const;
    // The rightmost nearly white column of the rows [top, bottom), or -1.
    int RightmostWhite(int top, int bottom) const;
    // Pixels of the rectangle that differ from the other picture's.
    int DifferentIn(const PicturePixels& other, int left, int top, int right, int bottom) const;
};

PicturePixels ReadPixels(CBitmap& bitmap);

// The installation's pictures of the source tree.
ImageFiles InstalledImages();
