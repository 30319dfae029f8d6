#include "ui/DisplayPreviewWin32.h"

#include "data/Options.h"
#include "render/earth/BackgroundBitmapWin32.h"
#include "render/earth/EarthPictureWin32.h"

namespace {
constexpr float SampleCelsius = 23.0f;

// At latitude and longitude 0, observed now: its icon is the day or night one of this moment.
City SampleCity() {
    City city(0, L"", L"", L"Name", L"", 0.0f, 0.0f);
    city.CurrentWeather.ReportDateTime = DateTime::UtcNow();
    city.CurrentWeather.WeatherCode = EnumWeatherCode::PartlyCloudy;
    city.CurrentWeather.Temprature = SampleCelsius;
    city.CurrentWeather.DewPoint = SampleCelsius;
    return city;
}
} // namespace

void DrawDisplayPreview(CGraphics& graphics, COptions& options, int width, int height) {
    graphics.SetPixelUnit();
    graphics.SetAntiAliasedText();
    graphics.SetInterpolation(Interpolation::HighQuality);
    const auto& background =
        static_cast<const BackgroundBitmap&>(GetBackgroundImage(options.Background, LoadBackgroundBitmap));
    DrawRegion(graphics, PreviewRegion(), background.Bitmap(), 0, 0, width, height);
    DrawCityMarker(graphics, SampleCity(), options, true, true, true, width / 2, height / 2);
}
