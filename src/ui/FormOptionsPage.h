#pragma once
#include "ui/Dialog.h"

class COptions;
class CFormOptions;

// One page of the options dialog: a child dialog on the frame's tab control, drawn with the
// tab's themed background, that edits the frame's working copy.
class COptionsPage : public Dialog {
public:
    explicit COptionsPage(CFormOptions& frame) : frame_(frame) {}

    bool Create(int templateId, HWND frame);
    // Sets every control from the working copy.
    virtual void Populate(COptions& workingCopy) = 0;

protected:
    bool OnInit() override;
    // Enter and Escape belong to the frame: a page closing itself would leave a hole in the tab.
    void OnOK() override;
    void OnCancel() override;
    CFormOptions& Frame() const { return frame_; }
    COptions& WorkingCopy() const;
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);
    void ShowItem(int id, bool shown);

private:
    CFormOptions& frame_;
};
