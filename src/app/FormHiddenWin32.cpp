#include "app/FormHidden.h"

#include "app/Edition.h"
#include "app/Program.h"
#include "app/WindowMessages.h"

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
    case WindowMessages::SecondDesktopStart:
        OnSecondDesktopStart();
        return 0;
    case WindowMessages::ConfigurationStart:
        OnConfigurationStart();
        return 0;
    case WM_ENDSESSION:
        // Only when Windows is really ending; a cancelled log-off leaves the program running.
        if (wParam != FALSE) {
            Program::ExitAtEndOfSession();
        }
        return 0;
    default:
        return DefaultHandler(message, wParam, lParam);
    }
}

void CFormHidden::OnCreate() {
    // The title is given at creation. Next come, in this order: the home city's download
    // (Cloud Pane only), the first download batch, and timers 1, 2 and 3.
}

void CFormHidden::OnSecondDesktopStart() {
    // The full-screen saver has this window too, but no icon to show.
    if (Program::Exiting() || !Program::IsDesktop()) {
        return;
    }
    // Here the notification icon is removed, added again and its balloon shown.
}

void CFormHidden::OnConfigurationStart() {
    if (Program::Exiting() || !Program::IsDesktop()) {
        return;
    }
    // Here the options dialog opens with its page unchanged.
}
