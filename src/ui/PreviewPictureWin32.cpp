#include "ui/PreviewPictureWin32.h"

#include "data/Options.h"
#include "render/PictureLayout.h"
#include "render/UtilGraphicsWin32.h"
#include "render/earth/BackgroundBitmapWin32.h"
#include "render/earth/EarthPictureWin32.h"

namespace {
void DrawGlobeGlowPreview(CGraphics& graphics, const RECT& client, COptions& options) {
    const auto& background =
        static_cast<const BackgroundBitmap&>(GetBackgroundImage(options.Background, LoadBackgroundBitmap));
    DrawRegion(graphics, options.Region, background.Bitmap(), 0, 0, client.right, client.bottom);
}

void DrawCloudPanePreview(CGraphics& graphics, const RECT& client) {
    const PictureRect area{0, 0, static_cast<float>(client.right), static_cast<float>(client.bottom)};
    graphics.DrawImage(UtilGraphics::Sky(), area);
    const auto icon = UtilGraphics::LargeWeatherIcon(Nullable<EnumWeatherCode>(EnumWeatherCode::Fair), true);
    if (icon && icon->Width() > 0 && icon->Height() > 0) {
        graphics.DrawImage(
            *icon, FitImage(static_cast<float>(icon->Width()), static_cast<float>(icon->Height()), area));
    }
}
} // namespace

void DrawPreviewPicture(CGraphics& graphics, const RECT& client, bool globeGlow, COptions& options) {
    if (globeGlow) {
        DrawGlobeGlowPreview(graphics, client, options);
    } else {
        DrawCloudPanePreview(graphics, client);
    }
}
