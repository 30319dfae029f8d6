#include "render/earth/NightOverlayWin32.h"

#include "render/DayNightMask.h"
#include "render/UtilGraphicsWin32.h"
#include "render/earth/EarthPictureWin32.h"

#include <vector>

namespace {
// The night image's size decides the mask's; the overlay is a 32-bit copy of the image whose
// colours never change and whose alpha is the mask's for the time of day.
struct NightLayer {
    std::vector<uint8_t> Mask;
    int MaskWidth = 0;
    int MaskHeight = 0;
    CBitmap Overlay;
    uint64_t Version = 0;
};

NightLayer& Layer() {
    static NightLayer layer;
    return layer;
}
} // namespace

void BuildDayNightMask() {
    NightLayer& layer = Layer();
    const CBitmap& night = UtilGraphics::NightImage();
    layer.Mask = BuildDayNightMask(night.Width(), night.Height(), DateTime::UtcNow());
    layer.MaskWidth = night.Width();
    layer.MaskHeight = night.Height();
}

void RefreshNightOverlay() {
    NightLayer& layer = Layer();
    if (!layer.Overlay.HasImage()) {
        layer.Overlay = UtilGraphics::NightImage().Clone(PixelKind::Argb32);
        if (!layer.Overlay.HasImage()) {
            return;
        }
    }
    if (layer.Mask.empty()) {
        BuildDayNightMask();
    }
    const CBitmapPixels pixels(layer.Overlay, PixelKind::Argb32);
    if (!pixels.IsLocked()) {
        return;
    }
    // A mask of another size (a night image that failed to load) leaves the overlay as it is.
    if (layer.MaskWidth != pixels.Width() || layer.MaskHeight != pixels.Height()) {
        return;
    }
    ApplyDayNightMask(layer.Mask, reinterpret_cast<uint32_t*>(pixels.Row(0)), pixels.Width(), pixels.Height(),
                      pixels.Stride() / 4, DateTime::UtcNow().TimeOfDay());
    ++layer.Version;
}

const CBitmap& NightOverlay() {
    return Layer().Overlay;
}

uint64_t NightOverlayVersion() {
    return Layer().Version;
}

void ReleaseNightLayer() {
    NightLayer& layer = Layer();
    layer.Overlay = CBitmap();
    layer.Mask = std::vector<uint8_t>();
    layer.MaskWidth = 0;
    layer.MaskHeight = 0;
    ++layer.Version;
}
