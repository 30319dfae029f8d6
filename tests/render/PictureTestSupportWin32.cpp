#include "PictureTestSupportWin32.h"

namespace {
bool IsWhite(uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) > 225 && ((rgb >> 8) & 0xFF) > 225 && (rgb & 0xFF) > 225;
}
} // namespace

int PicturePixels::WhiteIn(int left, int top, int right, int bottom) const {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            count += IsWhite(At(x, y));
        }
    }
    return count;
}

int PicturePixels::RightmostWhite(int top, int bottom) const {
    for (int x = Width - 1; x >= 0; --x) {
        for (int y = top; y < bottom; ++y) {
            if (IsWhite(At(x, y))) {
                return x;
            }
        }
    }
    return -1;
}

int PicturePixels::DifferentIn(const PicturePixels& other, int left, int top, int right, int bottom) const {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            count += At(x, y) != other.At(x, y);
        }
    }
    return count;
}

PicturePixels ReadPixels(CBitmap& bitmap) {
    PicturePixels result;
    const CBitmapPixels pixels(bitmap, PixelKind::Argb32);
    if (!pixels.IsLocked()) {
        return result;
    }
    result.Width = pixels.Width();
    result.Height = pixels.Height();
    result.Rgb.reserve(static_cast<size_t>(result.Width) * result.Height);
    for (int y = 0; y < result.Height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(pixels.Row(y));
        for (int x = 0; x < result.Width; ++x) {
            result.Rgb.push_back(row[x] & 0xFFFFFF);
        }
    }
    return result;
}

ImageFiles InstalledImages() {
    const std::wstring installation = L"" ORBIMETEO_INSTALL_DIR;
    return {installation + L"LargeWeatherIcons/", installation + L"SmallWeatherIcons/",
            installation + L"EarthNight/", installation + L"UI/LocalWeatherBackground.png"};
}
