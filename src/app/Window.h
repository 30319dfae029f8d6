#pragma once
#include <windows.h>

// Base of the program's own windows. The window procedure finds the object through the create
// parameters at WM_NCCREATE and GWLP_USERDATA afterwards, and hands every message to
// HandleMessage inside one catch-all: no exception crosses into the system, a failing handler
// answers 0 and the program goes on.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    // Destroys a window still alive, without calling into the half-destroyed object.
    virtual ~Window();

    HWND Handle() const { return handle_; }
    // Destroys the window while the object is whole, so its handlers still run.
    void Destroy();

protected:
    // Registers the class once per process; lpfnWndProc, hInstance and cbSize are filled in.
    static bool RegisterWindowClass(WNDCLASSEXW windowClass);
    // False when the system refuses the window; the caller names the failure.
    bool CreateWindowOf(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                        HWND parent, const RECT& bounds);

    // Everything not handled must go to DefaultHandler.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
};
