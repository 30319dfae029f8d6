#include "ui/FormAbout.h"

#include "app/Program.h"
#include "ui/FormAboutIds.h"
#include "ui/WebAddress.h"
#include "ui/WebLinks.h"
#include "ui/WebSite.h"

#include <string>

bool CFormAbout::Run(HWND owner) {
    return RunModal(IDD_ABOUT, owner) != -1;
}

bool CFormAbout::OnInit() {
    const std::wstring version = std::wstring(Program::DisplayName()) + L" " + Program::Version();
    SetWindowTextW(Item(IDC_ABOUT_VERSION), version.c_str());
    SetWindowTextW(Item(IDC_ABOUT_EMAIL), (L"Email: " + ContactEmailText()).c_str());
    SetWindowTextW(Item(IDC_ABOUT_WEB), (L"Web: " + WebSite::Address()).c_str());
    CentreOnOwner();
    return true;
}

bool CFormAbout::OnCommand(int id, int code, HWND) {
    if (id != IDC_ABOUT_WEB_PAGE) {
        return false;
    }
    if (code == BN_CLICKED) {
        WebLinks::WebPage(Handle());
    }
    return true;
}
