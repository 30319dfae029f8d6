#include "render/earth/MarkerCanvasWin32.h"

#include "render/UtilGraphicsWin32.h"

namespace {
TextAlign AlignOf(BoxAlign align) {
    switch (align) {
    case BoxAlign::Near:
        return TextAlign::Near;
    case BoxAlign::Center:
        return TextAlign::Center;
    case BoxAlign::Far:
        return TextAlign::Far;
    }
    return TextAlign::Near;
}
} // namespace

GraphicsMarkerCanvas::GraphicsMarkerCanvas(CGraphics& graphics, const FontValue& nameFont,
                                           const FontValue& temperatureFont)
    : graphics_(graphics), nameFont_(nameFont), temperatureFont_(temperatureFont) {}

bool GraphicsMarkerCanvas::SmallIconSize(bool daytime, const Nullable<EnumWeatherCode>& code, int& width,
                                         int& height) {
    const std::shared_ptr<const CBitmap> icon = UtilGraphics::SmallWeatherIcon(daytime, code);
    if (icon == nullptr) {
        return false;
    }
    // A picture that did not load is still an icon: it has no size and draws nothing.
    width = icon->Width();
    height = icon->Height();
    return true;
}

void GraphicsMarkerCanvas::DrawSmallIcon(bool daytime, const Nullable<EnumWeatherCode>& code,
                                         const PixelRect& rect) {
    if (const std::shared_ptr<const CBitmap> icon = UtilGraphics::SmallWeatherIcon(daytime, code)) {
        graphics_.DrawImage(*icon, rect);
    }
}

TextSize GraphicsMarkerCanvas::MeasureText(const std::wstring& text, MarkerFont font, BoxAlign horizontal) {
    CStringFormat format(CStringFormat::NoWrapNoClip);
    format.SetAlign(AlignOf(horizontal));
    const PictureRect bounds = graphics_.MeasureCharacters(text, 0, static_cast<int>(text.size()),
                                                           FontOf(font), {0, 0, 1000, 1000}, format);
    return {bounds.Width, bounds.Height};
}

void GraphicsMarkerCanvas::DrawLabel(const std::wstring& text, MarkerFont font, uint32_t argb,
                                     const TextBox& box) {
    CStringFormat format(CStringFormat::NoWrapNoClip);
    format.SetAlign(AlignOf(box.Horizontal));
    format.SetLineAlign(AlignOf(box.Vertical));
    graphics_.DrawString(text, FontOf(font), {box.X, box.Y, box.Width, box.Height}, format, CBrush(argb));
}
