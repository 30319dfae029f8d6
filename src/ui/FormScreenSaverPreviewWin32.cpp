#include "ui/FormScreenSaverPreview.h"

#include "app/Program.h"
#include "core/ApplicationException.h"
#include "ui/PreviewPictureWin32.h"

namespace {
constexpr wchar_t ClassName[] = L"Orbimeteo_FormScreenSaverPreview";
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
        DrawPreviewPicture(graphics, client, Program::IsGlobeGlow(), Program::Options());
    } catch (...) {
        // The window keeps what it showed.
    }
}
