#pragma once
#include "ui/FormOptionsPage.h"

#include <cstdint>

struct FontValue;

// The display page: whether and how the cities are labelled on the picture, with a preview of
// one sample city.
class CFormOptionsDisplay : public COptionsPage {
public:
    using COptionsPage::COptionsPage;

    void Populate(COptions& workingCopy) override;
    void ShowUnit(bool metric);
    void RepaintPreview();

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Each throws the location text when the current font cannot be described to the chooser.
    void PickFont(FontValue& setting, const char* failureLocation);
    void PickColor(uint32_t& setting);
    void OnIconScaleMoved();
    void ShowIconScale(int scale);
    void DrawPreview(const DRAWITEMSTRUCT& item);

    // The colour chooser's sixteen custom colours, kept while the dialog lives.
    COLORREF customColors_[16] = {};
};
