#include "app/FormHidden.h"

#include "app/OptionsDialog.h"
#include "app/Program.h"
#include "app/ResourceIds.h"
#include "app/WindowMessages.h"
#include "core/ApplicationException.h"

#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {
constexpr UINT IconId = 1;
constexpr UINT BalloonTimeoutMs = 60000;
// Right button, right-aligned, vertical.
constexpr UINT MenuFlags = TPM_RIGHTBUTTON | TPM_RIGHTALIGN | TPM_VERTICAL;

// The structure with the balloon fields, as every shell since Windows 2000 knows it.
NOTIFYICONDATAW IconData(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = IconId;
    return data;
}

template <size_t N> void CopyText(wchar_t (&target)[N], const std::wstring& text) {
    wcsncpy(target, text.c_str(), N - 1);
    target[N - 1] = L'\0';
}

// A point on no monitor (a monitor just unplugged, a stale cursor) is moved into the work area
// of the nearest one, so the menu opens where it can be seen.
POINT MenuPosition(POINT cursor) {
    if (MonitorFromPoint(cursor, MONITOR_DEFAULTTONULL) != nullptr) {
        return cursor;
    }
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &info)) {
        const RECT& area = info.rcWork;
        cursor.x = cursor.x < area.left ? area.left : cursor.x >= area.right ? area.right - 1 : cursor.x;
        cursor.y = cursor.y < area.top ? area.top : cursor.y >= area.bottom ? area.bottom - 1 : cursor.y;
    }
    return cursor;
}
} // namespace

bool CFormHidden::AddNotifyIcon() {
    try {
        const int size = GetSystemMetrics(SM_CXSMICON);
        const HICON icon = static_cast<HICON>(LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, size, size, LR_SHARED));
        if (icon == nullptr) {
            ThrowApplicationException("CFormHidden::AddNotifyIcon (122)");
        }
        NOTIFYICONDATAW data = IconData(Handle());
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = WindowMessages::NotifyIconCallback;
        data.hIcon = icon;
        CopyText(data.szTip, Program::DisplayName());
        if (!Shell_NotifyIconW(NIM_ADD, &data)) {
            ThrowApplicationException("CFormHidden::AddNotifyIcon (132)");
        }
        return true;
    } catch (...) {
        return false;
    }
}

bool CFormHidden::ShowBalloonTip() {
    try {
        NOTIFYICONDATAW data = IconData(Handle());
        data.uFlags = NIF_INFO;
        data.uTimeout = BalloonTimeoutMs;
        data.dwInfoFlags = NIIF_INFO;
        const std::wstring name = Program::DisplayName();
        CopyText(data.szInfoTitle, name);
        CopyText(data.szInfo, L"To access " + name + L" menu, right click on this icon.");
        if (!Shell_NotifyIconW(NIM_MODIFY, &data)) {
            ThrowApplicationException("CFormHidden::ShowBalloonTip (171)");
        }
        return true;
    } catch (...) {
        return false;
    }
}

void CFormHidden::RemoveNotifyIcon() {
    NOTIFYICONDATAW data = IconData(Handle());
    Shell_NotifyIconW(NIM_DELETE, &data);
}

void CFormHidden::OnNotifyIcon(WPARAM id, LPARAM mouseMessage) {
    if (id != IconId) {
        return;
    }
    if (LOWORD(mouseMessage) == WM_RBUTTONUP) {
        ShowMenu();
    } else if (LOWORD(mouseMessage) == WM_LBUTTONDBLCLK) {
        OptionsDialog::Open(-1);
    }
}

void CFormHidden::ShowMenu() {
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT at = MenuPosition(cursor);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(Handle());
    TrackPopupMenu(GetSubMenu(Menu.Get(), 0), MenuFlags, at.x, at.y, 0, Handle(), nullptr);
    PostMessageW(Handle(), WM_NULL, 0, 0);
}
