#include "app/WindowMessages.h"
#include "data/Options.h"
#include "ui/FormOptionsCities.h"
#include "ui/FormOptionsCitiesIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
const std::wstring CityRecordsFile = L"" ORBIMETEO_INSTALL_DIR L"CityRecords.txt";

CityRecord Station(int id, const wchar_t* name, const wchar_t* details) {
    return CityRecord(id, L"XXXX", L"Country", name, details, 10, 20);
}

// The page's parent, as the options dialog is: it passes the picker's messages on.
class Frame {
public:
    Frame() {
        WNDCLASSW type{};
        type.lpfnWndProc = Procedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = L"OptionsCitiesTestFrame";
        RegisterClassW(&type);
        // Not shown: without a window manager Wine waits seconds for a shown window to go.
        handle_ = CreateWindowExW(WS_EX_CONTROLPARENT, type.lpszClassName, L"Frame", WS_OVERLAPPEDWINDOW, 100,
                                  100, 800, 500, nullptr, nullptr, type.hInstance, nullptr);
        SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Frame() { DestroyWindow(handle_); }

    HWND Handle() const { return handle_; }
    CFormOptionsCities* Page = nullptr;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Frame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && self->Page != nullptr && message == WindowMessages::CityPicked) {
            self->Page->OnCityPicked();
            return 0;
        }
        if (self != nullptr && self->Page != nullptr && message == WindowMessages::CityPickCancelled) {
            self->Page->OnCityPickCancelled();
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND handle_ = nullptr;
};

// A home city "Los Angeles" and the favourites "Miami" and "Berlin".
class OptionsCitiesPageTest : public testing::Test {
protected:
    OptionsCitiesPageTest() : options_(OptionsEdition::CloudPane, OptionsSite{}), page_(CityRecordsFile) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        options_.HomeCity = new City(Station(1, L"Los Angeles", L"LAX"));
        options_.Cities->clear();
        options_.Cities->push_back(City(Station(2, L"Miami", L"MIA")));
        options_.Cities->push_back(City(Station(3, L"Berlin", L"TXL")));
        frame_.Page = &page_;
        EXPECT_TRUE(page_.Create(frame_.Handle()));
        page_.Populate(options_);
    }
    ~OptionsCitiesPageTest() override { frame_.Page = nullptr; }

    HWND Home() const { return GetDlgItem(page_.Handle(), IDC_CITIES_HOME); }
    HWND List() const { return GetDlgItem(page_.Handle(), IDC_CITIES_LIST); }

