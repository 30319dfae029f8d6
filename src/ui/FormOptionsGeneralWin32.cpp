#include "ui/FormOptionsGeneral.h"

#include "app/Program.h"
#include "data/Options.h"
#include "render/ScreenSaverSetupWin32.h"
#include "ui/FormOptions.h"
#include "ui/OptionsChoices.h"
#include "ui/OptionsIds.h"

bool CFormOptionsGeneral::OnInit() {
    COptionsPage::OnInit();
    const std::wstring name = Program::DisplayName();
    SetDlgItemTextW(Handle(), IDC_OPTIONS_SCREEN_SAVER, (L"Make " + name + L" my Screen Saver").c_str());
    SetDlgItemTextW(Handle(), IDC_OPTIONS_RUN_AT_STARTUP, (L"Run " + name + L" when Windows starts").c_str());
    const bool unit = OptionsChoices::GeneralShowsUnit(Program::IsCloudPane());
    for (int id : {IDC_OPTIONS_UNIT_GROUP, IDC_OPTIONS_FAHRENHEIT, IDC_OPTIONS_CELSIUS}) {
        ShowItem(id, unit);
    }
    const bool desktop =
        OptionsChoices::GeneralShowsDesktopSwitches(Program::IsCloudPane(), Program::IsDesktop());
    for (int id : {IDC_OPTIONS_SCREEN_SAVER_GROUP, IDC_OPTIONS_SCREEN_SAVER, IDC_OPTIONS_WALLPAPER_GROUP,
                   IDC_OPTIONS_UPDATE_WALLPAPER, IDC_OPTIONS_RUN_AT_STARTUP}) {
        ShowItem(id, desktop);
    }
    if (!desktop) {
        MoveUnitToTop();
    }
    return false;
}

void CFormOptionsGeneral::MoveUnitToTop() {
    const auto topOf = [this](int id) {
        RECT bounds{};
        GetWindowRect(Item(id), &bounds);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
        return bounds;
    };
    const int shift = topOf(IDC_OPTIONS_UNIT_GROUP).top - topOf(IDC_OPTIONS_SCREEN_SAVER_GROUP).top;
    for (int id : {IDC_OPTIONS_UNIT_GROUP, IDC_OPTIONS_FAHRENHEIT, IDC_OPTIONS_CELSIUS}) {
        const RECT bounds = topOf(id);
        SetWindowPos(Item(id), nullptr, bounds.left, bounds.top - shift, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CFormOptionsGeneral::Populate(COptions& workingCopy) {
    SetChecked(IDC_OPTIONS_UPDATE_WALLPAPER, workingCopy.UpdateWallpaper);
    SetChecked(IDC_OPTIONS_RUN_AT_STARTUP, workingCopy.RunAtSystemStartup);
    ShowUnit(workingCopy.UseMetricSystem);
}

void CFormOptionsGeneral::ShowUnit(bool metric) {
    SetChecked(IDC_OPTIONS_FAHRENHEIT, !metric);
    SetChecked(IDC_OPTIONS_CELSIUS, metric);
}

bool CFormOptionsGeneral::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
    case IDC_OPTIONS_UPDATE_WALLPAPER:
        WorkingCopy().UpdateWallpaper = IsChecked(id);
        return true;
    case IDC_OPTIONS_RUN_AT_STARTUP:
        WorkingCopy().RunAtSystemStartup = IsChecked(id);
        return true;
    case IDC_OPTIONS_FAHRENHEIT:
    case IDC_OPTIONS_CELSIUS:
        Frame().OnUnitChosen(id == IDC_OPTIONS_CELSIUS);
        return true;
    case IDC_OPTIONS_SCREEN_SAVER:
        MakeScreenSaver();
        return true;
    default:
        return false;
    }
}

void CFormOptionsGeneral::MakeScreenSaver() {
    std::wstring installation;
    try {
        installation = Program::PathInstallation();
    } catch (...) {
        // Then only the system folder's copy can be installed.
    }
    InstallScreenSaver(Program::ScreenSaverNameExtension(), installation, Program::DisplayName());
}
