#pragma once
#include "ui/PaintedWindow.h"

// The small picture the system's screen-saver settings page embeds: a child of the window the
// page passed, covering its client area. Its end, by close or by the page destroying it, ends
// the program.
class CFormScreenSaverPreview : public PaintedWindow {
public:
    // False when the window cannot be made.
    bool Create(HWND parent, const RECT& bounds);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;

private:
};
