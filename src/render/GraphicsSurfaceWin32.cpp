#include "render/GraphicsObjectsWin32.h"
#include "render/GraphicsWin32.h"

namespace {
Gdiplus::RectF ToNative(const PictureRect& rect) {
    return {rect.X, rect.Y, rect.Width, rect.Height};
}

PictureRect FromNative(const Gdiplus::RectF& rect) {
    return {rect.X, rect.Y, rect.Width, rect.Height};
}

int LengthOf(const std::wstring& text) {
    return static_cast<int>(text.size());
}
} // namespace

CGraphics::CGraphics(CBitmap& image) {
    Gdiplus::GpGraphics* graphics = nullptr;
    if (Keep(image.HasImage() ? Gdip::GdipGetImageGraphicsContext(image.Native(), &graphics)
                              : Gdiplus::InvalidParameter)) {
        graphics_ = graphics;
        GraphicsObjects::Created();
    }
}

CGraphics::CGraphics(HDC dc) {
    Gdiplus::GpGraphics* graphics = nullptr;
    if (Keep(Gdip::GdipCreateFromHDC(dc, &graphics))) {
        graphics_ = graphics;
        GraphicsObjects::Created();
    }
}

CGraphics::CGraphics(HWND window) {
    Gdiplus::GpGraphics* graphics = nullptr;
    if (Keep(Gdip::GdipCreateFromHWND(window, &graphics))) {
        graphics_ = graphics;
        GraphicsObjects::Created();
    }
}

CGraphics::~CGraphics() {
    if (graphics_ != nullptr) {
        Gdip::GdipDeleteGraphics(graphics_);
        GraphicsObjects::Released();
    }
}

void CGraphics::SetPixelUnit() {
    Keep(Gdip::GdipSetPageUnit(graphics_, Gdiplus::UnitPixel));
}

void CGraphics::SetAntiAliasedText() {
    Keep(Gdip::GdipSetTextRenderingHint(graphics_, Gdiplus::TextRenderingHintAntiAlias));
}

void CGraphics::SetInterpolation(Interpolation interpolation) {
    const bool high = interpolation == Interpolation::HighQuality;
    Keep(Gdip::GdipSetInterpolationMode(graphics_, high ? Gdiplus::InterpolationModeHighQualityBicubic
                                                        : Gdiplus::InterpolationModeDefault));
    Keep(Gdip::GdipSetPixelOffsetMode(graphics_, high ? Gdiplus::PixelOffsetModeHighQuality
                                                      : Gdiplus::PixelOffsetModeDefault));
}

void CGraphics::SetWorldScale(float scale) {
    Keep(Gdip::GdipResetWorldTransform(graphics_));
    if (scale != 1) {
        Keep(Gdip::GdipScaleWorldTransform(graphics_, scale, scale, Gdiplus::MatrixOrderAppend));
    }
}

void CGraphics::Clear(uint32_t argb) {
    Keep(Gdip::GdipGraphicsClear(graphics_, argb));
}

float CGraphics::DpiY() const {
    Gdiplus::REAL dpi = 96;
    Keep(Gdip::GdipGetDpiY(graphics_, &dpi));
    return dpi;
}

void CGraphics::DrawImage(const CBitmap& image, const PictureRect& destination) {
    Keep(Gdip::GdipDrawImageRect(graphics_, image.Native(), destination.X, destination.Y, destination.Width,
                                 destination.Height));
}

void CGraphics::DrawImage(const CBitmap& image, const PixelRect& destination) {
    Keep(Gdip::GdipDrawImageRectI(graphics_, image.Native(), destination.X, destination.Y, destination.Width,
                                  destination.Height));
}

void CGraphics::DrawImage(const CBitmap& image, const PixelRect& destination, const PixelRect& source,
                          const CImageAttributes* attributes) {
    Keep(Gdip::GdipDrawImageRectRectI(
        graphics_, image.Native(), destination.X, destination.Y, destination.Width, destination.Height,
        source.X, source.Y, source.Width, source.Height, Gdiplus::UnitPixel,
        attributes != nullptr ? attributes->Native() : nullptr, nullptr, nullptr));
}

void CGraphics::DrawString(const std::wstring& text, const CFont& font, const PictureRect& box,
                           const CStringFormat& format, const CBrush& brush) {
    const Gdiplus::RectF layout = ToNative(box);
    Keep(Gdip::GdipDrawString(graphics_, text.c_str(), LengthOf(text), font.Native(), &layout,
                              format.Native(), brush.Native()));
}

PictureRect CGraphics::MeasureCharacters(const std::wstring& text, int first, int length, const CFont& font,
                                         const PictureRect& box, const CStringFormat& format) {
    if (length <= 0 || first < 0 || first + length > LengthOf(text)) {
        return {};
    }
    // The ranges are set on a copy: the caller's format stays as it was.
    Gdiplus::GpStringFormat* measuring = nullptr;
    if (!Keep(Gdip::GdipCloneStringFormat(format.Native(), &measuring))) {
        return {};
    }
    Gdiplus::GpRegion* region = nullptr;
    Gdiplus::RectF bounds{};
    const Gdiplus::CharacterRange range(first, length);
    const Gdiplus::RectF layout = ToNative(box);
    bool measured = Keep(Gdip::GdipSetStringFormatMeasurableCharacterRanges(measuring, 1, &range)) &&
                    Keep(Gdip::GdipCreateRegion(&region));
    measured = measured &&
               Keep(Gdip::GdipMeasureCharacterRanges(graphics_, text.c_str(), LengthOf(text), font.Native(),
                                                     layout, measuring, 1, &region)) &&
               Keep(Gdip::GdipGetRegionBounds(region, graphics_, &bounds));
    if (region != nullptr) {
        Gdip::GdipDeleteRegion(region);
    }
    Gdip::GdipDeleteStringFormat(measuring);
    return measured ? FromNative(bounds) : PictureRect{};
}

PictureRect CGraphics::MeasureString(const std::wstring& text, const CFont& font, const PictureRect& box,
                                     const CStringFormat& format) {
    const Gdiplus::RectF layout = ToNative(box);
    Gdiplus::RectF bounds{};
    if (!Keep(Gdip::GdipMeasureString(graphics_, text.c_str(), LengthOf(text), font.Native(), &layout,
                                      format.Native(), &bounds, nullptr, nullptr))) {
        return {};
    }
    return FromNative(bounds);
}
