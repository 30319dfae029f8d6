#pragma once
#include "app/Window.h"

// The Earth viewer's client area: paints the Earth picture at its own size on every paint.
class CFormEarthView : public Window {
public:
    bool Create(HWND frame);
    // Paints at once through a device context of its own.
    void Redraw();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);
};
