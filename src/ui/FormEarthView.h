#pragma once
#include "ui/PaintedWindow.h"

// The Earth viewer's client area: paints the Earth picture at its own size on every paint.
class CFormEarthView : public PaintedWindow {
public:
    bool Create(HWND frame);

protected:
    void Paint(HDC dc) override;
};
