#include "ui/FormLocalWeather.h"

#include "core/ApplicationException.h"
#include "data/Options.h"
#include "render/UtilGraphicsWin32.h"

#include <algorithm>

using namespace LocalWeatherLayout;

namespace {
constexpr uint32_t White = 0xFFFFFFFF;
constexpr int StringTrimmingWord = 2;
constexpr wchar_t NoHomeCityMessage[] =
    L"To see local weather information, open 'Options' and select your 'Home City'";

CFont ArialPixels(float pixels, int style) {
    return CFont(L"Arial", pixels, style, FontUnit::Pixel);
}

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (const char* c = text; c != nullptr && *c != '\0'; ++c) {
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    }
    return wide;
}

void FitInto(CGraphics& graphics, const CBitmap& image, const PictureRect& box) {
    if (image.HasImage()) {
        graphics.DrawImage(
            image, FitImage(static_cast<float>(image.Width()), static_cast<float>(image.Height()), box));
    }
}
} // namespace

// The bitmap has the device's pixels; the surface draws in the 96-dpi layout's pixels.
// The panel, if any, is laid into the empty bitmap before the surface is made on it.
struct CFormLocalWeather::Canvas {
    Canvas(Size size, double scale, const PixelRect* panel = nullptr)
        : Bitmap(ToDevice(static_cast<float>(size.Width), scale),
                 ToDevice(static_cast<float>(size.Height), scale), PixelKind::Argb32),
          Graphics(panel != nullptr ? DrawPanel(Bitmap, *panel, scale) : Bitmap) {
        Graphics.SetPixelUnit();
        Graphics.SetAntiAliasedText();
        if (scale != 1) {
            Graphics.SetInterpolation(Interpolation::HighQuality);
            Graphics.SetWorldScale(static_cast<float>(scale));
        }
    }

    CBitmap Bitmap;
    CGraphics Graphics;
};

CFormLocalWeather::CFormLocalWeather(std::function<COptions&()> options)
    : options_(std::move(options)), nameFont_(ArialPixels(10, FontValue::Bold)),
      temperatureFont_(ArialPixels(35, FontValue::Bold)), weekdayFont_(ArialPixels(10, FontValue::Bold)),
      rowLabelFont_(ArialPixels(6, FontValue::Regular)),
      forecastTemperatureFont_(ArialPixels(10, FontValue::Regular)),
      summaryFont_(ArialPixels(10, FontValue::Regular)), messageFont_(ArialPixels(10, FontValue::Bold)),
      centred_(CStringFormat::NoClip), centredMessage_(CStringFormat::NoClip), white_(White),
      measuring_(1, 1, PixelKind::Argb32), mode_(ModeFromOption(Options().FormLocalWeather_Mode)) {
    for (CStringFormat* format : {&centred_, &centredMessage_}) {
        format->SetAlign(TextAlign::Center);
        format->SetLineAlign(TextAlign::Center);
    }
}

void CFormLocalWeather::Redraw() {
    try {
        Update(DrawPicture());
    } catch (...) {
        // The window keeps its previous picture.
    }
}

CBitmap CFormLocalWeather::DrawPicture() const {
    const City* home = Options().HomeCity.Get();
    if (home == nullptr) {
        return DrawNoHomeCity();
    }
    switch (mode_) {
    case Mode::Small:
        return DrawSmall(*home);
    case Mode::IconOnly:
        return DrawIconOnly(*home);
    case Mode::Large:
        break;
    }
    return DrawLarge(*home);
}

CBitmap CFormLocalWeather::DrawNoHomeCity() const {
    const Size size = NoHomeCitySize();
    const PixelRect panel{0, 0, size.Width, size.Height};
    Canvas canvas(size, scale_, &panel);
    canvas.Graphics.DrawString(NoHomeCityMessage, messageFont_, LocalWeatherLayout::MessageBox,
                               centredMessage_, white_);
    return std::move(canvas.Bitmap);
}

CBitmap CFormLocalWeather::DrawIconOnly(const City& home) const {
    Canvas canvas(IconOnlySize(), scale_);
    DrawLargeIcon(canvas.Graphics, home);
    return std::move(canvas.Bitmap);
}

