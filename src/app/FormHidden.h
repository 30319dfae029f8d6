#pragma once
#include "app/Window.h"

// The window class another instance looks for, together with the title
// Program::DisplayName + "_FormHidden".
inline constexpr wchar_t FormHiddenClassName[] = L"Orbimeteo_FormHidden";

// The invisible top-level window of the desktop and full-screen roles: the hub that other
// processes and the worker post to, and that Windows tells when the session ends. A plain
// top-level window (not message-only) so that FindWindow and WM_ENDSESSION reach it.
class CFormHidden : public Window {
public:
    // False when the window cannot be made.
    bool Create();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCreate();
    void OnSecondDesktopStart();
    void OnConfigurationStart();
};
