#include "app/WindowMessages.h"
#include "data/Data.h"
#include "ui/CityDialogIds.h"
#include "ui/CitySort.h"
#include "ui/FormEditCity.h"
#include "ui/FormSelectCity.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <functional>

namespace {
const std::wstring CityRecordsFile = L"" ORBIMETEO_INSTALL_DIR L"CityRecords.txt";

// The picker's owner, as the options dialog will be: it hears the result messages and reads
// the picked stations while handling CityPicked.
class Owner {
public:
    Owner() {
        WNDCLASSW type{};
        type.lpfnWndProc = Procedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = L"CityPickerTestOwner";
        RegisterClassW(&type);
        // Not shown: without a window manager Wine waits seconds for a shown window to go.
        handle_ = CreateWindowExW(0, type.lpszClassName, L"Owner", WS_OVERLAPPEDWINDOW, 100, 100, 900, 600,
                                  nullptr, nullptr, type.hInstance, nullptr);
        SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Owner() { DestroyWindow(handle_); }

    HWND Handle() const { return handle_; }
    std::function<void()> OnPicked;
    int Picked = 0;
    int Cancelled = 0;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && message == WindowMessages::CityPicked) {
            ++self->Picked;
            if (self->OnPicked) {
                self->OnPicked();
            }
            return 0;
        }
        if (self != nullptr && message == WindowMessages::CityPickCancelled) {
            ++self->Cancelled;
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND handle_ = nullptr;
};

class CityPickerTest : public testing::Test {
protected:
    CityPickerTest() : picker_(owner_.Handle(), CityRecordsFile) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        owner_.OnPicked = [this] { picked_ = picker_.SelectedRecords(); };
    }

    const std::vector<CityRecord>& Stations() { return Data::GetCityRecords(CityRecordsFile); }
    HWND List() const { return GetDlgItem(picker_.Handle(), IDC_LIST_CITIES); }
    int Rows() const { return ListView_GetItemCount(List()); }

    std::wstring Text(int row, int column) const {
        wchar_t text[CitySort::TextBufferLength] = L"";
        ListView_GetItemText(List(), row, column, text, static_cast<int>(std::size(text)));
        return text;
    }

    // A real click in the middle of the column's header.
    void ClickColumn(int column) {
        const HWND header = ListView_GetHeader(List());
        RECT item{};
        Header_GetItemRect(header, column, &item);
        const LPARAM middle = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        SendMessageW(header, WM_LBUTTONUP, 0, middle);
    }

    void Press(int button) {
        SendMessageW(picker_.Handle(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(picker_.Handle(), button)));
    }

    // The close box's IDCANCEL comes posted.
    static void Pump() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    void Select(int row) { ListView_SetItemState(List(), row, LVIS_SELECTED, LVIS_SELECTED); }

    std::vector<int> SelectedIds() const {
        std::vector<int> ids;
        for (const CityRecord& record : picker_.SelectedRecords()) {
            ids.push_back(record.Id);
        }
        return ids;
    }

    // Every neighbour pair in the order: compare(upper, lower) never above zero.
    template <class Compare> void ExpectOrdered(Compare compare, const char* what) {
        const int rows = Rows();
        std::wstring previousCountry = Text(0, 0);
        std::wstring previousCity = Text(0, 1);
        for (int row = 1; row < rows; ++row) {
            std::wstring country = Text(row, 0);
            std::wstring city = Text(row, 1);
            ASSERT_LE(compare(previousCountry, previousCity, country, city), 0)
                << what << " at row " << row << ": " << testing::PrintToString(previousCity) << " then "
                << testing::PrintToString(city);
            previousCountry = std::move(country);
            previousCity = std::move(city);
        }
    }

    void TypeInList(const wchar_t* text) {
        SetFocus(List());
        for (const wchar_t* c = text; *c != L'\0'; ++c) {
            SendMessageW(List(), WM_CHAR, *c, 1);
        }
    }

    int Focused() const { return ListView_GetNextItem(List(), -1, LVNI_FOCUSED); }

