#include "ui/FormOptionsCities.h"

#include "core/ApplicationException.h"
#include "core/Util.h"
#include "ui/FormEditCity.h"
#include "ui/FormOptionsCitiesIds.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr int ColumnWidth = 220;

std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    int row = -1;
    while ((row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0) {
        rows.push_back(row);
    }
    return rows;
}

// False when the row cannot be read.
bool ReadRowId(HWND list, int row, int& id) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
        return false;
    }
    id = static_cast<int>(item.lParam);
    return true;
}

void AddColumn(HWND list, int index, const wchar_t* title) {
    std::wstring text = title;
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = ColumnWidth;
    column.pszText = text.data();
    column.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

} // namespace

CFormOptionsCities::CFormOptionsCities(std::wstring cityRecordsFile)
    : cityRecordsFile_(std::move(cityRecordsFile)) {}

bool CFormOptionsCities::Create(HWND optionsDialog) {
    return CreateChild(IDD_OPTIONS_CITIES, optionsDialog);
}

bool CFormOptionsCities::OnInit() {
    SendMessageW(Item(IDC_CITIES_HOME), CB_SETMINVISIBLE, 20, 0);
    const HWND list = Item(IDC_CITIES_LIST);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddColumn(list, 0, L"City");
    AddColumn(list, 1, L"Details");
    return false;
}

void CFormOptionsCities::Populate(COptions& workingCopy) {
    options_ = &workingCopy;
    FillHomeList();
    FillFavouritesList();
}

void CFormOptionsCities::FillHomeList() {
    const HWND home = Item(IDC_CITIES_HOME);
    SendMessageW(home, CB_RESETCONTENT, 0, 0);
    for (const CityListEdit::HomeEntry& entry : CityListEdit::HomeEntries(*options_)) {
        Util::AddToComboBox(home, entry.Text, entry.Id);
    }
    RestoreHomeSelection();
}

void CFormOptionsCities::FillFavouritesList() {
    const HWND list = Item(IDC_CITIES_LIST);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    if (!options_->HomeCity.IsEmpty()) {
        Util::AddToListView(*options_->HomeCity, list);
    }
    for (const City& city : *options_->Cities) {
        Util::AddToListView(city, list);
    }
}

void CFormOptionsCities::RestoreHomeSelection() {
    SendMessageW(Item(IDC_CITIES_HOME), CB_SETCURSEL, CityListEdit::HomeSelection(*options_), 0);
}

void CFormOptionsCities::Show(CityListEdit::Redraw change) {
    switch (change) {
    case CityListEdit::Redraw::Nothing:
        break;
    case CityListEdit::Redraw::HomeSelection:
        RestoreHomeSelection();
        break;
    case CityListEdit::Redraw::HomeList:
        FillHomeList();
        break;
    case CityListEdit::Redraw::BothLists:
        FillHomeList();
        FillFavouritesList();
        break;
    }
}

bool CFormOptionsCities::OnCommand(int id, int code, HWND) {
    if (options_ == nullptr) {
        return false;
    }
    switch (id) {
    case IDC_CITIES_HOME:
        if (code == CBN_SELCHANGE) {
            HomeSelectionChanged();
        }
        return true;
    case IDC_CITIES_ADD:
        ShowPicker(1);
        return true;
    case IDC_CITIES_REMOVE:
        RemoveSelectedCities();
        return true;
    case IDC_CITIES_RENAME:
        if (SendMessageW(Item(IDC_CITIES_LIST), LVM_GETSELECTEDCOUNT, 0, 0) != 1) {
            MessageBoxW(OptionsDialog(), L"Please select one city and try again.", L"", MB_ICONINFORMATION);
        } else {
            ChangeDisplayName();
        }
        return true;
    default:
        return false;
    }
}

void CFormOptionsCities::OnOK() {
    SendMessageW(OptionsDialog(), WM_COMMAND, IDOK, 0);
}

void CFormOptionsCities::OnCancel() {
    SendMessageW(OptionsDialog(), WM_COMMAND, IDCANCEL, 0);
}

