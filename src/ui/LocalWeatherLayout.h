#pragma once
#include "render/PictureLayout.h"

#include <vector>

class CForecastItem;

// The local weather window's geometry, in the window's own pixels at 100 % (96 dpi). The window
// draws through a scale transform, so these numbers hold on every display; only the positions
// on the screen are real pixels.
namespace LocalWeatherLayout {

enum class Mode { Large = 0, Small = 1, IconOnly = 2 };
// The option's value as a mode; anything unknown is Large.
Mode ModeFromOption(int value);

struct Size {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Point {
    int X = 0;
    int Y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

constexpr float ColumnWidth = 68;
constexpr int PanelBorder = 30;
constexpr PictureRect IconBox{10, 0, 200, 160};
constexpr PictureRect MessageBox{10, 10, 270, 53};
constexpr PictureRect SmallTemperatureBox{10, 85, 270, 53};
// The panel behind the texts: at the content origin's height, 20 pixels larger than the content.
constexpr float PanelTop = 75;
// How far the name box rises into the temperature's measured bounds.
constexpr float NameRise = 5;
// A summary row is at least this high and a summary is cut at the row limit.
constexpr float RowMinimum = 5;
constexpr float RowLimit = 100;
constexpr float ForecastTop = 140;

Size NoHomeCitySize();
Size IconOnlySize();
Size SmallSize();

// The forecast part of the Large window, or none when the forecast is not shown.
struct Forecast {
    int Columns = 0;
    bool FirstIsDay = true;
    float DayHeight = 0;
    float NightHeight = 0;
};

// A forecast period starting before noon is a day period.
bool IsDayPeriod(const CForecastItem& item);
// Day and night periods make one column each; a forecast starting by night leaves the first
// column's day cell empty.
int ColumnCount(int itemCount, bool firstIsDay);

// The periods of one column as indexes into the forecast; -1 for a missing cell.
struct ColumnItems {
    int Day = -1;
    int Night = -1;
};
ColumnItems ItemsOfColumn(int column, int itemCount, bool firstIsDay);

// The day and night row heights from each period's measured summary height: the tallest of the
// periods at even and at odd positions, at least RowMinimum, never over RowLimit.
struct RowHeights {
    float Day = RowMinimum;
    float Night = RowMinimum;
};
RowHeights SummaryRowHeights(const std::vector<float>& measuredHeights, bool firstIsDay);

struct Large {
    float ContentWidth = 0;
    float ContentHeight = 0;
    Size Bitmap;
    PictureRect Panel;
};
// Without a forecast (Columns 0) this is the Small window's layout.
Large LargeLayout(const Forecast& forecast);

// Where a cell of column i lies.
float ColumnLeft(int column);
PictureRect DayLabelBox(float dayHeight);
PictureRect NightLabelBox(float dayHeight, float nightHeight);

// One piece of the panel: a part of the shadow image and where it is drawn.
struct PanelPiece {
    PixelRect Source;
    PixelRect Destination;
};
// The panel as nine slices of the shadow image, in drawing order: the 30-pixel corners copied,
// edges and centre stretched. A panel too low or too narrow for them leaves out the centre and
// side edges, or the top and bottom edges.
std::vector<PanelPiece> PanelPieces(const PixelRect& panel, int shadowWidth, int shadowHeight);

// How large a part of the window must stay on the screen when it is redrawn partly off the
// top or left: 100 × 100, or 100 × 80 (half the icon) in Icon Only mode.
Size MinimumVisible(Mode mode);

// The redraw's position rule. The screen's top-left is the virtual screen's origin, so a window
// on a monitor left of or above the primary one stays there.
Point PositionOnRedraw(Point topLeft, Size windowSize, Mode mode, Point screenOrigin, double scale);
// Moves a window whose top or left lies before the screen's origin onto it.
Point InScreenBounds(Point topLeft, Point screenOrigin);

// A length of the 96-dpi layout in device pixels at the scale (dpi / 96), rounded up so that
// nothing drawn is cut.
int ToDevice(float length, double scale);
Size ToDevice(Size size, double scale);
// A rectangle of the layout in device pixels with each edge rounded, so neighbours still meet.
PixelRect ToDevice(const PixelRect& rect, double scale);

} // namespace LocalWeatherLayout
