// The city picker with a window of its own as owner, for looking at it and trying it by hand:
//   city-picker.exe CITYRECORDS [--click COLUMN]... [--select ROW]... [--rename]
// runs the message loop until the picker closes, then prints "picked" and the city line of
// every picked station, or "cancelled". With --rename the display-name dialog then opens for
// the first picked station and its line is printed again when it was renamed.
#include "app/MessageLoop.h"
#include "app/WindowMessages.h"
#include "ui/CityDialogIds.h"
#include "ui/FormEditCity.h"
#include "ui/FormSelectCity.h"

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {
CFormSelectCity* picker = nullptr;
std::vector<CityRecord> picked;

// UTF-8, whatever the console's code page.
void PrintLine(const CityRecord& record) {
    const std::wstring line = CityRecord::ToLine(record);
    std::string text(
        static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, text.data(), static_cast<int>(text.size()), nullptr,
                        nullptr);
    std::printf("%s\n", text.c_str());
}

LRESULT CALLBACK OwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WindowMessages::CityPicked && picker != nullptr) {
        std::printf("picked\n");
        picked = picker->SelectedRecords();
        for (const CityRecord& record : picked) {
            PrintLine(record);
        }
        PostQuitMessage(0);
        return 0;
    }
    if (message == WindowMessages::CityPickCancelled) {
        std::printf("cancelled\n");
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void ClickColumn(HWND dialog, int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = GetDlgItem(dialog, IDC_LIST_CITIES);
    click.hdr.idFrom = IDC_LIST_CITIES;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageW(dialog, WM_NOTIFY, IDC_LIST_CITIES, reinterpret_cast<LPARAM>(&click));
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: city-picker CITYRECORDS [--click COLUMN]... [--select ROW]... [--rename]\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW type{};
    type.lpfnWndProc = OwnerProcedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    type.lpszClassName = L"CityPickerOwner";
    RegisterClassW(&type);
    const HWND owner =
        CreateWindowExW(0, type.lpszClassName, L"City picker owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                        900, 560, nullptr, nullptr, type.hInstance, nullptr);

    CFormSelectCity form(owner, argv[1]);
    picker = &form;
    form.Showup(1);
    const HWND list = GetDlgItem(form.Handle(), IDC_LIST_CITIES);
    bool rename = false;
    for (int i = 2; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--rename") == 0) {
            rename = true;
            continue;
        }
        if (i + 1 == argc) {
            break;
        }
        const int value = static_cast<int>(std::wcstol(argv[i + 1], nullptr, 10));
        if (std::wcscmp(argv[i], L"--click") == 0) {
            ClickColumn(form.Handle(), value);
        } else if (std::wcscmp(argv[i], L"--select") == 0) {
            ListView_SetItemState(list, value, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
        ++i;
    }
    const int code = MessageLoop::Run();
    if (rename && !picked.empty()) {
        City city(picked.front());
        if (CFormEditCity(city).Run(owner) == IDOK) {
            std::printf("renamed\n");
            PrintLine(city);
        }
    }
    std::fflush(stdout);
    picker = nullptr;
    DestroyWindow(owner);
    return code;
}
