#pragma once
#include "render/EarthBackground.h"
#include "render/GraphicsWin32.h"

// A day picture of the Earth folder as the graphics layer decoded it; a file that cannot be
// read gives a bitmap that draws nothing.
class BackgroundBitmap : public BackgroundImage {
public:
    explicit BackgroundBitmap(const std::wstring& path) : bitmap_(CBitmap::FromFile(path)) {}
    const CBitmap& Bitmap() const { return bitmap_; }

private:
    CBitmap bitmap_;
};

inline std::unique_ptr<BackgroundImage> LoadBackgroundBitmap(const std::wstring& path) {
    return std::make_unique<BackgroundBitmap>(path);
}
