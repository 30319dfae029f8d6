#include "ui/FormOptionsPage.h"

#include "ui/FormOptions.h"

#include <uxtheme.h>

bool COptionsPage::Create(int templateId, HWND frame) {
    return CreateChild(templateId, frame);
}

bool COptionsPage::OnInit() {
    // Without it a page is a grey square on a white themed tab.
    EnableThemeDialogTexture(Handle(), ETDT_ENABLETAB);
    return false;
}

void COptionsPage::OnOK() {
    SendMessageW(frame_.Handle(), WM_COMMAND, IDOK, 0);
}

void COptionsPage::OnCancel() {
    SendMessageW(frame_.Handle(), WM_COMMAND, IDCANCEL, 0);
}

COptions& COptionsPage::WorkingCopy() const {
    return frame_.WorkingCopy();
}

bool COptionsPage::IsChecked(int id) const {
    return IsDlgButtonChecked(Handle(), id) == BST_CHECKED;
}

void COptionsPage::SetChecked(int id, bool checked) {
    CheckDlgButton(Handle(), id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void COptionsPage::ShowItem(int id, bool shown) {
    ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE);
}
