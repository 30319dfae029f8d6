// Test tool: drives a running program's options dialog through its controls' messages, as a
// user's clicks would reach them. The dialog is found by its title, DISPLAYNAME + " - Options".
// A control is named by the id of a control on its page (PAGE; 0 for the frame itself) and its
// own id, since the General and display pages share the unit's ids.
//
//   options-dialog find DISPLAYNAME [WAITMS]       wait up to WAITMS for the dialog to show
//   options-dialog tabs DISPLAYNAME                the tab titles, one a line, then "selected N"
//   options-dialog select DISPLAYNAME INDEX        selects a tab as a click on it does
//   options-dialog shown DISPLAYNAME PAGE          exit code 0 when that page is showing
//   options-dialog click DISPLAYNAME PAGE ID       a click on the button
//   options-dialog checked DISPLAYNAME PAGE ID     prints 1 or 0
//   options-dialog text DISPLAYNAME PAGE ID        prints the control's text
//   options-dialog trackbar DISPLAYNAME PAGE ID POS   moves the trackbar's thumb there
//
// Exit code 0 when done, 1 when there is no such dialog, page or control (or the page does not
// show), 2 on bad use or a failed send.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {
constexpr DWORD SendTimeoutMs = 10000;

HWND FindDialog(const std::wstring& displayName, DWORD waitMs, bool mustShow) {
    const std::wstring title = displayName + L" - Options";
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    for (;;) {
        const HWND dialog = FindWindowW(L"#32770", title.c_str());
        if (dialog != nullptr && (!mustShow || IsWindowVisible(dialog))) {
            return dialog;
        }
        if (GetTickCount64() >= deadline) {
            return nullptr;
        }
        Sleep(50);
    }
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer = nullptr) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, SendTimeoutMs, &result) == 0) {
        return false;
    }
    if (answer != nullptr) {
        *answer = static_cast<LRESULT>(result);
    }
    return true;
}

// The frame's child dialog that holds a control of that id; the frame itself for 0.
HWND FindPage(HWND dialog, int marker) {
    if (marker == 0) {
        return dialog;
    }
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        if (wcscmp(className, L"#32770") == 0 && GetDlgItem(child, marker) != nullptr) {
            return child;
        }
    }
    return nullptr;
}

// Reads the tab titles out of the program's memory: the tab control's messages carry pointers,
// which the system does not carry across processes.
bool ReadTabs(HWND tabs, std::vector<std::wstring>& titles) {
    DWORD processId = 0;
    GetWindowThreadProcessId(tabs, &processId);
    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) {
        return false;
    }
    constexpr int TextLength = 128;
    const size_t size = sizeof(TCITEMW) + TextLength * sizeof(wchar_t);
    auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    bool read = remote != nullptr;
    LRESULT count = 0;
    read = read && Send(tabs, TCM_GETITEMCOUNT, 0, 0, &count);
    for (int i = 0; read && i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TCITEMW));
        item.cchTextMax = TextLength;
        wchar_t text[TextLength] = {};
        LRESULT got = 0;
        read = WriteProcessMemory(process, remote, &item, sizeof(item), nullptr) &&
               Send(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(remote), &got) && got != 0 &&
               ReadProcessMemory(process, remote + sizeof(TCITEMW), text, sizeof(text) - sizeof(wchar_t),
                                 nullptr);
        if (read) {
            titles.emplace_back(text);
        }
    }
    if (remote != nullptr) {
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return read;
}

void PrintLine(const std::wstring& text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string line(bytes > 0 ? bytes - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, line.data(), bytes, nullptr, nullptr);
    std::printf("%s\n", line.c_str());
}

int Usage() {
    std::fprintf(stderr, "usage: options-dialog find|tabs|select|shown|click|checked|text|trackbar "
                         "DISPLAYNAME ...\n");
    return 2;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        return Usage();
    }
    const std::wstring verb = argv[1];
    const std::wstring name = argv[2];
    if (verb == L"find") {
        const DWORD waitMs = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 0;
        return FindDialog(name, waitMs, true) != nullptr ? 0 : 1;
    }
    const HWND dialog = FindDialog(name, 0, false);
    if (dialog == nullptr) {
        return 1;
    }
    const HWND tabs = GetDlgItem(dialog, 1000);
    if (verb == L"tabs") {
        std::vector<std::wstring> titles;
        LRESULT selected = -1;
        if (tabs == nullptr || !ReadTabs(tabs, titles) || !Send(tabs, TCM_GETCURSEL, 0, 0, &selected)) {
            return 2;
        }
        for (const std::wstring& title : titles) {
            PrintLine(title);
        }
        std::printf("selected %d\n", static_cast<int>(selected));
        return 0;
    }
    if (verb == L"select" && argc > 3) {
        // Unlike TCM_SETCURSEL, this tells the dialog, as a click on the tab does.
        return tabs != nullptr && Send(tabs, TCM_SETCURFOCUS, _wtoi(argv[3]), 0) ? 0 : 2;
    }
    if (argc < 4) {
        return Usage();
    }
    const HWND page = FindPage(dialog, _wtoi(argv[3]));
    if (page == nullptr) {
        return 1;
    }
    if (verb == L"shown") {
        return IsWindowVisible(page) ? 0 : 1;
    }
    if (argc < 5) {
        return Usage();
    }
    const HWND control = GetDlgItem(page, _wtoi(argv[4]));
    if (control == nullptr) {
        return 1;
    }
    if (verb == L"click") {
        return Send(control, BM_CLICK, 0, 0) ? 0 : 2;
    }
    if (verb == L"checked") {
        LRESULT state = 0;
        if (!Send(control, BM_GETCHECK, 0, 0, &state)) {
            return 2;
        }
        std::printf("%d\n", state == BST_CHECKED ? 1 : 0);
        return 0;
    }
    if (verb == L"text") {
        wchar_t text[256] = {};
        if (!Send(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text))) {
            return 2;
        }
        PrintLine(text);
        return 0;
    }
    if (verb == L"trackbar" && argc > 5) {
        const int position = _wtoi(argv[5]);
        // As a drag of the thumb: the position, then the scroll notifications to the page.
        const LPARAM from = reinterpret_cast<LPARAM>(control);
        return Send(control, TBM_SETPOS, TRUE, position) &&
                       Send(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), from) &&
                       Send(page, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), from)
                   ? 0
                   : 2;
    }
    return Usage();
}
