#include "render/earth/MarkerCanvasWin32.h"

#include "render/earth/NightOverlayWin32.h"

namespace {
// A text box only anchors its text: no wrapping, no clipping.
constexpr INT OpenFormat = Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsNoClip;

Gdiplus::StringAlignment AlignmentOf(TextAlign align) {
    switch (align) {
    case TextAlign::Near:
        return Gdiplus::StringAlignmentNear;
    case TextAlign::Center:
        return Gdiplus::StringAlignmentCenter;
    case TextAlign::Far:
        return Gdiplus::StringAlignmentFar;
    }
    return Gdiplus::StringAlignmentNear;
}

std::unique_ptr<Gdiplus::Font> MakeFont(const FontValue& value) {
    const Gdiplus::FontFamily family(value.Family.c_str());
    const auto size = static_cast<Gdiplus::REAL>(value.Size);
    if (family.GetLastStatus() == Gdiplus::Ok) {
        return std::make_unique<Gdiplus::Font>(&family, size, value.Style, Gdiplus::UnitPoint);
    }
    return std::make_unique<Gdiplus::Font>(Gdiplus::FontFamily::GenericSansSerif(), size, value.Style,
                                           Gdiplus::UnitPoint);
}
} // namespace

GdiplusMarkerCanvas::GdiplusMarkerCanvas(Gdiplus::Graphics& graphics, const FontValue& nameFont,
                                         const FontValue& temperatureFont)
    : graphics_(graphics), nameFont_(MakeFont(nameFont)), temperatureFont_(MakeFont(temperatureFont)) {}

GdiplusMarkerCanvas::~GdiplusMarkerCanvas() = default;

Gdiplus::Font& GdiplusMarkerCanvas::FontOf(MarkerFont font) const {
    return font == MarkerFont::CityName ? *nameFont_ : *temperatureFont_;
}

bool GdiplusMarkerCanvas::SmallIconSize(bool daytime, const Nullable<EnumWeatherCode>& code, int& width,
                                        int& height) {
    Gdiplus::Image* icon = SmallWeatherIconOf(daytime, code);
    if (icon == nullptr) {
        return false;
    }
    // A picture that could not be decoded has no size and draws nothing.
    width = static_cast<int>(icon->GetWidth());
    height = static_cast<int>(icon->GetHeight());
    return true;
}

void GdiplusMarkerCanvas::DrawSmallIcon(bool daytime, const Nullable<EnumWeatherCode>& code,
                                        const PixelRect& rect) {
    if (Gdiplus::Image* icon = SmallWeatherIconOf(daytime, code)) {
        graphics_.DrawImage(icon, Gdiplus::Rect(rect.X, rect.Y, rect.Width, rect.Height));
    }
}

TextSize GdiplusMarkerCanvas::MeasureText(const std::wstring& text, MarkerFont font, TextAlign horizontal) {
    Gdiplus::StringFormat format(OpenFormat);
    format.SetAlignment(AlignmentOf(horizontal));
    const Gdiplus::CharacterRange whole(0, static_cast<INT>(text.size()));
    format.SetMeasurableCharacterRanges(1, &whole);
    const Gdiplus::RectF box(0, 0, 1000, 1000);
    Gdiplus::Region region;
    if (graphics_.MeasureCharacterRanges(text.c_str(), static_cast<INT>(text.size()), &FontOf(font), box,
                                         &format, 1, &region) != Gdiplus::Ok) {
        return {};
    }
    Gdiplus::RectF bounds;
    region.GetBounds(&bounds, &graphics_);
    return {bounds.Width, bounds.Height};
}

void GdiplusMarkerCanvas::DrawLabel(const std::wstring& text, MarkerFont font, uint32_t argb,
                                    const TextBox& box) {
    Gdiplus::StringFormat format(OpenFormat);
    format.SetAlignment(AlignmentOf(box.Horizontal));
    format.SetLineAlignment(AlignmentOf(box.Vertical));
    const Gdiplus::SolidBrush brush{Gdiplus::Color(argb)};
    graphics_.DrawString(text.c_str(), static_cast<INT>(text.size()), &FontOf(font),
                         Gdiplus::RectF(box.X, box.Y, box.Width, box.Height), &format, &brush);
}
