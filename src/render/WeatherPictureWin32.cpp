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

// The sky stretched over the picture with the large icon fitted onto it, both resampled in
// high quality. Stretching a 3840x2160 sky costs several hundred milliseconds, so this layer
// is made again only when the size or the icon changes; each refresh copies it and adds the
// texts, which gives the pixels of drawing it all afresh.
struct Background {
    CBitmap Bitmap;
    int Width = 0;
    int Height = 0;
    std::wstring Icon; // empty for none
    PixelRect IconRect;

    bool Holds(int width, int height, const std::wstring& icon, const PixelRect& iconRect) const {
        return Bitmap.HasImage() && Width == width && Height == height && Icon == icon &&
               IconRect == iconRect;
    }
};

// The size of the last icon drawn, so that an unchanged picture needs no decoding of it.
struct IconSize {
    std::wstring Name;
    int Width = 0;
    int Height = 0;
};

struct PictureState {
    std::unique_ptr<PictureResources> Resources;
    Background Layer;
    IconSize LastIcon;
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

// What the layer shows: the home city's icon while its report is recent. The rectangle is in
// the picture's coordinates.
struct IconChoice {
    std::wstring Name;
    PixelRect Rect;
};

IconChoice ChooseIcon(const COptions& options, const PictureRect& workRect) {
    const City* home = options.HomeCity.Get();
    if (home == nullptr || !home->CurrentWeather.IsRecent()) {
        return {};
    }
    const Nullable<EnumWeatherCode>& code = home->CurrentWeather.WeatherCode;
    const bool daytime = home->IsDaytime();
    const wchar_t* name = WeatherIconFileName(code, daytime);
    if (name == nullptr) {
        return {};
    }
    if (state.LastIcon.Name != name) {
        const std::shared_ptr<const CBitmap> icon = UtilGraphics::LargeWeatherIcon(code, daytime);
        state.LastIcon = {name, icon ? icon->Width() : 0, icon ? icon->Height() : 0};
    }
    const PictureRect fitted = FitImage(static_cast<float>(state.LastIcon.Width),
                                        static_cast<float>(state.LastIcon.Height), workRect);
    const PixelRect rect{Pixels(fitted.X), Pixels(fitted.Y), Pixels(fitted.Width), Pixels(fitted.Height)};
    if (rect.Width <= 0 || rect.Height <= 0) {
        return {};
    }
    return {name, rect};
}

const CBitmap& BackgroundLayer(int width, int height, const IconChoice& icon, const COptions& options) {
    if (state.Layer.Holds(width, height, icon.Name, icon.Rect)) {
        return state.Layer.Bitmap;
    }
    // The old layer goes first: two of them at once would double the picture's memory.
    state.Layer = Background();
    Background layer{CBitmap(width, height, PixelKind::Rgb24), width, height, icon.Name, icon.Rect};
    {
        CGraphics graphics(layer.Bitmap);
        graphics.SetInterpolation(Interpolation::HighQuality);
        graphics.DrawImage(UtilGraphics::Sky(),
                           PictureRect{0, 0, static_cast<float>(width), static_cast<float>(height)});
        if (!icon.Name.empty()) {
            const City& home = *options.HomeCity;
            const auto picture =
                UtilGraphics::LargeWeatherIcon(home.CurrentWeather.WeatherCode, home.IsDaytime());
            if (picture) {
                graphics.DrawImage(*picture, icon.Rect);
            }
        }
    }
    state.Layer = std::move(layer);
    return state.Layer.Bitmap;
}

void PrepareSurface(CGraphics& graphics) {
    graphics.SetPixelUnit();
    graphics.SetAntiAliasedText();
}

// Steps after the sky: nothing more unless the home city's report is recent.
void DrawWeather(CGraphics& graphics, const PictureRect& workRect, const COptions& options) {
    const City* home = options.HomeCity.Get();
    if (home == nullptr || !home->CurrentWeather.IsRecent()) {
        return;
    }

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
    const PixelRect picture{Pixels(pictureRect.X), Pixels(pictureRect.Y), Pixels(pictureRect.Width),
                            Pixels(pictureRect.Height)};
    if (picture.Width > 0 && picture.Height > 0) {
        // The layer has the picture's origin at its top left.
        IconChoice icon = ChooseIcon(options, workRect);
        icon.Rect.X -= picture.X;
        icon.Rect.Y -= picture.Y;
        graphics.DrawImage(BackgroundLayer(picture.Width, picture.Height, icon, options), picture);
    }
    DrawWeather(graphics, workRect, options);
}

CBitmap CreateWeatherPicture(int width, int height, PixelKind kind, float dpi, const PictureRect& workRect,
                             const COptions& options) {
    if (width <= 0 || height <= 0) {
        return CBitmap();
    }
    CBitmap picture = BackgroundLayer(width, height, ChooseIcon(options, workRect), options).Clone(kind);
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
