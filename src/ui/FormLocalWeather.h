#pragma once
#include "app/Window.h"
#include "render/GraphicsWin32.h"
#include "ui/LocalWeatherLayout.h"

#include <functional>
#include <vector>

class City;
class COptions;
class CForecastItem;

// The small borderless window with the home city's weather: a per-pixel-alpha picture handed to
// the system as a layered window, dragged with the left button, sized by its mode, with a
// context menu. It lives hidden from start-up to the end of the program; closing only hides it.
class CFormLocalWeather : public Window {
public:
    // The options are asked for on every use: the options dialog may replace the live object.
    explicit CFormLocalWeather(std::function<COptions&()> options);

    // Creates the window hidden, centred in the primary work area; false when the system
    // refuses it.
    bool Create();
    // Shows the window, brings it to the foreground and activates it.
    void Show();
    // Draws the current weather in the current mode; a failure keeps the previous picture.
    void Redraw();
    // What "Options" (page -1, the one last shown) and "Change Location" (page 2) open.
    void SetOptionsOpener(std::function<void(int page)> open) { openOptions_ = std::move(open); }

    // The window's picture as Redraw makes it, at the scale (the monitor's dpi / 96).
    CBitmap DrawPicture() const;
    void SetScale(double scale) { scale_ = scale; }
    LocalWeatherLayout::Mode CurrentMode() const { return mode_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // A picture being drawn: the bitmap at device size and its surface in 96-dpi pixels.
    struct Canvas;

    CBitmap DrawNoHomeCity() const;
    CBitmap DrawIconOnly(const City& home) const;
    CBitmap DrawSmall(const City& home) const;
    CBitmap DrawLarge(const City& home) const;
    // The forecast's texts share the one format of DrawLarge: centred, top-aligned, trimmed at
    // words.
    void DrawForecastColumn(CGraphics& graphics, const CStringFormat& format, const CForecastItem* day,
                            const CForecastItem* night, float x, float y, float dayHeight,
                            float nightHeight) const;
    void DrawForecastCell(CGraphics& graphics, const CStringFormat& format, const CForecastItem* item,
                          bool dayRow, float x, float y, float height) const;
    LocalWeatherLayout::RowHeights MeasureSummaryHeights(const std::vector<CForecastItem>& items,
                                                         bool firstIsDay, const CStringFormat& format) const;
    // Lays the nine slices of the shadow image into the still empty bitmap; answers it.
    static CBitmap& DrawPanel(CBitmap& bitmap, const PixelRect& panel, double scale);
    void DrawLargeIcon(CGraphics& graphics, const City& home) const;
    void DrawTemperatureAndName(CGraphics& graphics, const City& home, const PictureRect& box,
                                const CStringFormat& format) const;
    void Update(const CBitmap& picture);

    void OnCreate();
    void OnCommand(int command);
    void OnContextMenu(POINT clientPoint);
    void OnLeftButtonDown(POINT clientPoint);
    void OnMouseMove();
    void EndDrag();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void SetMode(LocalWeatherLayout::Mode mode);
    void ToggleAlwaysOnTop();
    bool SetTopmost(bool topmost);
    bool IsTopmost() const;
    void EnsureFormIsInScreenBounds();
    void CentreInWorkArea();

    COptions& Options() const { return options_(); }

    std::function<COptions&()> options_;
    std::function<void(int page)> openOptions_;
    CFont nameFont_;
    CFont temperatureFont_;
    CFont weekdayFont_;
    CFont rowLabelFont_;
    CFont forecastTemperatureFont_;
    CFont summaryFont_;
    CFont messageFont_;
    CStringFormat centred_;
    CStringFormat centredMessage_;
    CBrush white_;
    mutable CBitmap measuring_;
    LocalWeatherLayout::Mode mode_;
    double scale_ = 1;
    bool dragging_ = false;
    POINT dragAnchor_{};
};