CBitmap CFormLocalWeather::DrawSmall(const City& home) const {
    const Size size = SmallSize();
    const PixelRect panel{0, static_cast<int>(PanelTop), size.Width, NoHomeCitySize().Height};
    Canvas canvas(size, scale_, &panel);
    CStringFormat format;
    format.SetAlign(TextAlign::Far);
    format.SetLineAlign(TextAlign::Near);
    DrawTemperatureAndName(canvas.Graphics, home, SmallTemperatureBox, format);
    DrawLargeIcon(canvas.Graphics, home);
    return std::move(canvas.Bitmap);
}

CBitmap CFormLocalWeather::DrawLarge(const City& home) const {
    CStringFormat format(CStringFormat::NoClip);
    format.SetAlign(TextAlign::Center);
    format.SetLineAlign(TextAlign::Near);
    format.SetTrimming(StringTrimmingWord);

    const std::vector<CForecastItem>& items = home.Forecast.Items;
    const bool showForecast = home.Forecast.IsRecent() && !items.empty();
    Forecast forecast;
    if (showForecast) {
        forecast.FirstIsDay = IsDayPeriod(items.front());
        const RowHeights rows = MeasureSummaryHeights(items, forecast.FirstIsDay, format);
        forecast.DayHeight = rows.Day;
        forecast.NightHeight = rows.Night;
        forecast.Columns = ColumnCount(static_cast<int>(items.size()), forecast.FirstIsDay);
    }
    const Large layout = LargeLayout(forecast);

    const PixelRect panel{static_cast<int>(layout.Panel.X), static_cast<int>(layout.Panel.Y),
                          static_cast<int>(layout.Panel.Width), static_cast<int>(layout.Panel.Height)};
    Canvas canvas(layout.Bitmap, scale_, &panel);
    CGraphics& graphics = canvas.Graphics;
    if (showForecast) {
        graphics.DrawString(L"D\r\nA\r\nY", rowLabelFont_, DayLabelBox(forecast.DayHeight), centred_, white_);
        graphics.DrawString(L"N\r\nI\r\nG\r\nH\r\nT", rowLabelFont_,
                            NightLabelBox(forecast.DayHeight, forecast.NightHeight), centred_, white_);
        const int count = static_cast<int>(items.size());
        for (int column = 0; column < forecast.Columns; ++column) {
            const ColumnItems cells = ItemsOfColumn(column, count, forecast.FirstIsDay);
            DrawForecastColumn(graphics, format, cells.Day >= 0 ? &items[cells.Day] : nullptr,
                               cells.Night >= 0 ? &items[cells.Night] : nullptr, ColumnLeft(column),
                               ForecastTop, forecast.DayHeight, forecast.NightHeight);
        }
    }
    DrawLargeIcon(graphics, home);
    format.SetAlign(TextAlign::Far);
    format.SetLineAlign(TextAlign::Near);
    DrawTemperatureAndName(
        graphics, home,
        {SmallTemperatureBox.X, SmallTemperatureBox.Y, layout.ContentWidth, layout.ContentHeight}, format);
    return std::move(canvas.Bitmap);
}

void CFormLocalWeather::DrawForecastColumn(CGraphics& graphics, const CStringFormat& format,
                                           const CForecastItem* day, const CForecastItem* night, float x,
                                           float y, float dayHeight, float nightHeight) const {
    const CForecastItem* reference = day != nullptr ? day : night;
    if (reference == nullptr) {
        return;
    }
    const std::wstring weekday =
        Widen(DateTime::DayOfWeekString_ShortUppercase(reference->Start.DayOfWeek()));
    graphics.DrawString(weekday, weekdayFont_, {x, y, ColumnWidth, 15}, format, white_);
    graphics.DrawString(reference->TempratureText(Options().UseMetricSystem), forecastTemperatureFont_,
                        {x, y + 15, ColumnWidth, 15}, format, white_);
    DrawForecastCell(graphics, format, day, true, x, y + 30, dayHeight);
    DrawForecastCell(graphics, format, night, false, x, y + 60 + dayHeight, nightHeight);
}

void CFormLocalWeather::DrawForecastCell(CGraphics& graphics, const CStringFormat& format,
                                         const CForecastItem* item, bool dayRow, float x, float y,
                                         float height) const {
    if (item == nullptr) {
        return;
    }
    if (const auto icon = UtilGraphics::SmallWeatherIcon(dayRow, item->WeatherCode)) {
        FitInto(graphics, *icon, {x, y, ColumnWidth, 30});
    }
    graphics.DrawString(item->WeatherSummary, summaryFont_, {x, y + 30, ColumnWidth, height}, format, white_);
}

