#include "render/PictureLayout.h"

PictureRect FitImage(float imageWidth, float imageHeight, const PictureRect& area) {
    if (imageWidth <= 0 || imageHeight <= 0) {
        return {area.X, area.Y, 0, 0};
    }
    if (area.Height < imageHeight * area.Width / imageWidth) {
        const float width = imageWidth * area.Height / imageHeight;
        return {area.X + (area.Width - width) / 2, area.Y, width, area.Height};
    }
    const float height = imageHeight * area.Width / imageWidth;
    return {area.X, area.Y + (area.Height - height) / 2, area.Width, height};
}

PictureRect TemperatureBox(const PictureRect& workArea) {
    return {-10, 10, workArea.Width, workArea.Height};
}

PictureRect NameBox(const PictureRect& temperatureBounds) {
    constexpr float Size = 10000;
    return {temperatureBounds.X + temperatureBounds.Width - Size,
            temperatureBounds.Y + temperatureBounds.Height - 5, Size, Size};
}

PixelRect WorkAreaInPicture(const PixelRect& workArea, int virtualLeft, int virtualTop) {
    return {workArea.X - virtualLeft, workArea.Y - virtualTop, workArea.Width, workArea.Height};
}
