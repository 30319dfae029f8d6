#pragma once
#include "render/EarthBackground.h"

#include "render/earth/GdiplusWin32.h"

// A day picture of the Earth folder as GDI+ decoded it; a file that cannot be read gives a
// bitmap that draws nothing.
class BackgroundBitmap : public BackgroundImage {
public:
    explicit BackgroundBitmap(const std::wstring& path) : bitmap_(path.c_str()) {}
    Gdiplus::Bitmap& Bitmap() { return bitmap_; }

private:
    Gdiplus::Bitmap bitmap_;
};

inline std::unique_ptr<BackgroundImage> LoadBackgroundBitmap(const std::wstring& path) {
    return std::make_unique<BackgroundBitmap>(path);
}
