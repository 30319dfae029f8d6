// The city picker with a window of its own as owner, for looking at it and trying it by hand:
//   city-picker.exe CITYRECORDS [--click COLUMN]... [--select ROW]...
// runs the message loop until the picker closes, then prints "picked" and the city line of
// every picked station, or "cancelled".
#include "app/MessageLoop.h"
#include "app/WindowMessages.h"
#include "ui/CityDialogIds.h"
#include "ui/FormSelectCity.h"

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {
CFormSelectCity* picker = nullptr;

LRESULT CALLBACK OwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WindowMessages::CityPicked && picker != nullptr) {
        std::printf("picked\n");
        for (const CityRecord& record : picker->SelectedRecords()) {
            std::printf("%ls\n", CityRecord::ToLine(record).c_str());
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
        std::fprintf(stderr, "usage: city-picker CITYRECORDS [--click COLUMN]... [--select ROW]...\n");
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
    for (int i = 2; i + 1 < argc; i += 2) {
        const int value = static_cast<int>(std::wcstol(argv[i + 1], nullptr, 10));
        if (std::wcscmp(argv[i], L"--click") == 0) {
            ClickColumn(form.Handle(), value);
        } else if (std::wcscmp(argv[i], L"--select") == 0) {
            ListView_SetItemState(list, value, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
    }
    const int code = MessageLoop::Run();
    std::fflush(stdout);
    picker = nullptr;
    DestroyWindow(owner);
    return code;
}
