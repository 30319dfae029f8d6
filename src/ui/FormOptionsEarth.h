#pragma once
#include "ui/FormOptionsPage.h"

// "Earth Background": the day picture and the region of the Earth picture, with a preview of the
// two together.
class CFormOptionsEarth : public COptionsPage {
public:
    using COptionsPage::COptionsPage;

    void Populate(COptions& workingCopy) override;

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnRegionChosen();
    void OnBackgroundChosen();
    void SelectCurrentRegion();
    void SelectCurrentBackground();
    void DrawPreview(const DRAWITEMSTRUCT& item);
};