    std::vector<std::wstring> HomeItems() const {
        std::vector<std::wstring> items;
        const int count = static_cast<int>(SendMessageW(Home(), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[256] = L"";
            SendMessageW(Home(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }
    int HomeSelected() const { return static_cast<int>(SendMessageW(Home(), CB_GETCURSEL, 0, 0)); }

    // "text|details" of every row, top to bottom.
    std::vector<std::wstring> Rows() const {
        std::vector<std::wstring> rows;
        for (int row = 0; row < ListView_GetItemCount(List()); ++row) {
            wchar_t text[256] = L"";
            wchar_t details[256] = L"";
            ListView_GetItemText(List(), row, 0, text, 256);
            ListView_GetItemText(List(), row, 1, details, 256);
            rows.push_back(std::wstring(text) + L"|" + details);
        }
        return rows;
    }

    void ChooseHome(int index) {
        SendMessageW(Home(), CB_SETCURSEL, index, 0);
        SendMessageW(page_.Handle(), WM_COMMAND, MAKEWPARAM(IDC_CITIES_HOME, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Home()));
    }

    void Press(HWND dialog, int button) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    }

    HWND Picker() const { return FindWindowW(L"#32770", L"Select City"); }

    // Selects the first picker row of each city name and presses OK.
    void Pick(const std::vector<std::wstring>& cities) {
        const HWND picker = Picker();
        ASSERT_NE(picker, nullptr);
        ASSERT_TRUE(IsWindowVisible(picker));
        const HWND list = GetDlgItem(picker, 1021);
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        std::vector<bool> found(cities.size(), false);
        for (int row = 0; row < ListView_GetItemCount(list); ++row) {
            wchar_t text[256] = L"";
            ListView_GetItemText(list, row, 1, text, 256);
            for (size_t i = 0; i < cities.size(); ++i) {
                if (!found[i] && cities[i] == text) {
                    found[i] = true;
                    ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
                }
            }
        }
        ASSERT_EQ(std::count(found.begin(), found.end(), true), static_cast<long>(cities.size()));
        Press(picker, IDOK);
    }

    std::vector<int> FavouriteIds() const {
        std::vector<int> ids;
        for (const City& city : *options_.Cities) {
            ids.push_back(city.Id);
        }
        return ids;
    }

    Frame frame_;
    COptions options_;
    CFormOptionsCities page_;
};

using Texts = std::vector<std::wstring>;
} // namespace

TEST_F(OptionsCitiesPageTest, IsAChildPageFilledFromTheWorkingCopy) {
    ASSERT_NE(page_.Handle(), nullptr);
    const LONG style = GetWindowLongW(page_.Handle(), GWL_STYLE);
    EXPECT_NE(style & WS_CHILD, 0);
    EXPECT_EQ(style & (WS_BORDER | WS_CAPTION), 0);
    EXPECT_EQ(GetParent(page_.Handle()), frame_.Handle());

    EXPECT_EQ(HomeItems(), (Texts{L"Los Angeles", L"Other city...", L" ", L"Miami", L"Berlin"}));
    EXPECT_EQ(HomeSelected(), 0);
    EXPECT_EQ(SendMessageW(Home(), CB_GETITEMDATA, 3, 0), 2);

    // Sorted by display name, the home city among the favourites.
    EXPECT_EQ(Rows(), (Texts{L"Berlin|TXL", L"Los Angeles|LAX", L"Miami|MIA"}));
    EXPECT_NE(ListView_GetExtendedListViewStyle(List()) & LVS_EX_FULLROWSELECT, 0u);
    EXPECT_EQ(GetWindowLongW(List(), GWL_STYLE) & LVS_SINGLESEL, 0);
    for (int column = 0; column < 2; ++column) {
        EXPECT_EQ(ListView_GetColumnWidth(List(), column), 220);
    }

    // Populating again shows the new copy, not rows added to the old ones.
    options_.HomeCity = nullptr;
    options_.Cities->clear();
    page_.Populate(options_);
    EXPECT_EQ(HomeItems(), (Texts{L"Other city..."}));
    EXPECT_EQ(HomeSelected(), -1);
    EXPECT_TRUE(Rows().empty());
}

TEST_F(OptionsCitiesPageTest, HomeListChoosesAFavouriteAndRefusesTheSeparator) {
    ChooseHome(2);
    EXPECT_EQ(HomeSelected(), 0);
    EXPECT_EQ(options_.HomeCity->Id, 1);

    ChooseHome(4);
    EXPECT_EQ(options_.HomeCity->Id, 3);
    EXPECT_EQ(FavouriteIds(), (std::vector<int>{2, 1}));
    EXPECT_EQ(HomeItems(), (Texts{L"Berlin", L"Other city...", L" ", L"Miami", L"Los Angeles"}));
    EXPECT_EQ(HomeSelected(), 0);
    EXPECT_EQ(Rows(), (Texts{L"Berlin|TXL", L"Los Angeles|LAX", L"Miami|MIA"}));
}

TEST_F(OptionsCitiesPageTest, OtherCityOpensThePickerAndItsChoiceBecomesHome) {
    ChooseHome(1);
    ASSERT_NE(Picker(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(frame_.Handle()));
    // Cancelled: the home list shows the home city again.
    Press(Picker(), IDCANCEL);
    EXPECT_EQ(HomeSelected(), 0);
    EXPECT_TRUE(IsWindowEnabled(frame_.Handle()));

    ChooseHome(1);
    Pick({L"Zurich"});
    EXPECT_EQ(options_.HomeCity->Icao, L"LSZH");
    EXPECT_EQ(FavouriteIds(), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(HomeItems(), (Texts{L"Zurich", L"Other city...", L" ", L"Miami", L"Berlin", L"Los Angeles"}));
    EXPECT_EQ(HomeSelected(), 0);
    EXPECT_EQ(Rows().size(), 4u);
}

TEST_F(OptionsCitiesPageTest, AddCityAppendsNewStationsInThePickersOrder) {
    Press(page_.Handle(), IDC_CITIES_ADD);
    Pick({L"Zurich", L"Reykjavik"});
    const std::vector<int> ids = FavouriteIds();
    ASSERT_EQ(ids.size(), 4u);
    EXPECT_EQ(options_.Cities->at(2).Icao.size(), 4u);
    EXPECT_EQ(Rows().size(), 5u);
    EXPECT_EQ(HomeItems().size(), 7u);

    // The same stations again add nothing.
    Press(page_.Handle(), IDC_CITIES_ADD);
    Pick({L"Reykjavik", L"Zurich"});
    EXPECT_EQ(FavouriteIds(), ids);
    EXPECT_EQ(Rows().size(), 5u);
}

TEST_F(OptionsCitiesPageTest, RemovingTheHomeRowLeavesNoHomeCity) {
    ListView_SetItemState(List(), 1, LVIS_SELECTED, LVIS_SELECTED); // Los Angeles
    ListView_SetItemState(List(), 2, LVIS_SELECTED, LVIS_SELECTED); // Miami
    Press(page_.Handle(), IDC_CITIES_REMOVE);
    EXPECT_TRUE(options_.HomeCity.IsEmpty());
    EXPECT_EQ(FavouriteIds(), (std::vector<int>{3}));
    EXPECT_EQ(Rows(), (Texts{L"Berlin|TXL"}));
    EXPECT_EQ(HomeItems(), (Texts{L"Other city...", L" ", L"Berlin"}));
    EXPECT_EQ(HomeSelected(), -1);
}
