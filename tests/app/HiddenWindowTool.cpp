// Test tool: finds a running instance's hidden window the way a second start does (class and
// title) and sends it what Windows, the shell or a user would.
//
//   hidden-window find DISPLAYNAME [WAITMS]       wait up to WAITMS for the window
//   hidden-window end-session DISPLAYNAME         WM_QUERYENDSESSION, then WM_ENDSESSION(TRUE)
//   hidden-window end-session-cancelled DISPLAYNAME   WM_ENDSESSION(FALSE): log-off cancelled
//   hidden-window timer DISPLAYNAME ID            WM_TIMER with that timer id
//   hidden-window command DISPLAYNAME ID          a menu command (WM_COMMAND), posted
//   hidden-window resume DISPLAYNAME              WM_POWERBROADCAST: resumed from sleep
//   hidden-window icon DISPLAYNAME                exit code 0 when its notification icon exists
//   hidden-window lose-icon DISPLAYNAME           deletes its icon, as a crashing Explorer does
//   hidden-window taskbar-created DISPLAYNAME     the shell's "TaskbarCreated" message
//   hidden-window icon-menu DISPLAYNAME           a right click on the icon (the menu opens)
//
// Exit code 0 when done, 1 when there is no such window (or icon), 2 on bad use or a failed send.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {
constexpr wchar_t ClassName[] = L"Orbimeteo_FormHidden";
constexpr UINT NotifyIconCallback = 1144;
constexpr UINT IconId = 1;

HWND FindHiddenWindow(const std::wstring& displayName, DWORD waitMs) {
    const std::wstring title = displayName + L"_FormHidden";
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    for (;;) {
        if (const HWND window = FindWindowW(ClassName, title.c_str())) {
            return window;
        }
        if (GetTickCount64() >= deadline) {
            return nullptr;
        }
        Sleep(50);
    }
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam = 0) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &answer) != 0;
}

// The shell knows an icon by its window and id, whichever process asks.
NOTIFYICONDATAW IconOf(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = IconId;
    return data;
}

int Usage() {
    std::fwprintf(stderr, L"usage: hidden-window VERB DISPLAYNAME [NUMBER] (see the source)\n");
    return 2;
}

int Done(bool ok) {
    return ok ? 0 : 2;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3 || argc > 4) {
        return Usage();
    }
    const std::wstring verb = argv[1];
    const unsigned long number = argc == 4 ? std::wcstoul(argv[3], nullptr, 10) : 0;
    const HWND window = FindHiddenWindow(argv[2], verb == L"find" ? number : 0);
    if (window == nullptr) {
        std::fwprintf(stderr, L"no hidden window of %ls\n", argv[2]);
        return 1;
    }
    if (verb == L"find") {
        return 0;
    }
    if (verb == L"end-session") {
        // An answer of FALSE to the query would only be advice: Windows ends anyway.
        Send(window, WM_QUERYENDSESSION, 0);
        return Done(Send(window, WM_ENDSESSION, TRUE));
    }
    if (verb == L"end-session-cancelled") {
        return Done(Send(window, WM_ENDSESSION, FALSE));
    }
    if (verb == L"timer" && argc == 4) {
        return Done(Send(window, WM_TIMER, number));
    }
    if (verb == L"command" && argc == 4) {
        return Done(PostMessageW(window, WM_COMMAND, MAKEWPARAM(number, 0), 0) != FALSE);
    }
    if (verb == L"resume") {
        return Done(Send(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC));
    }
    if (verb == L"icon") {
        // Changing nothing succeeds only for an icon the shell has.
        NOTIFYICONDATAW data = IconOf(window);
        return Shell_NotifyIconW(NIM_MODIFY, &data) ? 0 : 1;
    }
    if (verb == L"lose-icon") {
        NOTIFYICONDATAW data = IconOf(window);
        return Done(Shell_NotifyIconW(NIM_DELETE, &data) != FALSE);
    }
    if (verb == L"taskbar-created") {
        return Done(Send(window, RegisterWindowMessageW(L"TaskbarCreated"), 0));
    }
    if (verb == L"icon-menu") {
        return Done(PostMessageW(window, NotifyIconCallback, IconId, WM_RBUTTONUP) != FALSE);
    }
    return Usage();
}