    Owner owner_;
    CFormSelectCity picker_;
    std::vector<CityRecord> picked_;
};

int ByCity(const std::wstring&, const std::wstring& cityA, const std::wstring&, const std::wstring& cityB) {
    return CitySort::CompareText(cityA, cityB);
}
int ByCityDescending(const std::wstring&, const std::wstring& cityA, const std::wstring&,
                     const std::wstring& cityB) {
    return CitySort::CompareText(cityB, cityA);
}
int ByCountryThenCity(const std::wstring& countryA, const std::wstring& cityA, const std::wstring& countryB,
                      const std::wstring& cityB) {
    const int byCountry = CitySort::CompareText(countryA, countryB);
    return byCountry != 0 ? byCountry : CitySort::CompareText(cityA, cityB);
}
int ByCountryThenCityDescending(const std::wstring& countryA, const std::wstring& cityA,
                                const std::wstring& countryB, const std::wstring& cityB) {
    return ByCountryThenCity(countryB, cityB, countryA, cityA);
}
} // namespace

TEST_F(CityPickerTest, ListsEveryStationInDatabaseOrderWhileTheOwnerWaits) {
    picker_.Showup(1);
    ASSERT_NE(picker_.Handle(), nullptr);
    EXPECT_EQ(picker_.Purpose(), 1);
    EXPECT_TRUE(IsWindowVisible(picker_.Handle()));
    EXPECT_FALSE(IsWindowEnabled(owner_.Handle()));
    EXPECT_EQ(GetFocus(), List());
    wchar_t title[64] = L"";
    GetWindowTextW(picker_.Handle(), title, 64);
    EXPECT_STREQ(title, L"Select City");

    ASSERT_EQ(Stations().size(), 6695u);
    ASSERT_EQ(Rows(), 6695);
    for (int row : {0, 1, 3000, 6694}) {
        const CityRecord& station = Stations()[static_cast<size_t>(row)];
        EXPECT_EQ(Text(row, 0), station.Country);
        EXPECT_EQ(Text(row, 1), station.DisplayName());
        EXPECT_EQ(Text(row, 2), station.Details);
    }

    const wchar_t* titles[] = {L"Country", L"City", L"Details"};
    const int widths[] = {120, 200, 200};
    for (int column = 0; column < 3; ++column) {
        wchar_t text[32] = L"";
        LVCOLUMNW item{};
        item.mask = LVCF_TEXT | LVCF_WIDTH;
        item.pszText = text;
        item.cchTextMax = 32;
        ASSERT_TRUE(ListView_GetColumn(List(), column, &item));
        EXPECT_STREQ(text, titles[column]);
        EXPECT_EQ(item.cx, widths[column]);
    }
    EXPECT_NE(ListView_GetExtendedListViewStyle(List()) & LVS_EX_FULLROWSELECT, 0u);
    EXPECT_EQ(GetWindowLongW(List(), GWL_STYLE) & LVS_SINGLESEL, 0);
}

TEST_F(CityPickerTest, ColumnClicksSortANewColumnAscendingAndTurnTheSameOne) {
    picker_.Showup(0);
    ClickColumn(1);
    ExpectOrdered(ByCity, "City ascending");
    ClickColumn(1);
    ExpectOrdered(ByCityDescending, "City descending");
    EXPECT_LT(CitySort::CompareText(Text(Rows() - 1, 1), Text(0, 1)), 0);
    ClickColumn(0);
    ExpectOrdered(ByCountryThenCity, "Country ascending");
    ClickColumn(2);
    for (int row = 1; row < Rows(); ++row) {
        ASSERT_LE(CitySort::CompareText(Text(row - 1, 2), Text(row, 2)), 0) << "Details at row " << row;
    }
    EXPECT_EQ(Rows(), 6695);
}

TEST_F(CityPickerTest, FirstClickOnCountryTurnsTheDatabaseOrder) {
    picker_.Showup(0);
    ClickColumn(0);
    ExpectOrdered(ByCountryThenCityDescending, "Country descending");
}

