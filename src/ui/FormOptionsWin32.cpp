#include "ui/FormOptions.h"

#include "app/Program.h"
#include "app/WindowMessages.h"
#include "core/ApplicationException.h"
#include "ui/OptionsIds.h"
#include "ui/WebLinks.h"

#include <commctrl.h>
#include <uxtheme.h>

CFormOptions::CFormOptions() : cities_(Program::PathNameCityRecords()) {}

bool CFormOptions::Create(HWND owner) {
    return CreateModeless(IDD_OPTIONS, owner);
}

bool CFormOptions::OnInit() {
    SetWindowTextW(Handle(), (std::wstring(Program::DisplayName()) + L" - Options").c_str());
    AddTabs();
    CreatePages();
    ShowSelectedPage();
    return false;
}

void CFormOptions::AddTabs() {
    const HWND tabs = Item(IDC_OPTIONS_TABS);
    int index = 0;
    for (const OptionsChoices::Tab& tab :
         OptionsChoices::TabsFor(Program::IsCloudPane(), Program::IsDesktop())) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(tab.Title);
        if (SendMessageW(tabs, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item)) == index) {
            TabIndex[tab.Shows] = index++;
        }
    }
}

void CFormOptions::CreatePages() {
    general_.Create(IDD_OPTIONS_GENERAL, Handle());
    earth_.Create(IDD_OPTIONS_EARTH, Handle());
    display_.Create(IDD_OPTIONS_DISPLAY, Handle());
    if (cities_.Create(Handle())) {
        // The same themed tab background as the other pages.
        EnableThemeDialogTexture(cities_.Handle(), ETDT_ENABLETAB);
    }
    // The tab control's display area, in the dialog's coordinates.
    const HWND tabs = Item(IDC_OPTIONS_TABS);
    RECT area{};
    GetWindowRect(tabs, &area);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (int page = 0; page < OptionsChoices::PageCount; ++page) {
        if (const HWND window = PageWindow(page)) {
            // Above the tab control, so the pages are drawn over its display area.
            SetWindowPos(window, HWND_TOP, area.left, area.top, area.right - area.left,
                         area.bottom - area.top, SWP_NOACTIVATE);
        }
    }
}

HWND CFormOptions::PageWindow(int page) const {
    switch (page) {
    case OptionsChoices::General:
        return general_.Handle();
    case OptionsChoices::EarthBackground:
        return earth_.Handle();
    case OptionsChoices::FavoriteCities:
        return cities_.Handle();
    case OptionsChoices::Display:
        return display_.Handle();
    default:
        return nullptr;
    }
}

void CFormOptions::ShowSelectedPage() {
    const int selected = static_cast<int>(SendMessageW(Item(IDC_OPTIONS_TABS), TCM_GETCURSEL, 0, 0));
    for (int page = 0; page < OptionsChoices::PageCount; ++page) {
        if (const HWND window = PageWindow(page)) {
            ShowWindow(window, SW_HIDE);
        }
    }
    for (int page = 0; page < OptionsChoices::PageCount; ++page) {
        const HWND window = PageWindow(page);
        if (window != nullptr && TabIndex[page] == selected) {
            ShowWindow(window, SW_SHOW);
        }
    }
}

void CFormOptions::Open(int page) {
    if (Handle() == nullptr) {
        return;
    }
    if (page >= 0 && page < OptionsChoices::PageCount && TabIndex[page] >= 0) {
        SendMessageW(Item(IDC_OPTIONS_TABS), TCM_SETCURSEL, TabIndex[page], 0);
    }
    ShowSelectedPage();
    if (!IsWindowVisible(Handle())) {
        edit_.Begin(Program::Options());
        PopulateControls();
        if (const HWND owner = GetWindow(Handle(), GW_OWNER)) {
            EnableWindow(owner, FALSE);
        }
        ShowWindow(Handle(), SW_SHOW);
    }
    SetForegroundWindow(Handle());
    SetActiveWindow(Handle());
}

void CFormOptions::PopulateControls() {
    if (!edit_.IsEditing()) {
        ThrowApplicationException("CFormOptions::PopulateControls (372)");
    }
    COptions& workingCopy = edit_.WorkingCopy();
    general_.Populate(workingCopy);
    earth_.Populate(workingCopy);
    display_.Populate(workingCopy);
    cities_.Populate(workingCopy);
}

void CFormOptions::OnUnitChosen(bool metric) {
    WorkingCopy().UseMetricSystem = metric;
    general_.ShowUnit(metric);
    display_.ShowUnit(metric);
    display_.RepaintPreview();
}

bool CFormOptions::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
    case IDC_OPTIONS_WEB_SITE:
        WebLinks::WebPage(Handle());
        return true;
    case IDC_OPTIONS_FEEDBACK:
        WebLinks::Feedback(Handle());
        return true;
    default:
        return false;
    }
}

void CFormOptions::OnOK() {
    if (!edit_.IsEditing()) {
        Hide();
        return;
    }
    if (Program::IsSS_Configure()) {
        edit_.SaveAndEnd();
        Hide();
        PostQuitMessage(0);
        return;
    }
    edit_.AcceptInto(Program::LiveOptions());
    Hide();
    Program::RefreshAll();
    try {
        Program::DownloadWeather(false);
    } catch (...) {
        // The next timer tick fetches what is due.
    }
}

void CFormOptions::OnCancel() {
    edit_.Discard();
    Hide();
    if (Program::IsSS_Configure()) {
        PostQuitMessage(0);
    }
}

void CFormOptions::Discard() {
    edit_.Discard();
    if (Handle() != nullptr && IsWindowVisible(Handle())) {
        Hide();
    }
}

void CFormOptions::Hide() {
    // The owner first: hidden while the owner is still disabled, the dialog would hand the
    // activation to some other program's window.
    if (const HWND owner = GetWindow(Handle(), GW_OWNER)) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    ShowWindow(Handle(), SW_HIDE);
}

INT_PTR CFormOptions::HandleMessage(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_OPTIONS_TABS && header->code == TCN_SELCHANGE) {
            ShowSelectedPage();
            return TRUE;
        }
        return FALSE;
    }
    case WindowMessages::CityPicked:
        cities_.OnCityPicked();
        return TRUE;
    case WindowMessages::CityPickCancelled:
        cities_.OnCityPickCancelled();
        return TRUE;
    default:
        return FALSE;
    }
}
