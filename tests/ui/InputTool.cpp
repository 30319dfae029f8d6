// Drives the program's windows under Wine the way a user and the system do: real mouse and key
// input through SendInput, system commands and close requests, and a helper window to embed a
// preview in. Usage:
//   ui-input move DX DY             moves the mouse by DX, DY pixels
//   ui-input key                    presses and releases the space bar
//   ui-input syscommand CLASS CODE  sends WM_SYSCOMMAND CODE to the first window of CLASS
//   ui-input close CLASS            posts WM_CLOSE to the first window of CLASS
//   ui-input command CLASS TITLE ID posts WM_COMMAND ID to the window of CLASS and TITLE
//   ui-input placement CLASS        prints "visible maximised minimised left top right bottom"
//   ui-input dialog TITLE           prints "centred 1|0" (on its visible owner, else on the work
//                                   area), then "ID TEXT" for each control of the dialog or
//                                   message box of TITLE, line breaks as "\n"
//   ui-input dismiss TITLE          presses OK of the dialog or message box of TITLE
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

std::string Utf8(const std::wstring& text) {
    std::string bytes(text.size() * 4 + 1, '\0');
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                           bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(length > 0 ? length : 0);
    return bytes;
}

// The text of a window of another process, asked of its own thread.
std::wstring TextOf(HWND window) {
    wchar_t buffer[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    std::wstring text;
    for (const wchar_t* c = buffer; *c != L'\0'; ++c) {
        if (*c == L'\r') {
            continue;
        }
        text += *c == L'\n' ? std::wstring(L"\\n") : std::wstring(1, *c);
    }
    return text;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
    std::printf("%d %s\n", GetDlgCtrlID(control), Utf8(TextOf(control)).c_str());
    return TRUE;
}

int PrintDialog(const wchar_t* title) {
    const HWND dialog = FindWindowW(L"#32770", title);
    if (dialog == nullptr || !IsWindowVisible(dialog)) {
        return 1;
    }
    RECT area{};
    const HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT own{};
    GetWindowRect(dialog, &own);
    const bool centred = std::abs((own.left + own.right) - (area.left + area.right)) <= 2 &&
                         std::abs((own.top + own.bottom) - (area.top + area.bottom)) <= 2;
    std::printf("centred %d\n", centred ? 1 : 0);
    EnumChildWindows(dialog, PrintControl, 0);
    std::fflush(stdout);
    return 0;
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
    if (verb == L"dialog" && argc == 3) {
        return PrintDialog(argv[2]);
    }
    if (verb == L"dismiss" && argc == 3) {
        const HWND dialog = FindWindowW(L"#32770", argv[2]);
        return dialog != nullptr && PostMessageW(dialog, WM_COMMAND, IDOK, 0) ? 0 : 1;
    }
    if (verb == L"host" && argc == 4) {
        return Host(argv[2], _wtoi(argv[3]));
    }
    return 1;
}
