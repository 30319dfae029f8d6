#include "ui/FormScreenSaverPreview.h"

#include "app/Program.h"
#include "core/ApplicationException.h"
#include "data/Options.h"
#include "render/UtilGraphicsWin32.h"
#include "render/earth/BackgroundBitmapWin32.h"
#include "render/earth/EarthPictureWin32.h"

namespace {
constexpr wchar_t ClassName[] = L"Orbimeteo_FormScreenSaverPreview";

void DrawGlobeGlowPreview(CGraphics& graphics, const RECT& client) {
    COptions& options = Program::Options();
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

bool CFormScreenSaverPreview::Create(HWND parent, const RECT& bounds) {
    WNDCLASSEXW windowClass{};
    windowClass.lpszClassName = ClassName;
    if (!RegisterWindowClass(windowClass)) {
        return false;
    }
    return CreateWindowOf(ClassName, Program::DisplayName(), WS_CHILD | WS_VISIBLE, 0, parent, bounds);
}

LRESULT CFormScreenSaverPreview::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        ShowWindow(Handle(), SW_HIDE);
        PostQuitMessage(0);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return PaintedWindow::HandleMessage(message, wParam, lParam);
    }
}

void CFormScreenSaverPreview::Paint(HDC dc) {
    try {
        RECT client{};
        if (!GetClientRect(Handle(), &client)) {
            ThrowApplicationException("CFormScreenSaverPreview::Paint (31)");
        }
        CGraphics graphics(dc);
        graphics.SetPixelUnit();
        if (Program::IsGlobeGlow()) {
            DrawGlobeGlowPreview(graphics, client);
        } else {
            DrawCloudPanePreview(graphics, client);
        }
    } catch (...) {
        // The window keeps what it showed.
    }
}
