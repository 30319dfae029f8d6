// Test tool: finds the running program's local weather window and reports or drives it the way
// a user's clicks would.
//
//   local-window find [WAITMS]            wait up to WAITMS for the window
//   local-window state                    "visible=0 layered=1 topmost=0 toolwindow=1 width=290 height=160
//   left=.. top=.." local-window command ID               WM_COMMAND ID, as a menu choice local-window move
//   LEFT TOP            puts the window's top-left there local-window hub-command DISPLAYNAME ID   WM_COMMAND
//   ID to the hidden window, as a tray menu choice
//
// Exit code 0 when done, 1 when there is no such window, 2 on bad use or a failed send.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {
constexpr wchar_t LocalWeatherClass[] = L"Orbimeteo_FormLocalWeather";

HWND FindLocalWeather(DWORD waitMs) {
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    for (;;) {
        if (const HWND window = FindWindowW(LocalWeatherClass, nullptr)) {
            return window;
        }
        if (GetTickCount64() >= deadline) {
            return nullptr;
        }
        Sleep(50);
    }
}

bool SendCommand(HWND window, int command) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, WM_COMMAND, static_cast<WPARAM>(command), 0, SMTO_ABORTIFHUNG, 10000,
                               &answer) != 0;
}

int Usage() {
    std::fwprintf(stderr, L"usage: local-window find [WAITMS] | state | command ID | move LEFT TOP\n");
    return 2;
}

int PrintState(HWND window) {
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    std::wprintf(L"visible=%d layered=%d topmost=%d toolwindow=%d width=%ld height=%ld left=%ld top=%ld\n",
                 IsWindowVisible(window) ? 1 : 0, (exStyle & WS_EX_LAYERED) != 0 ? 1 : 0,
                 (exStyle & WS_EX_TOPMOST) != 0 ? 1 : 0, (exStyle & WS_EX_TOOLWINDOW) != 0 ? 1 : 0,
                 bounds.right - bounds.left, bounds.bottom - bounds.top, bounds.left, bounds.top);
    return 0;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return Usage();
    }
    const std::wstring verb = argv[1];
    const DWORD waitMs =
        verb == L"find" && argc == 3 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : 0;
    const HWND window = FindLocalWeather(waitMs);
    if (window == nullptr) {
        std::fwprintf(stderr, L"no local weather window\n");
        return 1;
    }
    if (verb == L"find") {
        return 0;
    }
    if (verb == L"state") {
        return PrintState(window);
    }
    if (verb == L"command" && argc == 3) {
        return SendCommand(window, std::wcstol(argv[2], nullptr, 10)) ? 0 : 2;
    }
    if (verb == L"move" && argc == 4) {
        const int left = std::wcstol(argv[2], nullptr, 10);
        const int top = std::wcstol(argv[3], nullptr, 10);
        return SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0
                                                                                                          : 2;
    }
    return Usage();
}
