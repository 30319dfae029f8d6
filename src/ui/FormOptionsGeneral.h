#pragma once
#include "ui/FormOptionsPage.h"

// "General": the screen-saver button, the wallpaper and start-up switches, and the unit.
class CFormOptionsGeneral : public COptionsPage {
public:
    using COptionsPage::COptionsPage;

    void Populate(COptions& workingCopy) override;
    void ShowUnit(bool metric);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void MakeScreenSaver();
    // Without the screen-saver and desktop groups the unit is the page's only choice.
    void MoveUnitToTop();
};
