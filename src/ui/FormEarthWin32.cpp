#include "ui/FormEarth.h"

#include "app/CommandIds.h"
#include "app/MessageLoop.h"
#include "app/OptionsDialog.h"
#include "app/Program.h"
#include "ui/FormLocalWeather.h"
#include "ui/UiResourceIds.h"
#include "ui/WebLinks.h"

namespace {
constexpr wchar_t ClassName[] = L"Orbimeteo_FormEarth";
} // namespace

bool CFormEarth::Create() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.lpszClassName = ClassName;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(module, MAKEINTRESOURCEW(128));
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_EARTH);
    if (!RegisterWindowClass(windowClass)) {
        return false;
    }
    // Where it first appears hardly matters: its first showing is maximised.
    const RECT bounds{100, 100, 1000, 700};
    if (!CreateWindowOf(ClassName, Program::DisplayName(),
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                        WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, nullptr, bounds)) {
        return false;
    }
    return View.Handle() != nullptr;
}

void CFormEarth::ShowViewer() {
    if (!ShownBefore) {
        ShownBefore = true;
        ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    } else if (IsIconic(Handle())) {
        ShowWindow(Handle(), SW_RESTORE);
    } else {
        ShowWindow(Handle(), SW_SHOW);
    }
    SetForegroundWindow(Handle());
    SetActiveWindow(Handle());
}

void CFormEarth::Redraw() {
    if (Handle() != nullptr && IsWindowVisible(Handle())) {
        View.Redraw();
    }
}

LRESULT CFormEarth::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SIZE:
        if (View.Handle() != nullptr) {
            MoveWindow(View.Handle(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        }
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        ShowWindow(Handle(), SW_HIDE);
        return 0;
    case WM_DESTROY:
        MessageLoop::RemoveAccelerators(Handle());
        return 0;
    default:
        return DefaultHandler(message, wParam, lParam);
    }
}

void CFormEarth::OnCreate() {
    View.Create(Handle());
    Accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_EARTH));
    if (Accelerators != nullptr) {
        MessageLoop::AddAccelerators(Handle(), Accelerators);
    }
    SetWindowTextW(Handle(), Program::DisplayName());
}

void CFormEarth::OnCommand(WORD command) {
    switch (command) {
    case IDC_EXIT:
        Program::Exit();
        break;
    case IDC_OPTIONS:
        OptionsDialog::Open(-1);
        break;
    case IDC_LOCAL_WEATHER:
        if (CFormLocalWeather* window = Program::LocalWeather()) {
            window->Show();
        }
        break;
    default:
        WebLinks::HandleCommand(Handle(), command);
        break;
    }
}
