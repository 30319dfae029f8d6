#pragma once
#include "app/Window.h"

// The small picture the system's screen-saver settings page embeds: a child of the window the
// page passed, covering its client area. Its end, by close or by the page destroying it, ends
// the program.
class CFormScreenSaverPreview : public Window {
public:
    // False when the window cannot be made.
    bool Create(HWND parent, const RECT& bounds);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);
};
