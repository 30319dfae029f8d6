// Test tool: finds a running instance's hidden window the way a second start does (class and
// title) and, on request, tells it that Windows is ending, as Windows itself does.
//
//   hidden-window find DISPLAYNAME [WAITMS]       wait up to WAITMS for the window
//   hidden-window end-session DISPLAYNAME         WM_QUERYENDSESSION, then WM_ENDSESSION(TRUE)
//   hidden-window end-session-cancelled DISPLAYNAME   WM_ENDSESSION(FALSE): log-off cancelled
//   hidden-window end-session-within DISPLAYNAME MS   as end-session, then waits up to MS for
//                                                     the process to end and prints how long
//
// Exit code 0 when done, 1 when there is no such window, 2 on bad use or a failed send, 3 when
// the process did not end in time.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {
constexpr wchar_t ClassName[] = L"Orbimeteo_FormHidden";

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

bool Send(HWND window, UINT message, WPARAM wParam) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, message, wParam, 0, SMTO_ABORTIFHUNG, 10000, &answer) != 0;
}

// Ends the session as Windows does and measures from WM_ENDSESSION to the process's end, the
// time a log-off waits on the program.
int EndSessionWithin(HWND window, DWORD boundMs) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (process == nullptr) {
        return 2;
    }
    Send(window, WM_QUERYENDSESSION, 0);
    const ULONGLONG begin = GetTickCount64();
    // A message box opened by the handler would keep this send waiting: the bound covers it.
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, boundMs, &answer);
    const ULONGLONG spent = GetTickCount64() - begin;
    const DWORD rest = spent >= boundMs ? 0 : boundMs - static_cast<DWORD>(spent);
    const bool ended = WaitForSingleObject(process, rest) == WAIT_OBJECT_0;
    CloseHandle(process);
    std::wprintf(L"%ls after %llu ms\n", ended ? L"ended" : L"still running", GetTickCount64() - begin);
    return ended ? 0 : 3;
}

int Usage() {
    std::fwprintf(stderr, L"usage: hidden-window find|end-session|end-session-cancelled|end-session-within "
                          L"DISPLAYNAME [MS]\n");
    return 2;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3 || argc > 4) {
        return Usage();
    }
    const std::wstring verb = argv[1];
    const DWORD ms = argc == 4 ? static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)) : 0;
    const HWND window = FindHiddenWindow(argv[2], verb == L"find" ? ms : 0);
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
        return Send(window, WM_ENDSESSION, TRUE) ? 0 : 2;
    }
    if (verb == L"end-session-within") {
        return EndSessionWithin(window, ms);
    }
    if (verb == L"end-session-cancelled") {
        return Send(window, WM_ENDSESSION, FALSE) ? 0 : 2;
    }
    return Usage();
}
