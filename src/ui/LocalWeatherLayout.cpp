#include "ui/LocalWeatherLayout.h"

#include "weather/Forecast.h"

#include <algorithm>
#include <cmath>

namespace LocalWeatherLayout {

namespace {
constexpr Size NoHomeCity{290, 73};
constexpr int CellTop = 30;       // below the weekday and the temperatures
constexpr int NightCellGap = 60;  // the day cell's icon and the night cell's top
constexpr float ColumnsLeft = 30; // right of the row labels
constexpr float LabelLeft = 10;
constexpr float LabelWidth = 20;
constexpr float MinimumContentWidth = 270;
constexpr float ColumnsMargin = 25;
constexpr float ForecastHeight = 155; // everything of the columns but the two summary rows
constexpr float NoForecastHeight = 53;
constexpr int PanelMargin = 20;
} // namespace

Mode ModeFromOption(int value) {
    switch (value) {
    case 1:
        return Mode::Small;
    case 2:
        return Mode::IconOnly;
    default:
        return Mode::Large;
    }
}

Size NoHomeCitySize() {
    return NoHomeCity;
}

Size IconOnlySize() {
    return {static_cast<int>(IconBox.X + IconBox.Width), static_cast<int>(IconBox.Y + IconBox.Height)};
}

Size SmallSize() {
    return LargeLayout(Forecast{}).Bitmap;
}

bool IsDayPeriod(const CForecastItem& item) {
    return item.Start.TimeOfDay().Ticks() / TimeSpan::TicksPerHour < 12;
}

int ColumnCount(int itemCount, bool firstIsDay) {
    if (itemCount <= 0) {
        return 0;
    }
    return (itemCount + (firstIsDay ? 0 : 1) + 1) / 2;
}

ColumnItems ItemsOfColumn(int column, int itemCount, bool firstIsDay) {
    const int day = 2 * column - (firstIsDay ? 0 : 1);
    ColumnItems items;
    if (day >= 0 && day < itemCount) {
        items.Day = day;
    }
    if (day + 1 >= 0 && day + 1 < itemCount) {
        items.Night = day + 1;
    }
    return items;
}

RowHeights SummaryRowHeights(const std::vector<float>& measuredHeights, bool firstIsDay) {
    float even = RowMinimum;
    float odd = RowMinimum;
    for (size_t i = 0; i < measuredHeights.size(); ++i) {
        float& highest = i % 2 == 0 ? even : odd;
        // A NaN from a failed measurement raises nothing.
        if (measuredHeights[i] > highest) {
            highest = std::min(measuredHeights[i], RowLimit);
        }
    }
    return firstIsDay ? RowHeights{even, odd} : RowHeights{odd, even};
}

Large LargeLayout(const Forecast& forecast) {
    Large layout;
    if (forecast.Columns > 0) {
        layout.ContentWidth = std::max(ColumnWidth * forecast.Columns, MinimumContentWidth) + ColumnsMargin;
        layout.ContentHeight =
            std::trunc(forecast.DayHeight) + std::trunc(forecast.NightHeight) + ForecastHeight;
    } else {
        layout.ContentWidth = MinimumContentWidth;
        layout.ContentHeight = NoForecastHeight;
    }
    const int panelWidth = static_cast<int>(layout.ContentWidth) + PanelMargin;
    const int panelHeight = static_cast<int>(layout.ContentHeight) + PanelMargin;
    const Size icon = IconOnlySize();
    layout.Bitmap.Width = std::max(panelWidth, icon.Width);
    layout.Bitmap.Height = std::max(static_cast<int>(PanelTop) + panelHeight, icon.Height);
    layout.Panel = {0, PanelTop, static_cast<float>(panelWidth), static_cast<float>(panelHeight)};
    return layout;
}

float ColumnLeft(int column) {
    return ColumnsLeft + ColumnWidth * static_cast<float>(column);
}

PictureRect DayLabelBox(float dayHeight) {
    return {LabelLeft, ForecastTop + CellTop, LabelWidth, dayHeight + CellTop};
}

PictureRect NightLabelBox(float dayHeight, float nightHeight) {
    return {LabelLeft, ForecastTop + NightCellGap + dayHeight, LabelWidth, nightHeight + CellTop};
}

std::vector<PanelPiece> PanelPieces(const PixelRect& panel, int shadowWidth, int shadowHeight) {
    const int b = PanelBorder;
    const int x = panel.X;
    const int y = panel.Y;
    const int w = panel.Width;
    const int h = panel.Height;
    const int sw = shadowWidth;
    const int sh = shadowHeight;
    std::vector<PanelPiece> pieces;
    if (h >= 2 * b + 1) {
        if (w >= 2 * b + 1) {
            pieces.push_back({{b, b, sw - 2 * b, sh - 2 * b}, {x + b, y + b, w - 2 * b, h - 2 * b}});
        }
        pieces.push_back({{0, b, b, sh - 2 * b}, {x, y + b, b, h - 2 * b}});
        pieces.push_back({{sw - b, b, b, sh - 2 * b}, {x + w - b, y + b, b, h - 2 * b}});
    }
    if (w > 2 * b) {
        pieces.push_back({{b, sh - b, sw - 2 * b, b}, {x + b, y + h - b, w - 2 * b, b}});
    }
    pieces.push_back({{0, sh - b, b, b}, {x, y + h - b, b, b}});
    pieces.push_back({{sw - b, sh - b, b, b}, {x + w - b, y + h - b, b, b}});
    if (w > 2 * b) {
        pieces.push_back({{b, 0, sw - 2 * b, b}, {x + b, y, w - 2 * b, b}});
    }
    pieces.push_back({{0, 0, b, b}, {x, y, b, b}});
    pieces.push_back({{sw - b, 0, b, b}, {x + w - b, y, b, b}});
    return pieces;
}

Size MinimumVisible(Mode mode) {
    return mode == Mode::IconOnly ? Size{100, 80} : Size{100, 100};
}

Point PositionOnRedraw(Point topLeft, Size windowSize, Mode mode, Point screenOrigin, double scale) {
    if (topLeft.X >= screenOrigin.X && topLeft.Y >= screenOrigin.Y) {
        return topLeft;
    }
    const Size minimum = ToDevice(MinimumVisible(mode), scale);
    Point moved = topLeft;
    if (topLeft.X + windowSize.Width < screenOrigin.X + minimum.Width) {
        moved.X = screenOrigin.X + minimum.Width - windowSize.Width;
    }
    if (topLeft.Y + windowSize.Height < screenOrigin.Y + minimum.Height) {
        moved.Y = screenOrigin.Y + minimum.Height - windowSize.Height;
    }
    return moved;
}

Point InScreenBounds(Point topLeft, Point screenOrigin) {
    return {std::max(topLeft.X, screenOrigin.X), std::max(topLeft.Y, screenOrigin.Y)};
}

int ToDevice(float length, double scale) {
    return static_cast<int>(std::ceil(static_cast<double>(length) * scale - 1e-9));
}

PixelRect ToDevice(const PixelRect& rect, double scale) {
    const auto edge = [scale](int position) { return static_cast<int>(std::lround(position * scale)); };
    const int left = edge(rect.X);
    const int top = edge(rect.Y);
    return {left, top, edge(rect.X + rect.Width) - left, edge(rect.Y + rect.Height) - top};
}

Size ToDevice(Size size, double scale) {
    return {ToDevice(static_cast<float>(size.Width), scale),
            ToDevice(static_cast<float>(size.Height), scale)};
}

} // namespace LocalWeatherLayout