TEST_F(CityPickerTest, SelectedStationsComeBackTopRowFirstAndFollowASort) {
    picker_.Showup(1);
    Select(300);
    Select(7);
    Select(40);
    const std::vector<int> inRowOrder = {Stations()[7].Id, Stations()[40].Id, Stations()[300].Id};
    EXPECT_EQ(SelectedIds(), inRowOrder);

    // The same three stations stay selected, now in the new row order.
    ClickColumn(1);
    std::vector<int> byCity;
    for (int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(List(), row, LVNI_SELECTED)) {
        byCity.push_back(row);
    }
    ASSERT_EQ(byCity.size(), 3u);
    std::vector<int> idsByCity = SelectedIds();
    std::vector<int> sorted = idsByCity;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> expected = inRowOrder;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Text(byCity[i], 1), FindById(Stations(), idsByCity[i])->DisplayName());
    }

    Press(IDOK);
    EXPECT_EQ(owner_.Picked, 1);
    EXPECT_EQ(owner_.Cancelled, 0);
    ASSERT_EQ(picked_.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(picked_[i].Id, idsByCity[i]);
    }
    EXPECT_FALSE(IsWindowVisible(picker_.Handle()));
    EXPECT_TRUE(IsWindowEnabled(owner_.Handle()));
}

TEST_F(CityPickerTest, OkWithNothingSelectedStillReportsPicked) {
    picker_.Showup(0);
    Press(IDOK);
    EXPECT_EQ(owner_.Picked, 1);
    EXPECT_TRUE(picked_.empty());
}

