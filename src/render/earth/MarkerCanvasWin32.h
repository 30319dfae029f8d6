#pragma once
#include "core/FontValue.h"
#include "render/GraphicsWin32.h"
#include "render/earth/MarkerCanvas.h"

// The city markers on a surface of the graphics layer, with the options' two fonts made once.
class GraphicsMarkerCanvas : public IMarkerCanvas {
public:
    GraphicsMarkerCanvas(CGraphics& graphics, const FontValue& nameFont, const FontValue& temperatureFont);

    bool SmallIconSize(bool daytime, const Nullable<EnumWeatherCode>& code, int& width, int& height) override;
    void DrawSmallIcon(bool daytime, const Nullable<EnumWeatherCode>& code, const PixelRect& rect) override;
    TextSize MeasureText(const std::wstring& text, MarkerFont font, BoxAlign horizontal) override;
    void DrawLabel(const std::wstring& text, MarkerFont font, uint32_t argb, const TextBox& box) override;

private:
    const CFont& FontOf(MarkerFont font) const {
        return font == MarkerFont::CityName ? nameFont_ : temperatureFont_;
    }

    CGraphics& graphics_;
    CFont nameFont_;
    CFont temperatureFont_;
};
