#pragma once
#include "app/Window.h"
#include "core/ScopedHandleWin32.h"

// The window class another instance looks for, together with the title
// Program::DisplayName + "_FormHidden".
inline constexpr wchar_t FormHiddenClassName[] = L"Orbimeteo_FormHidden";

// The invisible top-level window of the desktop and full-screen roles: the hub that other
// processes and the worker post to, and that Windows tells when the session ends. It runs the
// download and redraw timers and, on the desktop, owns the notification icon and its menu. A
// plain top-level window (not message-only) so that FindWindow, WM_ENDSESSION and the shell's
// broadcasts reach it.
class CFormHidden : public Window {
public:
    CFormHidden();
    // False when the window cannot be made.
    bool Create();

    // Each catches its own failures and then answers false.
    bool AddNotifyIcon();
    bool ShowBalloonTip();
    void RemoveNotifyIcon();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCreate();
    void OnTimer(WPARAM id);
    void OnNotifyIcon(WPARAM id, LPARAM mouseMessage);
    void OnCommand(WORD command);
    void OnReportsQueued();
    void OnBatchFinished();
    void OnSecondDesktopStart();
    void OnTaskbarCreated();
    void OnConfigurationStart();
    LRESULT OnDiagnostics(WPARAM query, LPARAM city) const;
    void ShowMenu();

    MenuHandle Menu;
    // Ticks of the download timer, up to 2, then parked at 3 once it runs every 15 minutes.
    int TimerTicks = 0;
    // Download batches ended so far, for the diagnostics.
    int BatchesFinished = 0;
};
