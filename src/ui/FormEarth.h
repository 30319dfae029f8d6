#pragma once
#include "app/Window.h"
#include "ui/FormEarthView.h"

// The Earth viewer: a resizable frame with the viewer's menu whose client area is the view.
// Closing it only hides it; it lives until the shutdown.
class CFormEarth : public Window {
public:
    // Made hidden; false when the frame or its view cannot be made.
    bool Create();
    // Maximised the first time in a process; afterwards restored when minimised, else shown
    // as it was; then brought to the front.
    void ShowViewer();
    // Paints the view at once while the frame is visible.
    void Redraw();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCreate();
    void OnCommand(WORD command);

    CFormEarthView View;
    HACCEL Accelerators = nullptr;
    bool ShownBefore = false;
};
