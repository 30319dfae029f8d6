#include "ui/WebLinks.h"

#include "app/CommandIds.h"
#include "app/Program.h"
#include "core/Util.h"
#include "ui/FormAbout.h"
#include "ui/UiResourceIds.h"
#include "ui/WebAddress.h"
#include "ui/WebSite.h"

#include <string>

void WebLinks::About(HWND owner) {
    try {
        CFormAbout about;
        about.Run(owner);
    } catch (...) {
    }
}

void WebLinks::Feedback(HWND owner) {
    try {
        const std::wstring text =
            L"Feel free to contact us for any question, suggestion or issue.\r\n\r\nEmail: " +
            ContactEmailText();
        MessageBoxW(owner, text.c_str(), Program::DisplayName(), MB_OK | MB_ICONINFORMATION);
    } catch (...) {
    }
}

void WebLinks::WebPage(HWND owner) {
    try {
        Util::OpenUrl(owner, WebSite::ProductPage());
        return;
    } catch (...) {
    }
    try {
        const std::wstring text = L"Please visit " + WebSite::Address();
        MessageBoxW(owner, text.c_str(), Program::DisplayName(), MB_OK | MB_ICONINFORMATION);
    } catch (...) {
    }
}

bool WebLinks::HandleCommand(HWND owner, int command) {
    switch (command) {
    case IDC_WEB_PAGE:
        WebPage(owner);
        return true;
    case IDC_FEEDBACK:
        Feedback(owner);
        return true;
    case IDC_ABOUT:
        About(owner);
        return true;
    default:
        return false;
    }
}
