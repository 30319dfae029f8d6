#include "render/earth/NightOverlayWin32.h"

#include "render/DayNightMask.h"
#include "render/earth/EarthPictureWin32.h"

#include <memory>
#include <vector>

namespace {
// The night image's size decides the mask's; the overlay is a 32-bit copy of the image whose
// colours never change and whose alpha is the mask's for the time of day.
struct NightLayer {
    Gdiplus::Image* Night = nullptr;
    SmallIconSource SmallIcon;
    std::vector<uint8_t> Mask;
    int MaskWidth = 0;
    int MaskHeight = 0;
    std::unique_ptr<Gdiplus::Bitmap> Overlay;
    uint64_t Version = 0;
};

NightLayer& Layer() {
    static NightLayer layer;
    return layer;
}

std::unique_ptr<Gdiplus::Bitmap> CopyToArgb(Gdiplus::Image* night) {
    if (night == nullptr) {
        return nullptr;
    }
    const auto width = static_cast<INT>(night->GetWidth());
    const auto height = static_cast<INT>(night->GetHeight());
    auto copy = std::make_unique<Gdiplus::Bitmap>(width > 0 ? width : 1, height > 0 ? height : 1,
                                                  PixelFormat32bppARGB);
    if (copy->GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    if (width > 0 && height > 0) {
        Gdiplus::Graphics graphics(copy.get());
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        graphics.DrawImage(night, Gdiplus::Rect(0, 0, width, height), 0, 0, width, height,
                           Gdiplus::UnitPixel);
    }
    return copy;
}
} // namespace

void UseEarthPictureImages(Gdiplus::Image* night, SmallIconSource smallIcon) {
    NightLayer& layer = Layer();
    if (layer.Night != night) {
        layer.Overlay.reset();
        layer.Mask.clear();
        ++layer.Version;
    }
    layer.Night = night;
    layer.SmallIcon = std::move(smallIcon);
}

Gdiplus::Image* SmallWeatherIconOf(bool daytime, const Nullable<EnumWeatherCode>& code) {
    const NightLayer& layer = Layer();
    return layer.SmallIcon ? layer.SmallIcon(daytime, code) : nullptr;
}

void BuildDayNightMask() {
    NightLayer& layer = Layer();
    const int width = layer.Night != nullptr ? static_cast<int>(layer.Night->GetWidth()) : 0;
    const int height = layer.Night != nullptr ? static_cast<int>(layer.Night->GetHeight()) : 0;
    layer.Mask = BuildDayNightMask(width, height, DateTime::UtcNow());
    layer.MaskWidth = width;
    layer.MaskHeight = height;
}

void RefreshNightOverlay() {
    NightLayer& layer = Layer();
    if (layer.Overlay == nullptr) {
        layer.Overlay = CopyToArgb(layer.Night);
        if (layer.Overlay == nullptr) {
            return;
        }
    }
    if (layer.Mask.empty()) {
        BuildDayNightMask();
    }
    const auto width = static_cast<INT>(layer.Overlay->GetWidth());
    const auto height = static_cast<INT>(layer.Overlay->GetHeight());
    if (width != layer.MaskWidth || height != layer.MaskHeight) {
        return;
    }
    const Gdiplus::Rect whole(0, 0, width, height);
    Gdiplus::BitmapData bits{};
    // Read and write: the colours already in the buffer stay, only the alpha changes.
    if (layer.Overlay->LockBits(&whole, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite,
                                PixelFormat32bppARGB, &bits) != Gdiplus::Ok) {
        return;
    }
    ApplyDayNightMask(layer.Mask, static_cast<uint32_t*>(bits.Scan0), width, height, bits.Stride / 4,
                      DateTime::UtcNow().TimeOfDay());
    layer.Overlay->UnlockBits(&bits);
    ++layer.Version;
}

Gdiplus::Bitmap* NightOverlay() {
    return Layer().Overlay.get();
}

uint64_t NightOverlayVersion() {
    return Layer().Version;
}

void ReleaseNightLayer() {
    NightLayer& layer = Layer();
    layer.Overlay.reset();
    layer.Mask.clear();
    layer.Mask.shrink_to_fit();
    layer.Night = nullptr;
    layer.SmallIcon = nullptr;
    ++layer.Version;
}
