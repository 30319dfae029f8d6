#include "ui/FormLocalWeather.h"

#include "core/ApplicationException.h"
#include "core/ScopedGdiWin32.h"
#include "data/Options.h"
#include "ui/LocalWeatherIds.h"

#include <windowsx.h>

using namespace LocalWeatherLayout;

namespace {
constexpr wchar_t ClassName[] = L"Orbimeteo_FormLocalWeather";
constexpr UINT DpiChangedMessage = 0x02E0; // WM_DPICHANGED, Windows 8.1 and later
constexpr double DefaultDpi = 96;

// The monitor's scale of the window; 1 where the system cannot tell (before Windows 10, or a
// process the system scales itself).
double ScaleOfWindow(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow == nullptr) {
        return 1;
    }
    const UINT dpi = getDpiForWindow(window);
    return dpi == 0 ? 1 : dpi / DefaultDpi;
}

Point VirtualScreenOrigin() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN)};
}

int CommandOfMode(Mode mode) {
    switch (mode) {
    case Mode::Small:
        return ID_LOCAL_WEATHER_SMALL;
    case Mode::IconOnly:
        return ID_LOCAL_WEATHER_ICON_ONLY;
    case Mode::Large:
        break;
    }
    return ID_LOCAL_WEATHER_LARGE;
}
} // namespace

bool CFormLocalWeather::Create() {
    WNDCLASSEXW windowClass{};
    windowClass.lpszClassName = ClassName;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    if (!RegisterWindowClass(windowClass)) {
        return false;
    }
    return CreateWindowOf(ClassName, L"Local Weather", WS_POPUP,
                          WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, nullptr, RECT{});
}

void CFormLocalWeather::Show() {
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetActiveWindow(Handle());
}

LRESULT CFormLocalWeather::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_CLOSE:
        ShowWindow(Handle(), SW_HIDE);
        return 0;
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove();
        return 0;
    case WM_LBUTTONUP:
        EndDrag();
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse in mid-drag: without the button-up the window would
        // otherwise follow the cursor when it next passes over it.
        dragging_ = false;
        return 0;
    case WM_RBUTTONDOWN:
        OnContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case DpiChangedMessage:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        return DefaultHandler(message, wParam, lParam);
    }
}

