#pragma once
#include "app/Window.h"

// A window that draws its whole client area itself: no background erase (the picture covers
// it, and an erase would flicker), WM_PAINT hands the device context to Paint, and Redraw
// paints at once through a device context of its own. Messages a derived window does not
// handle go to PaintedWindow::HandleMessage.
class PaintedWindow : public Window {
public:
    void Redraw() {
        if (Handle() == nullptr) {
            return;
        }
        const HDC dc = GetDC(Handle());
        if (dc == nullptr) {
            return;
        }
        const DeviceContextRelease release{Handle(), dc};
        Paint(dc);
    }

protected:
    virtual void Paint(HDC dc) = 0;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC dc = BeginPaint(Handle(), &paint);
            // Ended even when Paint throws: a paint left open would be asked for again at once.
            const PaintEnd end{Handle(), paint};
            Paint(dc);
            return 0;
        }
        default:
            return DefaultHandler(message, wParam, lParam);
        }
    }

private:
    struct DeviceContextRelease {
        HWND window;
        HDC dc;
        ~DeviceContextRelease() { ReleaseDC(window, dc); }
    };
    struct PaintEnd {
        HWND window;
        const PAINTSTRUCT& paint;
        ~PaintEnd() { EndPaint(window, &paint); }
    };
};