RowHeights CFormLocalWeather::MeasureSummaryHeights(const std::vector<CForecastItem>& items, bool firstIsDay,
                                                    const CStringFormat& format) const {
    CGraphics graphics(measuring_);
    graphics.SetPixelUnit();
    graphics.SetAntiAliasedText();
    std::vector<float> heights;
    heights.reserve(items.size());
    for (const CForecastItem& item : items) {
        heights.push_back(
            graphics.MeasureString(item.WeatherSummary, summaryFont_, {0, 0, ColumnWidth, RowLimit}, format)
                .Height);
    }
    return SummaryRowHeights(heights, firstIsDay);
}

void CFormLocalWeather::DrawLargeIcon(CGraphics& graphics, const City& home) const {
    std::shared_ptr<const CBitmap> icon;
    if (home.CurrentWeather.IsRecent() && home.CurrentWeather.WeatherCode.HasValue()) {
        icon = UtilGraphics::LargeWeatherIcon(home.CurrentWeather.WeatherCode, home.IsDaytime());
    }
    if (!icon) {
        icon = UtilGraphics::NoDataIcon();
    }
    if (icon) {
        FitInto(graphics, *icon, IconBox);
    }
}

void CFormLocalWeather::DrawTemperatureAndName(CGraphics& graphics, const City& home, const PictureRect& box,
                                               const CStringFormat& format) const {
    const std::wstring text = home.CurrentWeather.TempratureText(L"--", Options().UseMetricSystem);
    graphics.DrawString(text, temperatureFont_, box, format, white_);
    // The name hangs under the digits: its right edge is theirs, without the degree sign. Their
    // edge comes from widths of whole strings, which Windows and Wine lay out alike (Wine's
    // character ranges lie some pixels right of what it draws): the text's right end, less
    // the layout's padding and the last character's advance.
    const std::wstring digits = text.substr(0, text.size() - 1);
    const PictureRect whole = graphics.MeasureString(text, temperatureFont_, box, format);
    const float digitsWidth = graphics.MeasureString(digits, temperatureFont_, box, format).Width;
    const float twiceWidth = graphics.MeasureString(digits + digits, temperatureFont_, box, format).Width;
    const float padding = (2 * digitsWidth - twiceWidth) / 2;
    const float right = box.X + box.Width - padding - (whole.Width - digitsWidth);
    graphics.DrawString(home.DisplayName(), nameFont_, NameBox({right, box.Y, 0, whole.Height}), format,
                        white_);
}

CBitmap& CFormLocalWeather::DrawPanel(CBitmap& bitmap, const PixelRect& panel, double scale) {
    CBitmap shadow = UtilGraphics::LocalWeatherShadow().Clone(PixelKind::Argb32);
    if (!shadow.HasImage()) {
        return bitmap;
    }
    // The slices are copied pixel by pixel, each stretched part from its nearest source pixel:
    // GDI+ fades the edges of a stretched slice, and the panel would show its seams.
    const CBitmapPixels source(shadow, PixelKind::Argb32);
    const CBitmapPixels target(bitmap, PixelKind::Argb32);
    if (!source.IsLocked() || !target.IsLocked()) {
        return bitmap;
    }
    for (const PanelPiece& piece : PanelPieces(panel, source.Width(), source.Height())) {
        const PixelRect to = ToDevice(piece.Destination, scale);
        const PixelRect& from = piece.Source;
        if (to.Width <= 0 || to.Height <= 0 || from.Width <= 0 || from.Height <= 0) {
            continue;
        }
        for (int y = std::max(to.Y, 0); y < std::min(to.Y + to.Height, target.Height()); ++y) {
            const int sourceY = from.Y + (y - to.Y) * from.Height / to.Height;
            const auto* sourceRow = reinterpret_cast<const uint32_t*>(source.Row(sourceY));
            auto* targetRow = reinterpret_cast<uint32_t*>(target.Row(y));
            for (int x = std::max(to.X, 0); x < std::min(to.X + to.Width, target.Width()); ++x) {
                targetRow[x] = sourceRow[from.X + (x - to.X) * from.Width / to.Width];
            }
        }
    }
    return bitmap;
}
