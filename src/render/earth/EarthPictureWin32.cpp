#include "render/earth/EarthPictureWin32.h"

#include "render/LayerBlend.h"
#include "render/earth/BackgroundBitmapWin32.h"
#include "render/earth/CityMarkers.h"
#include "render/earth/MarkerCanvasWin32.h"
#include "render/earth/NightOverlayWin32.h"

#include <memory>
#include <vector>

namespace {
// A 32-bit picture in memory the program can reach without locking, and GDI+ can draw into.
class PixelLayer {
public:
    PixelLayer(int width, int height, Gdiplus::PixelFormat format)
        : pixels_(static_cast<size_t>(width) * static_cast<size_t>(height)),
          bitmap_(width, height, width * 4, format, reinterpret_cast<BYTE*>(pixels_.data())) {}

    uint32_t* Pixels() { return pixels_.data(); }
    Gdiplus::Bitmap& Bitmap() { return bitmap_; }

private:
    std::vector<uint32_t> pixels_;
    Gdiplus::Bitmap bitmap_;
};

// The day and night layers scaled to the picture once, and reused while the size, the region,
// the day image and the overlay stay the same: stretching the world images costs far more than
// blending two layers of the picture's own size.
struct ScaledLayers {
    int Width = 0;
    int Height = 0;
    EarthRegion Region;
    std::wstring BackgroundPath;
    const BackgroundImage* Background = nullptr;
    uint64_t OverlayVersion = 0;
    std::unique_ptr<PixelLayer> Day;
    std::unique_ptr<PixelLayer> Night;
    // Where each paint blends the two; its content is never reused.
    std::unique_ptr<PixelLayer> Blend;

    bool Fit(int width, int height, const EarthRegion& region, const std::wstring& path,
             const BackgroundImage* background, uint64_t version) const {
        return Day != nullptr && width == Width && height == Height && region == Region &&
               path == BackgroundPath && background == Background && version == OverlayVersion;
    }
};

ScaledLayers& Cache() {
    static ScaledLayers cache;
    return cache;
}

void DrawScaled(PixelLayer& layer, Gdiplus::Color clear, const EarthRegion& region, Gdiplus::Image* image,
                int width, int height) {
    Gdiplus::Graphics graphics(&layer.Bitmap());
    graphics.SetPageUnit(Gdiplus::UnitPixel);
    graphics.Clear(clear);
    DrawRegion(graphics, region, image, 0, 0, width, height);
}

ScaledLayers& LayersFor(COptions& options, int width, int height) {
    BackgroundImage& background = GetBackgroundImage(options.Background, LoadBackgroundBitmap);
    Gdiplus::Bitmap* overlay = NightOverlay();
    ScaledLayers& cache = Cache();
    const uint64_t version = NightOverlayVersion();
    if (cache.Fit(width, height, options.Region, options.Background.Path(), &background, version)) {
        return cache;
    }
    cache.Day.reset();
    cache.Night.reset();
    cache.Blend.reset();
    auto day = std::make_unique<PixelLayer>(width, height, PixelFormat32bppPARGB);
    auto night = std::make_unique<PixelLayer>(width, height, PixelFormat32bppPARGB);
    auto blend = std::make_unique<PixelLayer>(width, height, PixelFormat32bppRGB);
    // A day image that is missing leaves the day layer black; no overlay leaves the night clear.
    DrawScaled(*day, Gdiplus::Color(255, 0, 0, 0), options.Region,
               &static_cast<BackgroundBitmap&>(background).Bitmap(), width, height);
    DrawScaled(*night, Gdiplus::Color(0, 0, 0, 0), options.Region, overlay, width, height);
    cache.Width = width;
    cache.Height = height;
    cache.Region = options.Region;
    cache.BackgroundPath = options.Background.Path();
    cache.Background = &background;
    cache.OverlayVersion = version;
    cache.Day = std::move(day);
    cache.Night = std::move(night);
    cache.Blend = std::move(blend);
    return cache;
}
} // namespace

void DrawRegion(Gdiplus::Graphics& graphics, const EarthRegion& region, Gdiplus::Image* image, int destX,
                int destY, int destWidth, int destHeight) {
    if (image == nullptr) {
        return;
    }
    const PixelRect source =
        RegionSourceRect(region, static_cast<int>(image->GetWidth()), static_cast<int>(image->GetHeight()));
    graphics.DrawImage(image, Gdiplus::Rect(destX, destY, destWidth, destHeight), source.X, source.Y,
                       source.Width, source.Height, Gdiplus::UnitPixel);
}

void DrawEarthPicture(Gdiplus::Graphics& graphics, COptions& options, int x, int y, int width, int height) {
    graphics.SetPageUnit(Gdiplus::UnitPixel);
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    if (width <= 0 || height <= 0) {
        return;
    }
    if (NightOverlay() == nullptr) {
        RefreshNightOverlay();
    }
    ScaledLayers& layers = LayersFor(options, width, height);
    BlendPremultipliedOver(layers.Day->Pixels(), width, layers.Night->Pixels(), width, layers.Blend->Pixels(),
                           width, width, height);
    const Gdiplus::CompositingMode mode = graphics.GetCompositingMode();
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    graphics.DrawImage(&layers.Blend->Bitmap(), Gdiplus::Rect(x, y, width, height), 0, 0, width, height,
                       Gdiplus::UnitPixel);
    graphics.SetCompositingMode(mode);
    if (options.ShowWeather) {
        GdiplusMarkerCanvas canvas(graphics, options.FontCityName, options.FontCityTemprature);
        DrawCityMarkers(canvas, options, {x, y, width, height});
    }
}

void DrawCityMarker(Gdiplus::Graphics& graphics, const City& city, const COptions& options, bool drawNames,
                    bool drawTemperatures, bool drawIcon, int pixelX, int pixelY) {
    GdiplusMarkerCanvas canvas(graphics, options.FontCityName, options.FontCityTemprature);
    DrawCityMarker(canvas, city, options, drawNames, drawTemperatures, drawIcon, {pixelX, pixelY});
}

void ReleaseEarthPicture() {
    ScaledLayers& cache = Cache();
    cache.Day.reset();
    cache.Night.reset();
    cache.Blend.reset();
    cache.Background = nullptr;
    ReleaseNightLayer();
}
