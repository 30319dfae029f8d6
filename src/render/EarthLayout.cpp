#include "render/EarthLayout.h"

#include <algorithm>
#include <cmath>

namespace {
// Text boxes are this wide so that no text reaches their far edge.
constexpr float OpenBox = 1000;

int RoundToPixel(double value) {
    return static_cast<int>(std::lround(value));
}
} // namespace

PixelRect RegionSourceRect(const EarthRegion& region, int imageWidth, int imageHeight) {
    const auto x = [&](int longitude) { return RoundToPixel((longitude + 180.0) * imageWidth / 360.0); };
    const auto y = [&](int latitude) { return RoundToPixel((90.0 - latitude) * imageHeight / 180.0); };
    const int left = x(region.West);
    const int top = y(region.North);
    return {left, top, x(region.East) - left, y(region.South) - top};
}

PixelPoint ProjectToPicture(const EarthRegion& region, double longitude, double latitude,
                            const PixelRect& picture) {
    const double x = picture.X + (longitude - region.West) * picture.Width / (region.East - region.West);
    const double y = picture.Y + (region.North - latitude) * picture.Height / (region.North - region.South);
    return {static_cast<int>(std::trunc(x)), static_cast<int>(std::trunc(y))};
}

MarkerIcon MarkerIconAt(PixelPoint city, bool hasIcon, int iconWidth, int iconHeight, int scalePercent) {
    if (!hasIcon) {
        return {{city.X, city.Y, 1, 1}, 1};
    }
    const double scale = scalePercent / 100.0;
    const auto w = static_cast<int>(std::trunc(iconWidth * scale));
    const auto h = static_cast<int>(std::trunc(iconHeight * scale));
    return {{city.X - w / 2, city.Y - h / 2, w, h}, scale};
}

MarkerTextLine MarkerTextLineAt(PixelPoint city, const MarkerIcon& icon, TextSize name,
                                TextSize temperature) {
    const float total = name.Width + temperature.Width;
    const float height = std::max(name.Height, temperature.Height);
    const int h = icon.Rect.Height;
    // The lower quarter of the icon as drawn: its height already carries the scale.
    const float top = static_cast<float>(city.Y + h / 2) - std::min(static_cast<float>(h) * 0.25f, height);
    const float left = static_cast<float>(city.X) - total / 2;
    MarkerTextLine line;
    line.Name = {left - OpenBox, top, name.Width + OpenBox, height, BoxAlign::Far, BoxAlign::Center};
    line.Temperature = {left + name.Width, top, temperature.Width + OpenBox, height, BoxAlign::Near,
                        BoxAlign::Center};
    return line;
}

TextBox LoneMarkerTextAt(PixelPoint city, const MarkerIcon& icon) {
    return {static_cast<float>(city.X) - OpenBox / 2,
            static_cast<float>(city.Y + icon.Rect.Height / 4),
            OpenBox,
            OpenBox,
            BoxAlign::Center,
            BoxAlign::Near};
}

TextBox StaleCityNameAt(PixelPoint city) {
    return {static_cast<float>(city.X) - OpenBox / 2,
            static_cast<float>(city.Y),
            OpenBox,
            OpenBox,
            BoxAlign::Center,
            BoxAlign::Near};
}
