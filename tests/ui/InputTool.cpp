// Drives the program's windows under Wine the way a user and the system do: real mouse and key
// input through SendInput, system commands and close requests, and a helper window to embed a
// preview in. Usage:
//   ui-input move DX DY             moves the mouse by DX, DY pixels
//   ui-input key                    presses and releases the space bar
//   ui-input syscommand CLASS CODE  sends WM_SYSCOMMAND CODE to the first window of CLASS
//   ui-input close CLASS            posts WM_CLOSE to the first window of CLASS
//   ui-input command CLASS TITLE ID posts WM_COMMAND ID to the window of CLASS and TITLE
//   ui-input placement CLASS        prints "visible maximised minimised left top right bottom"
//   ui-input host PROGRAM SECONDS   opens a window, starts "PROGRAM /p HWND", and after
//                                   SECONDS prints whether a child covers the client area and
//                                   how many of its pixels are not the host's grey, destroys the window
//                                   and prints the program's exit code
// Exit code 0 when the action was done, 1 when not.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
bool SendMouseMove(int dx, int dy) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((cursor.x + dx - left) * 65535LL / (width - 1));
    input.mi.dy = static_cast<LONG>((cursor.y + dy - top) * 65535LL / (height - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    return SendInput(1, &input, sizeof(input)) == 1;
}

bool SendKey() {
    INPUT inputs[2]{};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = VK_SPACE;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

void PumpFor(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

// Pixels of the window's client area that are not the host's grey, one in every 4 by 4.
int LitPixels(HWND window, const RECT& client) {
    const HDC dc = GetDC(window);
    int lit = 0;
    for (int y = 0; y < client.bottom; y += 4) {
        for (int x = 0; x < client.right; x += 4) {
            const COLORREF colour = GetPixel(dc, x, y);
            if (colour != CLR_INVALID && (colour & 0xFFFFFF) != RGB(128, 128, 128)) {
                ++lit;
            }
        }
    }
    ReleaseDC(window, dc);
    return lit;
}

int Host(const wchar_t* program, int seconds) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HostProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"UiInputHost";
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    RegisterClassW(&windowClass);
    const HWND host =
        CreateWindowW(L"UiInputHost", L"Preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 50,
                      50, 320, 240, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (host == nullptr) {
        return 1;
    }
    PumpFor(300);
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" /p " +
                               std::to_wstring(static_cast<long long>(reinterpret_cast<INT_PTR>(host)));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return 1;
    }
    PumpFor(static_cast<DWORD>(seconds) * 1000);
    RECT client{};
    GetClientRect(host, &client);
    const HWND child = GetWindow(host, GW_CHILD);
    RECT childRect{};
    if (child != nullptr) {
        GetClientRect(child, &childRect);
    }
    std::printf("child %d covers %d lit %d\n", child != nullptr ? 1 : 0,
                child != nullptr && childRect.right == client.right && childRect.bottom == client.bottom ? 1
                                                                                                         : 0,
                child != nullptr ? LitPixels(child, childRect) : 0);
    DestroyWindow(host);
    const DWORD waited = WaitForSingleObject(process.hProcess, 15000);
    DWORD code = 259;
    GetExitCodeProcess(process.hProcess, &code);
    std::printf("ended %d code %lu\n", waited == WAIT_OBJECT_0 ? 1 : 0, code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::fflush(stdout);
    return 0;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 1;
    }
    const std::wstring verb = argv[1];
    if (verb == L"move" && argc == 4) {
        return SendMouseMove(_wtoi(argv[2]), _wtoi(argv[3])) ? 0 : 1;
    }
    if (verb == L"key") {
        return SendKey() ? 0 : 1;
    }
    if (verb == L"syscommand" && argc == 4) {
        const HWND window = FindWindowW(argv[2], nullptr);
        return window != nullptr && PostMessageW(window, WM_SYSCOMMAND, _wtoi(argv[3]), 0) ? 0 : 1;
    }
    if (verb == L"close" && argc == 3) {
        const HWND window = FindWindowW(argv[2], nullptr);
        return window != nullptr && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (verb == L"command" && argc == 5) {
        const HWND window = FindWindowW(argv[2], argv[3]);
        return window != nullptr && PostMessageW(window, WM_COMMAND, _wtoi(argv[4]), 0) ? 0 : 1;
    }
    if (verb == L"placement" && argc == 3) {
        const HWND window = FindWindowW(argv[2], nullptr);
        if (window == nullptr) {
            return 1;
        }
        RECT bounds{};
        GetWindowRect(window, &bounds);
        std::printf("%d %d %d %ld %ld %ld %ld\n", IsWindowVisible(window) ? 1 : 0, IsZoomed(window) ? 1 : 0,
                    IsIconic(window) ? 1 : 0, bounds.left, bounds.top, bounds.right, bounds.bottom);
        std::fflush(stdout);
        return 0;
    }
    if (verb == L"host" && argc == 4) {
        return Host(argv[2], _wtoi(argv[3]));
    }
    return 1;
}
