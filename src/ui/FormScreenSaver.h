#pragma once
#include "ui/PaintedWindow.h"

// The full-screen saver: the weather picture over the whole virtual screen, topmost, with no
// cursor. Any key, button, deactivation or a mouse move of more than 100 pixels from where the
// mouse first was asks it to close, and its close ends the program.
class CFormScreenSaver : public PaintedWindow {
public:
    // False when the window cannot be made.
    bool Create();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;

private:
    void OnCreate();
    void OnMouseMove();
    void RequestClose();

    int FirstMouseX = 0;
    int FirstMouseY = 0;
    bool FirstMouseTaken = false;
};