INT_PTR CFormOptionsCities::HandleMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY || options_ == nullptr) {
        return FALSE;
    }
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    // A double click is a shortcut; a selection that is not exactly one row asks nothing.
    if (header->idFrom == IDC_CITIES_LIST && header->code == NM_DBLCLK &&
        SendMessageW(header->hwndFrom, LVM_GETSELECTEDCOUNT, 0, 0) == 1) {
        ChangeDisplayName();
        return TRUE;
    }
    return FALSE;
}

void CFormOptionsCities::HomeSelectionChanged() {
    const int index = static_cast<int>(SendMessageW(Item(IDC_CITIES_HOME), CB_GETCURSEL, 0, 0));
    const std::vector<CityListEdit::HomeEntry> entries = CityListEdit::HomeEntries(*options_);
    if (index < 0 || index >= static_cast<int>(entries.size())) {
        return;
    }
    // By position, not by text: a city may be named like one of the two fixed items.
    const CityListEdit::HomeEntry& entry = entries[index];
    switch (entry.What) {
    case CityListEdit::HomeEntry::Kind::OtherCity:
        ShowPicker(0);
        break;
    case CityListEdit::HomeEntry::Kind::Separator:
        RestoreHomeSelection();
        break;
    case CityListEdit::HomeEntry::Kind::City:
        Show(CityListEdit::ChooseHomeFavourite(*options_, entry.Id));
        break;
    }
}

void CFormOptionsCities::ShowPicker(int purpose) {
    try {
        if (picker_ == nullptr) {
            picker_ = std::make_unique<CFormSelectCity>(OptionsDialog(), cityRecordsFile_);
        }
        picker_->Showup(purpose);
    } catch (...) {
        // Nothing opened, so the home list must not stay on "Other city...".
        RestoreHomeSelection();
        throw;
    }
}

void CFormOptionsCities::OnCityPicked() {
    if (options_ == nullptr || picker_ == nullptr) {
        return;
    }
    const std::vector<CityRecord> records = picker_->SelectedRecords();
    if (picker_->Purpose() == 0) {
        Show(CityListEdit::ChooseHomeRecord(*options_, records));
    } else {
        Show(CityListEdit::AddFavourites(*options_, records));
    }
}

void CFormOptionsCities::OnCityPickCancelled() {
    if (options_ != nullptr && picker_ != nullptr && picker_->Purpose() == 0) {
        RestoreHomeSelection();
    }
}

void CFormOptionsCities::RemoveSelectedCities() {
    const HWND list = Item(IDC_CITIES_LIST);
    const std::vector<int> rows = SelectedRows(list);
    if (rows.empty()) {
        MessageBoxW(OptionsDialog(), L"Please select a city and try again.", L"", MB_ICONINFORMATION);
        return;
    }
    std::vector<int> ids;
    for (const int row : rows) {
        int id = 0;
        if (ReadRowId(list, row, id)) {
            ids.push_back(id);
        }
    }
    CityListEdit::RemoveCities(*options_, ids);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        SendMessageW(list, LVM_DELETEITEM, *row, 0);
    }
    FillHomeList();
}

void CFormOptionsCities::ChangeDisplayName() {
    const HWND list = Item(IDC_CITIES_LIST);
    const int row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    int id = 0;
    if (row < 0 || !ReadRowId(list, row, id)) {
        ThrowApplicationException("CFormOptions::ChangeDisplayName (1015)");
    }
    City* city = CityListEdit::FindCity(*options_, id);
    if (city == nullptr) {
        return;
    }
    CFormEditCity dialog(*city);
    if (dialog.Run(OptionsDialog()) != IDOK) {
        return;
    }
    SendMessageW(list, LVM_DELETEITEM, row, 0);
    const int newRow = Util::AddToListView(*city, list);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, newRow, reinterpret_cast<LPARAM>(&state));
    SendMessageW(list, LVM_ENSUREVISIBLE, newRow, FALSE);
    SetFocus(list);
    FillHomeList();
}
