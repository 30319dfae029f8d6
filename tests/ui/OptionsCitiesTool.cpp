// Test tool: drives the running program's "Favorite Cities" page, its city picker and the
// dialogs they open through the controls' own messages, as a user's clicks would.
//
//   options-cities home                    the home list: one "index:text" a line, then "selected=N"
//   options-cities rows                    the favourites list: "text|details" a line, then
//                                          "selected=N"
//   options-cities home-select TEXT        selects the home list's item with that text
//   options-cities select-rows TEXT...     selects exactly the favourites rows with these texts
//   options-cities click ID                clicks the page's button ID
//   options-cities double-click            double-clicks the favourites list
//   options-cities pick CITY...            in the open picker, selects the first row of each
//                                          city name and presses OK
//   options-cities pick-cancel             presses Cancel in the open picker
//   options-cities message TEXT            waits for a message box with TEXT and presses OK
//   options-cities rename NAME             types NAME into the open display-name dialog, OK
//   options-cities rename-cancel           presses Cancel in the open display-name dialog
//   options-cities options-ok              presses OK in the options dialog
//   options-cities wait-options WAITMS     waits for the options dialog to show
//
// Exit code 0 when done, 1 when a window or item is missing, 2 on bad use.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD Wait = 10000;
constexpr int HomeList = 1016;
constexpr int FavouritesList = 1021;
constexpr int PickerList = 1021;
constexpr int NameEdit = 1024;
constexpr wchar_t DialogClass[] = L"#32770";

template <class Find> HWND WaitFor(Find find, DWORD waitMs = Wait) {
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    for (;;) {
        if (const HWND window = find()) {
            return window;
        }
        if (GetTickCount64() >= deadline) {
            return nullptr;
        }
        Sleep(50);
    }
}

std::wstring Text(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

// The visible top-level dialog whose title ends with the text.
HWND VisibleDialog(const std::wstring& titleEnd) {
    struct Search {
        std::wstring TitleEnd;
        HWND Found = nullptr;
    } search{titleEnd};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            wchar_t className[64] = L"";
            GetClassNameW(window, className, 64);
            const std::wstring title = Text(window);
            if (IsWindowVisible(window) && std::wstring(className) == DialogClass &&
                title.size() >= s.TitleEnd.size() &&
                title.compare(title.size() - s.TitleEnd.size(), s.TitleEnd.size(), s.TitleEnd) == 0) {
                s.Found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND OptionsDialog() {
    return WaitFor([] { return VisibleDialog(L" - Options"); });
}

// The page is the options dialog's child dialog holding the home list.
HWND Page() {
    const HWND options = OptionsDialog();
    if (options == nullptr) {
        return nullptr;
    }
    HWND found = nullptr;
    EnumChildWindows(
        options,
        [](HWND child, LPARAM data) -> BOOL {
            if (GetDlgItem(child, HomeList) != nullptr) {
                *reinterpret_cast<HWND*>(data) = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// List-view messages carry pointers the system does not carry across processes, so their
// structures live in a block of the program's own memory.
class RemoteBlock {
public:
    explicit RemoteBlock(HWND window) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
        if (process_ != nullptr) {
            base_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, Size, MEM_COMMIT, PAGE_READWRITE));
        }
    }
    ~RemoteBlock() {
        if (base_ != nullptr) {
            VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
        }
        if (process_ != nullptr) {
            CloseHandle(process_);
        }
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool Usable() const { return base_ != nullptr; }
    char* Base() const { return base_; }
    void Write(const void* data, size_t size, size_t offset = 0) const {
        WriteProcessMemory(process_, base_ + offset, data, size, nullptr);
    }
    void Read(void* data, size_t size, size_t offset = 0) const {
        ReadProcessMemory(process_, base_ + offset, data, size, nullptr);
    }

    static constexpr size_t Size = 4096;

private:
    HANDLE process_ = nullptr;
    char* base_ = nullptr;
};

std::wstring RowText(HWND list, const RemoteBlock& block, int row, int column) {
    constexpr size_t TextOffset = 512;
    constexpr int TextLength = 1024;
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(block.Base() + TextOffset);
    item.cchTextMax = TextLength;
    block.Write(&item, sizeof item);
    const wchar_t nothing = 0;
    block.Write(&nothing, sizeof nothing, TextOffset);
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(block.Base()));
    std::vector<wchar_t> text(TextLength);
    block.Read(text.data(), (TextLength - 1) * sizeof(wchar_t), TextOffset);
    return text.data();
}

void SetRowState(HWND list, const RemoteBlock& block, int row, UINT state) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = state;
    block.Write(&item, sizeof item);
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(block.Base()));
}

int RowCount(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

// Selects exactly the rows whose column text is one of the texts, the first row of each text.
bool SelectRows(HWND list, int column, const std::vector<std::wstring>& texts) {
    const RemoteBlock block(list);
    if (!block.Usable()) {
        return false;
    }
    SetRowState(list, block, -1, 0);
    std::vector<bool> found(texts.size(), false);
    const int count = RowCount(list);
    for (int row = 0; row < count; ++row) {
        const std::wstring text = RowText(list, block, row, column);
        for (size_t i = 0; i < texts.size(); ++i) {
            if (!found[i] && texts[i] == text) {
                found[i] = true;
                SetRowState(list, block, row, LVIS_SELECTED | LVIS_FOCUSED);
                break;
            }
        }
    }
    for (size_t i = 0; i < texts.size(); ++i) {
        if (!found[i]) {
            std::fwprintf(stderr, L"no row %ls\n", texts[i].c_str());
            return false;
        }
    }
    return true;
}

int PrintHome(HWND page) {
    const HWND home = GetDlgItem(page, HomeList);
    const int count = static_cast<int>(SendMessageW(home, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[512] = L"";
        if (SendMessageW(home, CB_GETLBTEXTLEN, i, 0) < 512) {
            SendMessageW(home, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        }
        std::wprintf(L"%d:%ls\n", i, text);
    }
    std::wprintf(L"selected=%d\n", static_cast<int>(SendMessageW(home, CB_GETCURSEL, 0, 0)));
    return 0;
}

int PrintRows(HWND page) {
    const HWND list = GetDlgItem(page, FavouritesList);
    const RemoteBlock block(list);
    if (!block.Usable()) {
        return 1;
    }
    const int count = RowCount(list);
    for (int row = 0; row < count; ++row) {
        std::wprintf(L"%ls|%ls\n", RowText(list, block, row, 0).c_str(),
                     RowText(list, block, row, 1).c_str());
    }
    std::wprintf(L"selected=%d\n", static_cast<int>(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0)));
    return 0;
}

int SelectHome(HWND page, const std::wstring& text) {
    const HWND home = GetDlgItem(page, HomeList);
    const LRESULT index = SendMessageW(home, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR) {
        std::fwprintf(stderr, L"no home item %ls\n", text.c_str());
        return 1;
    }
    SendMessageW(home, CB_SETCURSEL, index, 0);
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(HomeList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(home));
    return 0;
}

// Posted, so that a dialog the click opens does not hold the tool up.
int Click(HWND dialog, int id) {
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)))
               ? 0
               : 2;
}

int DoubleClick(HWND page) {
    const HWND list = GetDlgItem(page, FavouritesList);
    RECT bounds{};
    GetClientRect(list, &bounds);
    POINT point{bounds.right / 4, 1};
    // The first row's middle, below the header.
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    RECT headerBounds{};
    GetWindowRect(header, &headerBounds);
    point.y = headerBounds.bottom - headerBounds.top + 4;
    return PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y)) ? 0 : 2;
}

