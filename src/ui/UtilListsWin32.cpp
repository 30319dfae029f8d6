#include "core/ApplicationException.h"
#include "core/Util.h"
#include "data/CityRecord.h"

#include <windows.h>

#include <commctrl.h>

int Util::AddToListView(const CityRecord& record, HWND listView) {
    std::wstring text = record.DisplayName();
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = text.data();
    item.lParam = record.Id;
    const int index =
        static_cast<int>(SendMessageW(listView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (index < 0) {
        ThrowApplicationException("Util::AddToListView (56)");
    }
    std::wstring details = record.Details;
    LVITEMW detailsItem{};
    detailsItem.iSubItem = 1;
    detailsItem.pszText = details.data();
    SendMessageW(listView, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&detailsItem));
    return index;
}

int Util::AddToComboBox(HWND comboBox, const std::wstring& text, int data) {
    const LRESULT index = SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR || index == CB_ERRSPACE) {
        ThrowApplicationException("Util::AddToComboBox (35)");
    }
    SendMessageW(comboBox, CB_SETITEMDATA, index, data);
    return static_cast<int>(index);
}
