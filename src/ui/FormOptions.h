#pragma once
#include "ui/Dialog.h"
#include "ui/FormOptionsCities.h"
#include "ui/FormOptionsDisplay.h"
#include "ui/FormOptionsEarth.h"
#include "ui/FormOptionsGeneral.h"
#include "ui/OptionsChoices.h"
#include "ui/OptionsEdit.h"

// The options dialog: a modeless frame with a tab control over four pages, editing a private
// copy of the live options. In the desktop program it is made once, hidden, and shown by every
// "Options" command; OK makes the copy live and saves it. In the screen saver's configuration
// role it is the whole program: closing it ends the message loop, OK saving first.
class CFormOptions : public Dialog {
public:
    CFormOptions();

    // Makes the dialog hidden, owned by owner (none when null); false when the system refuses.
    bool Create(HWND owner);
    // Shows the dialog on the page (OptionsChoices::Page; any other number keeps the current
    // tab). Opened anew, it edits a fresh copy of the live options and disables its owner; in
    // any case it comes to the front.
    void Open(int page);
    // Hides the dialog and drops its edits: the desktop program is ending.
    void Discard();

    // Sets every control of every page from the working copy; throws
    // "CFormOptions::PopulateControls (372)" without one.
    void PopulateControls();
    bool IsEditing() const { return edit_.IsEditing(); }
    // Throws the CPtr error while nothing is being edited.
    COptions& WorkingCopy() { return edit_.WorkingCopy(); }
    // The unit was chosen on one page: both pages show it, and the display preview follows.
    void OnUnitChosen(bool metric);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    void OnCancel() override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void AddTabs();
    void CreatePages();
    HWND PageWindow(int page) const;
    // Hides every page, then shows the one of the selected tab.
    void ShowSelectedPage();
    // Hides the dialog and gives the owner back its input.
    void Hide();

    // The tab of each page (OptionsChoices::Page), -1 for a page without one.
    int TabIndex[OptionsChoices::PageCount] = {-1, -1, -1, -1};
    COptionsEdit edit_;
    CFormOptionsGeneral general_{*this};
    CFormOptionsEarth earth_{*this};
    CFormOptionsDisplay display_{*this};
    CFormOptionsCities cities_;
};