HWND Picker() {
    return WaitFor([] { return VisibleDialog(L"Select City"); });
}

// A message box is a dialog of the program with the text in a static control.
HWND MessageBoxWith(const std::wstring& text) {
    return WaitFor([&text] {
        struct Search {
            const std::wstring* Text;
            HWND Found = nullptr;
        } search{&text};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(data);
                wchar_t className[64] = L"";
                GetClassNameW(window, className, 64);
                if (!IsWindowVisible(window) || std::wstring(className) != DialogClass) {
                    return TRUE;
                }
                for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
                     child = GetWindow(child, GW_HWNDNEXT)) {
                    if (Text(child) == *s.Text) {
                        s.Found = window;
                        return FALSE;
                    }
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.Found;
    });
}

int Usage() {
    std::fwprintf(stderr, L"usage: options-cities home | rows | home-select TEXT | select-rows TEXT... | "
                          L"click ID | double-click | pick CITY... | pick-cancel | message TEXT | "
                          L"rename NAME | rename-cancel | options-ok | wait-options WAITMS\n");
    return 2;
}

int Missing(const wchar_t* what) {
    std::fwprintf(stderr, L"no %ls\n", what);
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return Usage();
    }
    const std::wstring verb = argv[1];
    std::vector<std::wstring> args(argv + 2, argv + argc);
    if (verb == L"wait-options" && args.size() == 1) {
        const DWORD waitMs = static_cast<DWORD>(std::wcstoul(args[0].c_str(), nullptr, 10));
        return WaitFor([] { return VisibleDialog(L" - Options"); }, waitMs) != nullptr ? 0 : 1;
    }
    if (verb == L"options-ok") {
        const HWND options = OptionsDialog();
        return options == nullptr ? Missing(L"options dialog") : Click(options, IDOK);
    }
    if (verb == L"pick" || verb == L"pick-cancel") {
        const HWND picker = Picker();
        if (picker == nullptr) {
            return Missing(L"city picker");
        }
        if (verb == L"pick-cancel") {
            return Click(picker, IDCANCEL);
        }
        if (!SelectRows(GetDlgItem(picker, PickerList), 1, args)) {
            return 1;
        }
        return Click(picker, IDOK);
    }
    if (verb == L"message" && args.size() == 1) {
        const HWND box = MessageBoxWith(args[0]);
        return box == nullptr ? Missing(L"such message box") : Click(box, IDOK);
    }
    if ((verb == L"rename" && args.size() == 1) || verb == L"rename-cancel") {
        const HWND dialog = WaitFor([] { return VisibleDialog(L"Change Display Name"); });
        if (dialog == nullptr) {
            return Missing(L"display-name dialog");
        }
        if (verb == L"rename-cancel") {
            return Click(dialog, IDCANCEL);
        }
        SendMessageW(GetDlgItem(dialog, NameEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[0].c_str()));
        return Click(dialog, IDOK);
    }
    const HWND page = Page();
    if (page == nullptr) {
        return Missing(L"favourite-cities page");
    }
    if (verb == L"home") {
        return PrintHome(page);
    }
    if (verb == L"rows") {
        return PrintRows(page);
    }
    if (verb == L"home-select" && args.size() == 1) {
        return SelectHome(page, args[0]);
    }
    if (verb == L"select-rows") {
        return SelectRows(GetDlgItem(page, FavouritesList), 0, args) ? 0 : 1;
    }
    if (verb == L"click" && args.size() == 1) {
        return Click(page, std::wcstol(args[0].c_str(), nullptr, 10));
    }
    if (verb == L"double-click") {
        return DoubleClick(page);
    }
    return Usage();
}
