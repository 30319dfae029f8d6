#pragma once
#include <windows.h>

// Base of the program's dialogs, built from a dialog template of the program's resources.
// The dialog procedure finds the object through the create parameter at WM_INITDIALOG and
// DWLP_USER afterwards, and hands every message to HandleMessage inside one catch-all: no
// exception crosses into the system, a failing handler answers FALSE and the program goes on.
// Modal and modeless dialogs differ only in how Close ends them (EndDialog or DestroyWindow);
// a modeless dialog is registered with the message loop for its keyboard navigation while its
// window lives. A child page (a dialog placed inside another, such as a tab's page) is modeless
// but not registered: the dialog around it navigates its controls.
class Dialog {
public:
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    // Destroys a modeless window still alive, without calling into the half-destroyed object.
    virtual ~Dialog();

    HWND Handle() const { return handle_; }

protected:
    // Runs the dialog until Close; answers Close's result, or -1 when the system refuses it.
    INT_PTR RunModal(int templateId, HWND owner);
    // False when the system refuses the window; the caller names the failure.
    bool CreateModeless(int templateId, HWND owner);
    // The same for a page whose template has WS_CHILD and DS_CONTROL, inside parent.
    bool CreateChild(int templateId, HWND parent);
    // Ends a modal dialog with the result; destroys a modeless one.
    void Close(INT_PTR result);

    // True lets the system give the focus to the first control.
    virtual bool OnInit() { return true; }
    // False for commands the dialog does not handle.
    virtual bool OnCommand(int id, int code, HWND control);
    virtual void OnOK() { Close(IDOK); }
    // Also the close box and Escape.
    virtual void OnCancel() { Close(IDCANCEL); }
    // Messages other than initialisation and commands; FALSE means not handled.
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND Item(int id) const { return GetDlgItem(handle_, id); }
    void CentreOnOwner();

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    bool modal_ = false;
    bool child_ = false;
};
