#include "ui/FormEarthView.h"

#include "app/Program.h"
#include "render/earth/EarthPictureWin32.h"

namespace {
constexpr wchar_t ClassName[] = L"Orbimeteo_FormEarthView";
} // namespace

bool CFormEarthView::Create(HWND frame) {
    WNDCLASSEXW windowClass{};
    windowClass.lpszClassName = ClassName;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    if (!RegisterWindowClass(windowClass)) {
        return false;
    }
    RECT client{};
    GetClientRect(frame, &client);
    return CreateWindowOf(ClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                          WS_EX_CLIENTEDGE, frame, client);
}

void CFormEarthView::Paint(HDC dc) {
    try {
        RECT client{};
        if (dc == nullptr || !GetClientRect(Handle(), &client) || client.right <= 0 || client.bottom <= 0) {
            return;
        }
        CGraphics graphics(dc);
        graphics.SetPixelUnit();
        DrawEarthPicture(graphics, Program::Options(), 0, 0, client.right, client.bottom);
    } catch (...) {
        // The window keeps what it showed.
    }
}