void CFormLocalWeather::Update(const CBitmap& picture) {
    const Size size{picture.Width(), picture.Height()};
    RECT window{};
    GetWindowRect(Handle(), &window);
    const Point position =
        PositionOnRedraw({window.left, window.top}, size, mode_, VirtualScreenOrigin(), scale_);

    // Over transparent black the system gets the premultiplied colours it blends.
    const GdiObjectHandle bitmap(picture.CreateHBitmap(0x00000000));
    if (!bitmap.IsValid()) {
        ThrowApplicationException("CFormLocalWeather::Update (672)");
    }
    const ScreenDcHandle screen(GetDC(nullptr));
    const MemoryDcHandle memory(CreateCompatibleDC(screen.Get()));
    if (!memory.IsValid()) {
        return;
    }
    const SelectedGdiObject selected(memory.Get(), bitmap.Get());
    POINT destination{position.X, position.Y};
    SIZE extent{size.Width, size.Height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(Handle(), screen.Get(), &destination, &extent, memory.Get(), &source, 0, &blend,
                        ULW_ALPHA);
}

void CFormLocalWeather::OnCreate() {
    scale_ = ScaleOfWindow(Handle());
    if (SetTopmost(Options().FormLocalWeather_AlwaysOnTop)) {
        Options().FormLocalWeather_AlwaysOnTop = IsTopmost();
    }
    Redraw();
    CentreInWorkArea();
}

void CFormLocalWeather::CentreInWorkArea() {
    RECT work{};
    RECT window{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) || !GetWindowRect(Handle(), &window)) {
        return;
    }
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFormLocalWeather::OnCommand(int command) {
    switch (command) {
    case ID_LOCAL_WEATHER_CLOSE:
        ShowWindow(Handle(), SW_HIDE);
        break;
    case ID_LOCAL_WEATHER_OPTIONS:
        if (openOptions_) {
            openOptions_(-1);
        }
        break;
    case ID_LOCAL_WEATHER_CHANGE_LOCATION:
        if (openOptions_) {
            openOptions_(2);
        }
        break;
    case ID_LOCAL_WEATHER_ICON_ONLY:
        SetMode(Mode::IconOnly);
        EnsureFormIsInScreenBounds();
        break;
    case ID_LOCAL_WEATHER_SMALL:
        SetMode(Mode::Small);
        EnsureFormIsInScreenBounds();
        break;
    case ID_LOCAL_WEATHER_LARGE:
        SetMode(Mode::Large);
        break;
    case ID_LOCAL_WEATHER_ALWAYS_ON_TOP:
        ToggleAlwaysOnTop();
        break;
    default:
        break;
    }
}

void CFormLocalWeather::SetMode(Mode mode) {
    mode_ = mode;
    Options().FormLocalWeather_Mode = static_cast<int>(mode);
    Redraw();
}

bool CFormLocalWeather::IsTopmost() const {
    return (GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool CFormLocalWeather::SetTopmost(bool topmost) {
    return SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != FALSE;
}

void CFormLocalWeather::ToggleAlwaysOnTop() {
    const bool topmost = !IsTopmost();
    if (SetTopmost(topmost)) {
        Options().FormLocalWeather_AlwaysOnTop = topmost;
    }
}

void CFormLocalWeather::OnContextMenu(POINT clientPoint) {
    const MenuHandle menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_LOCAL_WEATHER)));
    const HMENU popup = menu.IsValid() ? GetSubMenu(menu.Get(), 0) : nullptr;
    if (popup == nullptr || !ClientToScreen(Handle(), &clientPoint)) {
        return;
    }
    CheckMenuRadioItem(popup, ID_LOCAL_WEATHER_LARGE, ID_LOCAL_WEATHER_ICON_ONLY, CommandOfMode(mode_),
                       MF_BYCOMMAND);
    CheckMenuItem(popup, ID_LOCAL_WEATHER_ALWAYS_ON_TOP,
                  MF_BYCOMMAND | (IsTopmost() ? MF_CHECKED : MF_UNCHECKED));
    SetForegroundWindow(Handle());
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, clientPoint.x, clientPoint.y, 0, Handle(), nullptr);
}

void CFormLocalWeather::OnLeftButtonDown(POINT clientPoint) {
    SetCapture(Handle());
    dragAnchor_ = clientPoint;
    dragging_ = true;
}

void CFormLocalWeather::EndDrag() {
    dragging_ = false;
    if (GetCapture() == Handle()) {
        ReleaseCapture();
    }
}

void CFormLocalWeather::OnMouseMove() {
    if (!dragging_) {
        return;
    }
    try {
        RECT window{};
        if (!GetWindowRect(Handle(), &window)) {
            ThrowApplicationException("CFormLocalWeather::OnMouseMove (877)");
        }
        POINT cursor{};
        if (!GetCursorPos(&cursor)) {
            ThrowApplicationException("CFormLocalWeather::OnMouseMove (879)");
        }
        if (!MoveWindow(Handle(), cursor.x - dragAnchor_.x, cursor.y - dragAnchor_.y,
                        window.right - window.left, window.bottom - window.top, TRUE)) {
            ThrowApplicationException("CFormLocalWeather::OnMouseMove (881)");
        }
    } catch (const ApplicationException&) {
        EndDrag();
    }
}

void CFormLocalWeather::EnsureFormIsInScreenBounds() {
    try {
        RECT window{};
        if (!GetWindowRect(Handle(), &window)) {
            ThrowApplicationException("CFormLocalWeather::EnsureFormIsInScreenBounds (769)");
        }
        const Point moved = InScreenBounds({window.left, window.top}, VirtualScreenOrigin());
        if (moved.X != window.left || moved.Y != window.top) {
            SetWindowPos(Handle(), nullptr, moved.X, moved.Y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    } catch (const ApplicationException&) {
    }
}

void CFormLocalWeather::OnDpiChanged(UINT dpi, const RECT& suggested) {
    scale_ = dpi == 0 ? 1 : dpi / DefaultDpi;
    // The system's suggestion keeps the window under the cursor while it crosses monitors; the
    // new picture then gives it its size.
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Redraw();
}
