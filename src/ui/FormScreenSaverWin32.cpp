#include "ui/FormScreenSaver.h"

#include "app/Program.h"
#include "render/WeatherPictureWin32.h"

#include <cstdlib>

namespace {
constexpr wchar_t ClassName[] = L"Orbimeteo_FormScreenSaver";
// A mouse resting on a desk still jitters; only a real move ends the saver.
constexpr int MouseSlackPixels = 100;
} // namespace

bool CFormScreenSaver::Create() {
    WNDCLASSEXW windowClass{};
    windowClass.lpszClassName = ClassName;
    // No background brush: the picture covers every pixel.
    if (!RegisterWindowClass(windowClass)) {
        return false;
    }
    return CreateWindowOf(ClassName, Program::DisplayName(), WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, nullptr,
                          RECT{});
}

LRESULT CFormScreenSaver::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        RequestClose();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            RequestClose();
        }
        return 0;
    case WM_ACTIVATEAPP:
        if (wParam == FALSE) {
            RequestClose();
        }
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_CLOSE) {
            return 0;
        }
        return DefaultHandler(message, wParam, lParam);
    case WM_CLOSE:
        Program::Exit();
        return 0;
    default:
        return PaintedWindow::HandleMessage(message, wParam, lParam);
    }
}

void CFormScreenSaver::OnCreate() {
    ShowCursor(FALSE);
    SetWindowPos(Handle(), HWND_TOPMOST, GetSystemMetrics(SM_XVIRTUALSCREEN),
                 GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                 GetSystemMetrics(SM_CYVIRTUALSCREEN), 0);
    SetForegroundWindow(Handle());
    SetActiveWindow(Handle());
}

void CFormScreenSaver::OnMouseMove() {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) {
        RequestClose();
        return;
    }
    if (!FirstMouseTaken) {
        FirstMouseX = cursor.x;
        FirstMouseY = cursor.y;
        FirstMouseTaken = true;
        return;
    }
    if (std::abs(cursor.x - FirstMouseX) > MouseSlackPixels ||
        std::abs(cursor.y - FirstMouseY) > MouseSlackPixels) {
        RequestClose();
    }
}

void CFormScreenSaver::Paint(HDC dc) {
    try {
        RECT client{};
        if (dc == nullptr || !GetClientRect(Handle(), &client)) {
            return;
        }
        CGraphics graphics(dc);
        const PictureRect rect{0, 0, static_cast<float>(client.right), static_cast<float>(client.bottom)};
        DrawWeatherPicture(graphics, rect, rect, Program::Options());
    } catch (...) {
        // The window keeps what it showed.
    }
}

void CFormScreenSaver::RequestClose() {
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}
