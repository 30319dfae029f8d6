#include "ui/Dialog.h"

#include "app/MessageLoop.h"

Dialog::~Dialog() {
    if (handle_ != nullptr && !modal_) {
        const HWND window = handle_;
        MessageLoop::RemoveModelessDialog(window);
        SetWindowLongPtrW(window, DWLP_USER, 0);
        handle_ = nullptr;
        DestroyWindow(window);
    }
}

INT_PTR Dialog::RunModal(int templateId, HWND owner) {
    modal_ = true;
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, Procedure,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(int templateId, HWND owner) {
    modal_ = false;
    child_ = false;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, Procedure,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool Dialog::CreateChild(int templateId, HWND parent) {
    modal_ = false;
    child_ = true;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), parent, Procedure,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::Close(INT_PTR result) {
    if (handle_ == nullptr) {
        return;
    }
    if (modal_) {
        EndDialog(handle_, result);
    } else {
        DestroyWindow(handle_);
    }
}

bool Dialog::OnCommand(int, int, HWND) {
    return false;
}

INT_PTR Dialog::HandleMessage(UINT, WPARAM, LPARAM) {
    return FALSE;
}

void Dialog::CentreOnOwner() {
    HWND owner = GetWindow(handle_, GW_OWNER);
    RECT area{};
    if (owner == nullptr || !IsWindowVisible(owner) || IsIconic(owner)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    } else {
        GetWindowRect(owner, &area);
    }
    RECT own{};
    GetWindowRect(handle_, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        if (!modal_ && !child_) {
            MessageLoop::AddModelessDialog(handle_);
        }
        return OnInit() ? TRUE : FALSE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
            return TRUE;
        }
        if (id == IDOK) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    case WM_DESTROY:
        if (!modal_ && !child_) {
            MessageLoop::RemoveModelessDialog(handle_);
        }
        return HandleMessage(message, wParam, lParam);
    default:
        return HandleMessage(message, wParam, lParam);
    }
}

INT_PTR CALLBACK Dialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->handle_ = dialog;
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    }
    if (self == nullptr) {
        return FALSE;
    }
    INT_PTR result = FALSE;
    try {
        result = self->Dispatch(message, wParam, lParam);
    } catch (...) {
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
        self->handle_ = nullptr;
    }
    return result;
}
