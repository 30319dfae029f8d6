#pragma once
#include "core/FontValue.h"
#include "render/earth/MarkerCanvas.h"

#include "render/earth/GdiplusWin32.h"
#include <memory>

// The city markers on a GDI+ surface, with the two fonts of the options made once.
class GdiplusMarkerCanvas : public IMarkerCanvas {
public:
    GdiplusMarkerCanvas(Gdiplus::Graphics& graphics, const FontValue& nameFont,
                        const FontValue& temperatureFont);
    ~GdiplusMarkerCanvas() override;
    GdiplusMarkerCanvas(const GdiplusMarkerCanvas&) = delete;
    GdiplusMarkerCanvas& operator=(const GdiplusMarkerCanvas&) = delete;

    bool SmallIconSize(bool daytime, const Nullable<EnumWeatherCode>& code, int& width, int& height) override;
    void DrawSmallIcon(bool daytime, const Nullable<EnumWeatherCode>& code, const PixelRect& rect) override;
    TextSize MeasureText(const std::wstring& text, MarkerFont font, TextAlign horizontal) override;
    void DrawLabel(const std::wstring& text, MarkerFont font, uint32_t argb, const TextBox& box) override;

private:
    Gdiplus::Font& FontOf(MarkerFont font) const;

    Gdiplus::Graphics& graphics_;
    std::unique_ptr<Gdiplus::Font> nameFont_;
    std::unique_ptr<Gdiplus::Font> temperatureFont_;
};
