#include "render/WeatherPictureWin32.h"
#include "data/Options.h"
#include "render/UtilGraphicsWin32.h"
#include "weather/WeatherIcons.h"

#include <cmath>
#include <memory>

namespace {
constexpr uint32_t White = 0xFFFFFFFF;

struct PictureResources {
    CFont Temperature{L"Arial", 20, FontValue::Bold};
    CFont Name{L"Arial", 9, FontValue::Bold};
    CBrush Brush{White};
    CStringFormat TopRight;

    PictureResources() {
        TopRight.SetAlign(TextAlign::Far);
        TopRight.SetLineAlign(TextAlign::Near);
    }
};

// A picture resampled to the size it is drawn at. Stretching the sky over a large screen costs
// several hundred milliseconds a refresh, so it is done once per size; drawing the copy at its
// own size gives the same pixels.
struct ScaledCopy {
    CBitmap Bitmap;
    std::wstring Source;
    int Width = 0;
    int Height = 0;
    int SourceWidth = 0;
    int SourceHeight = 0;

    bool Holds(const std::wstring& source, int width, int height) const {
        return Bitmap.HasImage() && Source == source && Width == width && Height == height;
    }
};

struct PictureState {
    std::unique_ptr<PictureResources> Resources;
    ScaledCopy Sky;
    ScaledCopy Icon;
};

PictureState state;

PictureResources& Resources() {
    if (!state.Resources) {
        state.Resources = std::make_unique<PictureResources>();
    }
    return *state.Resources;
}

int Pixels(float value) {
    return static_cast<int>(std::lround(value));
}

void Rescale(ScaledCopy& copy, const CBitmap& source, const std::wstring& name, int width, int height,
             PixelKind kind) {
    copy = ScaledCopy{CBitmap(width, height, kind), name, width, height, source.Width(), source.Height()};
    CGraphics graphics(copy.Bitmap);
    graphics.SetInterpolation(Interpolation::HighQuality);
    graphics.DrawImage(source, PictureRect{0, 0, static_cast<float>(width), static_cast<float>(height)});
}

const CBitmap& ScaledSky(int width, int height) {
    if (!state.Sky.Holds(L"Sky.png", width, height)) {
        Rescale(state.Sky, UtilGraphics::Sky(), L"Sky.png", width, height, PixelKind::Rgb24);
    }
    return state.Sky.Bitmap;
}

void PrepareSurface(CGraphics& graphics) {
    graphics.SetPixelUnit();
    graphics.SetAntiAliasedText();
}

void DrawLargeIcon(CGraphics& graphics, const City& home, const PictureRect& workRect) {
    const Nullable<EnumWeatherCode>& code = home.CurrentWeather.WeatherCode;
    const bool daytime = home.IsDaytime();
    const wchar_t* name = WeatherIconFileName(code, daytime);
    if (name == nullptr) {
        return;
    }
    // The fit needs the icon's own size, which a scaled copy of it remembers: the full-size
    // picture is decoded only when the copy must be made again.
    std::shared_ptr<const CBitmap> icon;
    int iconWidth = state.Icon.SourceWidth;
    int iconHeight = state.Icon.SourceHeight;
    if (state.Icon.Source != name || !state.Icon.Bitmap.HasImage()) {
        icon = UtilGraphics::LargeWeatherIcon(code, daytime);
        if (!icon || !icon->HasImage()) {
            return;
        }
        iconWidth = icon->Width();
        iconHeight = icon->Height();
    }
    const PictureRect fitted =
        FitImage(static_cast<float>(iconWidth), static_cast<float>(iconHeight), workRect);
    const PixelRect target{Pixels(fitted.X), Pixels(fitted.Y), Pixels(fitted.Width), Pixels(fitted.Height)};
    if (target.Width <= 0 || target.Height <= 0) {
        return;
    }
    if (!state.Icon.Holds(name, target.Width, target.Height)) {
        if (!icon) {
            icon = UtilGraphics::LargeWeatherIcon(code, daytime);
        }
        Rescale(state.Icon, *icon, name, target.Width, target.Height, PixelKind::Argb32);
    }
    graphics.DrawImage(state.Icon.Bitmap, target);
}

// Steps after the sky: nothing more unless the home city's report is recent.
void DrawWeather(CGraphics& graphics, const PictureRect& workRect, const COptions& options) {
    const City* home = options.HomeCity.Get();
    if (home == nullptr || !home->CurrentWeather.IsRecent()) {
        return;
    }
    DrawLargeIcon(graphics, *home, workRect);

    PictureResources& resources = Resources();
    const std::wstring temperature = home->CurrentWeather.TempratureText(L"--", options.UseMetricSystem);
    const PictureRect box = TemperatureBox(workRect);
    graphics.DrawString(temperature, resources.Temperature, box, resources.TopRight, resources.Brush);
    // The name ends under the last digit: at the right edge of everything but the last
    // character (the degree sign, or the second "-"). Right-aligned text ends one padding (a
    // sixth of the font's em) inside its box; the last character's advance is what the text
    // measures beyond the rest. Wine places measured character ranges of right-aligned text
    // several pixels right of where it draws them, so the ranges give only the line's height.
    const int last = static_cast<int>(temperature.size()) - 1;
    const PictureRect line =
        graphics.MeasureCharacters(temperature, 0, last + 1, resources.Temperature, box, resources.TopRight);
    const float advance =
        graphics.MeasureString(temperature, resources.Temperature, box, resources.TopRight).Width -
        graphics.MeasureString(temperature.substr(0, last), resources.Temperature, box, resources.TopRight)
            .Width;
    const float padding = resources.Temperature.Size() * graphics.DpiY() / 72 / 6;
    const float digitsRight = box.X + box.Width - padding - advance;
    const PictureRect digits{line.X, line.Y, digitsRight - line.X, line.Height};
    graphics.DrawString(home->DisplayName(), resources.Name, NameBox(digits), resources.TopRight,
                        resources.Brush);
}
} // namespace

void DrawWeatherPicture(CGraphics& graphics, const PictureRect& pictureRect, const PictureRect& workRect,
                        const COptions& options) {
    PrepareSurface(graphics);
    const PixelRect sky{Pixels(pictureRect.X), Pixels(pictureRect.Y), Pixels(pictureRect.Width),
                        Pixels(pictureRect.Height)};
    if (sky.Width > 0 && sky.Height > 0 && UtilGraphics::Sky().HasImage()) {
        graphics.DrawImage(ScaledSky(sky.Width, sky.Height), sky);
    }
    DrawWeather(graphics, workRect, options);
}

CBitmap CreateWeatherPicture(int width, int height, PixelKind kind, float dpi, const PictureRect& workRect,
                             const COptions& options) {
    CBitmap picture = width > 0 && height > 0 ? ScaledSky(width, height).Clone(kind) : CBitmap();
    if (!picture.HasImage()) {
        return picture;
    }
    picture.SetResolution(dpi, dpi);
    CGraphics graphics(picture);
    PrepareSurface(graphics);
    DrawWeather(graphics, workRect, options);
    return picture;
}

void ReleaseWeatherPicture() {
    state = PictureState();
}
