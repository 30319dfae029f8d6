#pragma once
#include "ui/Dialog.h"

// The modal About box: the edition and version, the maker's addresses, the credits and a
// "Web Page" button; centred on its owner.
class CFormAbout : public Dialog {
public:
    // Until OK, Escape or the close box; false when the system refuses the dialog.
    bool Run(HWND owner);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
};
