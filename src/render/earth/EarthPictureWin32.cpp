#include "render/earth/EarthPictureWin32.h"

#include "render/LayerBlend.h"
#include "render/earth/BackgroundBitmapWin32.h"
#include "render/earth/CityMarkers.h"
#include "render/earth/MarkerCanvasWin32.h"
#include "render/earth/NightOverlayWin32.h"

namespace {
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
    CBitmap Day;
    CBitmap Night;
    // Where each paint blends the two; what it held before is never shown again.
    CBitmap Blend;

    bool Fit(int width, int height, const EarthRegion& region, const std::wstring& path,
             const BackgroundImage* background, uint64_t version) const {
        return Day.HasImage() && Night.HasImage() && Blend.HasImage() && width == Width && height == Height &&
               region == Region && path == BackgroundPath && background == Background &&
               version == OverlayVersion;
    }
};

ScaledLayers& Cache() {
    static ScaledLayers cache;
    return cache;
}

CBitmap Scaled(uint32_t clear, const EarthRegion& region, const CBitmap& image, int width, int height) {
    CBitmap layer(width, height, PixelKind::Argb32);
    CGraphics graphics(layer);
    graphics.SetPixelUnit();
    graphics.Clear(clear);
    DrawRegion(graphics, region, image, 0, 0, width, height);
    return layer;
}

ScaledLayers& LayersFor(COptions& options, int width, int height) {
    const auto& background =
        static_cast<const BackgroundBitmap&>(GetBackgroundImage(options.Background, LoadBackgroundBitmap));
    ScaledLayers& cache = Cache();
    const uint64_t version = NightOverlayVersion();
    if (cache.Fit(width, height, options.Region, options.Background.Path(), &background, version)) {
        return cache;
    }
    // Drop the old layers first: at a large size each is tens of megabytes.
    cache = ScaledLayers();
    // A day image that did not load leaves the day layer black; no overlay leaves the night clear.
    cache.Day = Scaled(0xFF000000u, options.Region, background.Bitmap(), width, height);
    cache.Night = Scaled(0x00000000u, options.Region, NightOverlay(), width, height);
    cache.Blend = CBitmap(width, height, PixelKind::Argb32);
    cache.Width = width;
    cache.Height = height;
    cache.Region = options.Region;
    cache.BackgroundPath = options.Background.Path();
    cache.Background = &background;
    cache.OverlayVersion = version;
    return cache;
}

// The night layer over the day layer into the blend bitmap, through their locked pixels.
bool BlendLayers(ScaledLayers& layers) {
    const CBitmapPixels day(layers.Day, PixelKind::Argb32);
    const CBitmapPixels night(layers.Night, PixelKind::Argb32);
    const CBitmapPixels blend(layers.Blend, PixelKind::Argb32);
    if (!day.IsLocked() || !night.IsLocked() || !blend.IsLocked()) {
        return false;
    }
    BlendOver(reinterpret_cast<const uint32_t*>(day.Row(0)), day.Stride() / 4,
              reinterpret_cast<const uint32_t*>(night.Row(0)), night.Stride() / 4,
              reinterpret_cast<uint32_t*>(blend.Row(0)), blend.Stride() / 4, layers.Width, layers.Height);
    return true;
}
} // namespace

void DrawRegion(CGraphics& graphics, const EarthRegion& region, const CBitmap& image, int destX, int destY,
                int destWidth, int destHeight) {
    if (!image.HasImage()) {
        return;
    }
    const PixelRect source = RegionSourceRect(region, image.Width(), image.Height());
    graphics.DrawImage(image, PixelRect{destX, destY, destWidth, destHeight}, source);
}

void DrawEarthPicture(CGraphics& graphics, COptions& options, int x, int y, int width, int height) {
    graphics.SetPixelUnit();
    graphics.SetAntiAliasedText();
    if (width <= 0 || height <= 0) {
        return;
    }
    if (!NightOverlay().HasImage()) {
        RefreshNightOverlay();
    }
    ScaledLayers& layers = LayersFor(options, width, height);
    const PixelRect destination{x, y, width, height};
    if (BlendLayers(layers)) {
        graphics.DrawImage(layers.Blend, destination, PixelRect{0, 0, width, height});
    } else {
        graphics.DrawImage(layers.Day, destination, PixelRect{0, 0, width, height});
        graphics.DrawImage(layers.Night, destination, PixelRect{0, 0, width, height});
    }
    if (options.ShowWeather) {
        GraphicsMarkerCanvas canvas(graphics, options.FontCityName, options.FontCityTemprature);
        DrawCityMarkers(canvas, options, destination);
    }
}

void DrawCityMarker(CGraphics& graphics, const City& city, const COptions& options, bool drawNames,
                    bool drawTemperatures, bool drawIcon, int pixelX, int pixelY) {
    GraphicsMarkerCanvas canvas(graphics, options.FontCityName, options.FontCityTemprature);
    DrawCityMarker(canvas, city, options, drawNames, drawTemperatures, drawIcon, {pixelX, pixelY});
}

void ReleaseEarthPicture() {
    Cache() = ScaledLayers();
    ReleaseNightLayer();
}
