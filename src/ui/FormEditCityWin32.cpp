#include "ui/FormEditCity.h"

#include "ui/CityDialogIds.h"
#include "ui/DisplayNameInput.h"

#include <string>

namespace {
// Keeps the favourite's line far below the line length the settings readers accept.
constexpr int MaxDisplayNameLength = 255;

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}
} // namespace

INT_PTR CFormEditCity::Run(HWND owner) {
    return RunModal(IDD_EDIT_CITY, owner);
}

bool CFormEditCity::OnInit() {
    CentreOnOwner();
    SetWindowTextW(Item(IDC_EDIT_DETAILS), city_.Details.c_str());
    const HWND name = Item(IDC_EDIT_DISPLAY_NAME);
    SendMessageW(name, EM_LIMITTEXT, MaxDisplayNameLength, 0);
    SetWindowTextW(name, city_.DisplayName().c_str());
    SendMessageW(name, EM_SETSEL, 0, -1);
    SetFocus(name);
    return false;
}

void CFormEditCity::OnOK() {
    const HWND edit = Item(IDC_EDIT_DISPLAY_NAME);
    const std::wstring name = DisplayNameInput::Clean(WindowText(edit));
    if (name.empty()) {
        MessageBoxW(Handle(), L"Please enter display name and try again.", L"", MB_OK | MB_ICONINFORMATION);
        SetFocus(edit);
        return;
    }
    city_.DisplayName(name);
    Close(IDOK);
}
