#include "app/FormHidden.h"

#include "app/CommandIds.h"
#include "app/EarthSteps.h"
#include "app/Edition.h"
#include "app/OptionsDialog.h"
#include "app/Program.h"
#include "app/ProgramWindows.h"
#include "app/ResourceIds.h"
#include "app/TimerIds.h"
#include "app/WindowMessages.h"
#include "core/TimeSpan.h"
#include "ui/FormLocalWeather.h"
#include "ui/UiResourceIds.h"
#include "ui/WebLinks.h"

namespace {
UINT PeriodMs(int hours, int minutes, int seconds) {
    return static_cast<UINT>(TimeSpan(hours, minutes, seconds).Ticks() / TimeSpan::TicksPerMillisecond);
}

// Explorer broadcasts it when it has started again and all notification icons are gone.
UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

// Each download request of a handler is dropped alone when it fails, so the handler's other
// steps (the timers above all) still happen.
template <class Step> void Try(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}
} // namespace

CFormHidden::CFormHidden() : Menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_NOTIFY_ICON))) {}

bool CFormHidden::Create() {
    WNDCLASSEXW windowClass{};
    windowClass.lpszClassName = FormHiddenClassName;
    if (!RegisterWindowClass(windowClass)) {
        return false;
    }
    const std::wstring title = HiddenWindowTitleOf(Program::Kind().Value());
    return CreateWindowOf(FormHiddenClassName, title.c_str(), 0, 0, nullptr, RECT{});
}

LRESULT CFormHidden::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WindowMessages::ReportsQueued:
        OnReportsQueued();
        return 0;
    case WindowMessages::BatchFinished:
        OnBatchFinished();
        return 0;
    case WindowMessages::NotifyIconCallback:
        OnNotifyIcon(wParam, lParam);
        return 0;
    case WindowMessages::SecondDesktopStart:
        OnSecondDesktopStart();
        return 0;
    case WindowMessages::ConfigurationStart:
        OnConfigurationStart();
        return 0;
    case WindowMessages::Diagnostics:
        return OnDiagnostics(wParam, lParam);
    case WM_POWERBROADCAST:
        // Back from sleep the weather held is hours old: fetch what is due now rather than at
        // the next tick.
        if (wParam == PBT_APMRESUMEAUTOMATIC && !Program::Exiting()) {
            Try([] { Program::DownloadWeather(false); });
        }
        return TRUE;
    case WM_ENDSESSION:
        // Only when Windows is really ending; a cancelled log-off leaves the program running.
        if (wParam != FALSE) {
            Program::ExitAtEndOfSession();
        }
        return 0;
    default:
        if (message == TaskbarCreatedMessage() && message != 0) {
            OnTaskbarCreated();
            return 0;
        }
        return DefaultHandler(message, wParam, lParam);
    }
}

void CFormHidden::OnCreate() {
    if (Program::IsCloudPane()) {
        Try([] { Program::DownloadHomeCityWeather(); });
    }
    Try([] { Program::DownloadWeather(true); });
    SetTimer(Handle(), TimerIds::Download, PeriodMs(0, 1, 0), nullptr);
    SetTimer(Handle(), TimerIds::Redraw, PeriodMs(0, 10, 0), nullptr);
    SetTimer(Handle(), TimerIds::DayNightMask, PeriodMs(23, 1, 10), nullptr);
}

void CFormHidden::OnTimer(WPARAM id) {
    switch (id) {
    case TimerIds::Download:
        Try([] { Program::DownloadWeather(false); });
        if (TimerTicks < 2) {
            ++TimerTicks;
        }
        if (TimerTicks == 2) {
            TimerTicks = 3;
            SetTimer(Handle(), TimerIds::Download, PeriodMs(0, 15, 0), nullptr);
        }
        break;
    case TimerIds::Redraw:
        Try([] { OnNightOverlayTimer(); });
        Program::RefreshAll();
        break;
    case TimerIds::DayNightMask:
        Try([] { OnDayNightMaskTimer(); });
        break;
    default:
        break;
    }
}

void CFormHidden::OnCommand(WORD command) {
    switch (command) {
    case IDC_LOCAL_WEATHER:
        if (CFormLocalWeather* window = Program::LocalWeather()) {
            window->Show();
        }
        break;
    case IDC_EXIT:
        Program::Exit();
        break;
    case IDC_EARTH:
        ProgramWindows::ShowEarthViewer();
        break;
    case IDC_OPTIONS:
        OptionsDialog::Open(-1);
        break;
    default:
        WebLinks::HandleCommand(Handle(), command);
        break;
    }
}

void CFormHidden::OnReportsQueued() {
    if (!Program::Exiting() && Program::TakeReports()) {
        Program::RefreshWindows();
    }
}

void CFormHidden::OnBatchFinished() {
    ++BatchesFinished;
    if (Program::Exiting()) {
        return;
    }
    Program::TakeReports();
    Program::RefreshAll();
}

void CFormHidden::OnSecondDesktopStart() {
    // The full-screen saver has this window too, but no icon to show.
    if (Program::Exiting() || !Program::IsDesktop()) {
        return;
    }
    RemoveNotifyIcon();
    AddNotifyIcon();
    ShowBalloonTip();
}

void CFormHidden::OnTaskbarCreated() {
    if (Program::Exiting() || !Program::IsDesktop()) {
        return;
    }
    AddNotifyIcon();
}

void CFormHidden::OnConfigurationStart() {
    if (Program::Exiting() || !Program::IsDesktop()) {
        return;
    }
    OptionsDialog::Open(-1);
}