TEST_F(CityPickerTest, CancelAndTheCloseBoxReportCancelledAndKeepTheRows) {
    picker_.Showup(0);
    const HWND window = picker_.Handle();
    ClickColumn(1);
    const std::wstring top = Text(0, 1);
    Select(5);
    Press(IDCANCEL);
    EXPECT_EQ(owner_.Cancelled, 1);
    EXPECT_EQ(owner_.Picked, 0);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindowEnabled(owner_.Handle()));

    picker_.Showup(1);
    EXPECT_EQ(picker_.Handle(), window);
    EXPECT_EQ(picker_.Purpose(), 1);
    EXPECT_EQ(Rows(), 6695);
    EXPECT_EQ(Text(0, 1), top);
    SendMessageW(window, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(owner_.Cancelled, 2);
    EXPECT_EQ(owner_.Picked, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(CityPickerTest, TypingJumpsToTheFirstRowStartingWithItInTheSortColumn) {
    picker_.Showup(0);
    TypeInList(L"f");
    const int france = Focused();
    ASSERT_GE(france, 1);
    EXPECT_EQ(Text(france, 0).substr(0, 1), L"F");
    EXPECT_NE(Text(france - 1, 0).substr(0, 1), L"F");
    EXPECT_EQ(ListView_GetSelectedCount(List()), 1u);

    ClickColumn(1);
    Sleep(600); // a pause starts a new search
    TypeInList(L"z");
    const int z = Focused();
    ASSERT_GE(z, 1);
    EXPECT_EQ(Text(z, 1).substr(0, 1), L"Z");
    EXPECT_NE(Text(z - 1, 1).substr(0, 1), L"Z");

    // Several letters typed in a row are one search, as the list's own find asks it.
    LVFINDINFOW find{};
    find.flags = LVFI_STRING | LVFI_PARTIAL;
    find.psz = L"zu";
    const int zu = ListView_FindItem(List(), -1, &find);
    ASSERT_GE(zu, 1);
    EXPECT_EQ(Text(zu, 1).substr(0, 2), L"Zu");
    EXPECT_NE(Text(zu - 1, 1).substr(0, 2), L"Zu");
    find.psz = L"no such city";
    EXPECT_EQ(ListView_FindItem(List(), -1, &find), -1);
}

namespace {
// Runs steps from a timer while a modal dialog's own loop runs; each step answers whether it is
// done. After ten seconds everything the thread shows is cancelled, so a failing test ends.
class ModalScript {
public:
    explicit ModalScript(std::vector<std::function<bool()>> steps) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, Tick);
    }
    ~ModalScript() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Finished() const { return next_ == steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalScript* self = current_;
        if (self == nullptr || self->busy_) {
            return;
        }
        self->busy_ = true;
        if (++self->ticks_ > 200) {
            EnumThreadWindows(GetCurrentThreadId(), CancelWindow, 0);
        } else if (!self->Finished() && self->steps_[self->next_]()) {
            ++self->next_;
        }
        self->busy_ = false;
    }
    static BOOL CALLBACK CancelWindow(HWND window, LPARAM) {
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }

    static ModalScript* current_;
    std::vector<std::function<bool()>> steps_;
    size_t next_ = 0;
    int ticks_ = 0;
    bool busy_ = false;
    UINT_PTR timer_ = 0;
};
ModalScript* ModalScript::current_ = nullptr;

struct FoundWindow {
    HWND Owner;
    const wchar_t* Title;
    HWND Window;
};

// A visible dialog of this thread with the title, owned by the owner (any owner when null).
HWND FindDialog(const wchar_t* title, HWND owner = nullptr) {
    FoundWindow found{owner, title, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* search = reinterpret_cast<FoundWindow*>(parameter);
            wchar_t text[64] = L"";
            wchar_t type[16] = L"";
            GetWindowTextW(window, text, 64);
            GetClassNameW(window, type, 16);
            if (IsWindowVisible(window) && wcscmp(type, L"#32770") == 0 && wcscmp(text, search->Title) == 0 &&
                (search->Owner == nullptr || GetWindow(window, GW_OWNER) == search->Owner)) {
                search->Window = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.Window;
}

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[256] = L"";
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

class EditCityTest : public testing::Test {
protected:
    EditCityTest() : city_(CityRecord(113600, L"LFPO", L"France", L"Paris", L"Orly", 48.733f, 2.4f)) {}

    // Finds the open display-name dialog for the steps that follow.
    std::function<bool()> FindEditor() {
        return [this] { return (editor_ = FindDialog(L"Change Display Name")) != nullptr; };
    }
    std::function<bool()> TypeAndPress(const wchar_t* name, int button) {
        return [this, name, button] {
            SetDlgItemTextW(editor_, IDC_EDIT_DISPLAY_NAME, name);
            PostMessageW(editor_, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(editor_, button)));
            return true;
        };
    }

    Owner owner_;
    City city_;
    HWND editor_ = nullptr;
};
} // namespace

TEST_F(EditCityTest, BlankNameIsRefusedAndTheDialogStaysThenTheTrimmedNameIsStored) {
    std::wstring refusal;
    bool stayedOpen = false;
    ModalScript script({FindEditor(), TypeAndPress(L"   ", IDOK),
                        [&] {
                            const HWND box = FindDialog(L"", editor_);
                            if (box == nullptr) {
                                return false;
                            }
                            refusal = ItemText(box, 0xFFFF);
                            PostMessageW(box, WM_COMMAND, IDOK, 0);
                            return true;
                        },
                        [&] {
                            if (FindDialog(L"", editor_) != nullptr) {
                                return false;
                            }
                            stayedOpen = IsWindowVisible(editor_) != FALSE && IsWindowEnabled(editor_) != FALSE;
                            return true;
                        },
                        TypeAndPress(L"  Paris Orly  ", IDOK)});
    EXPECT_EQ(CFormEditCity(city_).Run(owner_.Handle()), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(refusal, L"Please enter display name and try again.");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(city_.DisplayName(), L"Paris Orly");
}

TEST_F(EditCityTest, ShowsTheCityAndCancelLeavesItAlone) {
    std::wstring name;
    std::wstring details;
    bool detailsEnabled = true;
    ModalScript script({FindEditor(),
                        [&] {
                            name = ItemText(editor_, IDC_EDIT_DISPLAY_NAME);
                            details = ItemText(editor_, IDC_EDIT_DETAILS);
                            detailsEnabled = IsWindowEnabled(GetDlgItem(editor_, IDC_EDIT_DETAILS)) != FALSE;
                            return true;
                        },
                        TypeAndPress(L"Lyon", IDCANCEL)});
    EXPECT_EQ(CFormEditCity(city_).Run(owner_.Handle()), IDCANCEL);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(name, L"Paris");
    EXPECT_EQ(details, L"Orly");
    EXPECT_FALSE(detailsEnabled);
    EXPECT_EQ(city_.DisplayName(), L"Paris");
}

TEST_F(EditCityTest, TheCloseBoxCancels) {
    ModalScript script({FindEditor(), [this] {
                            PostMessageW(editor_, WM_CLOSE, 0, 0);
                            return true;
                        }});
    EXPECT_EQ(CFormEditCity(city_).Run(owner_.Handle()), IDCANCEL);
    EXPECT_EQ(city_.DisplayName(), L"Paris");
}
