#include "ui/FormSelectCity.h"

#include "app/WindowMessages.h"
#include "core/ApplicationException.h"
#include "data/City.h"
#include "data/Data.h"
#include "ui/CityDialogIds.h"

#include <commctrl.h>

#include <algorithm>

namespace {
struct Column {
    const wchar_t* Title;
    int Width;
};
constexpr Column Columns[] = {{L"Country", 120}, {L"City", 200}, {L"Details", 200}};

std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
        rows.push_back(row);
    }
    return rows;
}

// The stations of the database. A damaged file keeps the stations before the damage, which the
// second look returns without reading again; a missing file gives none.
std::vector<CityRecord> Stations(const std::wstring& file) {
    try {
        return Data::GetCityRecords(file);
    } catch (const ApplicationException&) {
    }
    try {
        return Data::GetCityRecords(file);
    } catch (const ApplicationException&) {
        return {};
    }
}

void CopyText(const std::wstring& text, LVITEMW& item) {
    if (item.pszText == nullptr || item.cchTextMax <= 0) {
        return;
    }
    const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::copy_n(text.c_str(), length, item.pszText);
    item.pszText[length] = L'\0';
}
} // namespace

CFormSelectCity::CFormSelectCity(HWND owner, std::wstring cityRecordsFile)
    : owner_(owner), cityRecordsFile_(std::move(cityRecordsFile)) {}

void CFormSelectCity::Showup(int purpose) {
    purpose_ = purpose;
    if (Handle() == nullptr && !CreateModeless(IDD_SELECT_CITY, owner_)) {
        ThrowApplicationException("CFormSelectCity::Showup (14)");
    }
    EnableWindow(owner_, FALSE);
    ShowWindow(Handle(), SW_SHOW);
    SetFocus(list_);
}

std::vector<CityRecord> CFormSelectCity::SelectedRecords() const {
    std::vector<CityRecord> records;
    if (list_ == nullptr) {
        return records;
    }
    const std::vector<int> rows = SelectedRows(list_);
    if (rows.empty()) {
        return records;
    }
    try {
        const std::vector<CityRecord>& database = Data::GetCityRecords(cityRecordsFile_);
        for (int row : rows) {
            if (static_cast<size_t>(row) >= rows_.Size()) {
                continue;
            }
            if (const CityRecord* record = FindById(database, rows_.Row(static_cast<size_t>(row)).Id)) {
                records.push_back(*record);
            }
        }
    } catch (const ApplicationException&) {
        // Without the database no row's station is known.
    }
    return records;
}

bool CFormSelectCity::OnInit() {
    // A new window has its rows in database order again.
    sort_ = {};
    CentreOnOwner();
    list_ = Item(IDC_LIST_CITIES);
    ListView_SetExtendedListViewStyleEx(list_, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddColumns();
    FillRows();
    return false;
}

void CFormSelectCity::AddColumns() {
    for (int index = 0; index < static_cast<int>(std::size(Columns)); ++index) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(Columns[index].Title);
        column.cx = Columns[index].Width;
        column.iSubItem = index;
        ListView_InsertColumn(list_, index, &column);
    }
}

void CFormSelectCity::FillRows() {
    rows_.Assign(Stations(cityRecordsFile_));
    ListView_SetItemCountEx(list_, static_cast<int>(rows_.Size()), 0);
}

void CFormSelectCity::OnOK() {
    Finish(WindowMessages::CityPicked);
}

void CFormSelectCity::OnCancel() {
    Finish(WindowMessages::CityPickCancelled);
}

void CFormSelectCity::Finish(unsigned message) {
    // The owner is enabled before the picker hides, so the activation goes back to it rather
    // than to another program's window.
    EnableWindow(owner_, TRUE);
    ShowWindow(Handle(), SW_HIDE);
    SendMessageW(owner_, message, 0, 0);
    SetActiveWindow(owner_);
}

void CFormSelectCity::OnLvnColumnclickListCities(int column) {
    try {
        CitySort::ClickColumn(sort_, column);
    } catch (const ApplicationException&) {
        return;
    }
    KeepMarks(rows_.Sort([this](size_t first, size_t second) { return DoCompare(first, second); },
                         sort_.Ascending));
    InvalidateRect(list_, nullptr, FALSE);
}

int CFormSelectCity::DoCompare(size_t first, size_t second) const {
    return CitySort::CompareRecords(rows_.Row(first), rows_.Row(second), sort_.Column);
}

void CFormSelectCity::KeepMarks(const std::vector<size_t>& before) {
    const std::vector<int> selected = SelectedRows(list_);
    const int focused = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
    if (selected.empty() && focused < 0) {
        return;
    }
    std::vector<int> now(before.size());
    for (size_t position = 0; position < before.size(); ++position) {
        now[before[position]] = static_cast<int>(position);
    }
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int row : selected) {
        ListView_SetItemState(list_, now[static_cast<size_t>(row)], LVIS_SELECTED, LVIS_SELECTED);
    }
    if (focused >= 0) {
        const int row = now[static_cast<size_t>(focused)];
        ListView_SetItemState(list_, row, LVIS_FOCUSED, LVIS_FOCUSED);
        ListView_SetSelectionMark(list_, row);
    }
}

INT_PTR CFormSelectCity::Answer(LRESULT result) {
    SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CFormSelectCity::HandleMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_DESTROY) {
        list_ = nullptr;
        return FALSE;
    }
    if (message != WM_NOTIFY) {
        return FALSE;
    }
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != IDC_LIST_CITIES) {
        return FALSE;
    }
    switch (header->code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
        if ((item.mask & LVIF_TEXT) != 0 && item.iItem >= 0 &&
            static_cast<size_t>(item.iItem) < rows_.Size()) {
            CopyText(CityRows::ColumnText(rows_.Row(static_cast<size_t>(item.iItem)), item.iSubItem), item);
        }
        return TRUE;
    }
    case LVN_COLUMNCLICK:
        OnLvnColumnclickListCities(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
        return TRUE;
    case LVN_ODFINDITEMW: {
        // The list's own typing search; answered for the sort column, not only the first.
        const auto* find = reinterpret_cast<const NMLVFINDITEMW*>(lParam);
        if ((find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find->lvfi.psz == nullptr) {
            return Answer(-1);
        }
        const size_t start = find->iStart > 0 ? static_cast<size_t>(find->iStart) : 0;
        return Answer(rows_.FindPrefix(sort_.Column, find->lvfi.psz, start));
    }
    default:
        return FALSE;
    }
}
