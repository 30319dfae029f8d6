#pragma once
#include "data/City.h"
#include "ui/Dialog.h"

// The display-name dialog for one city, run modally.
class CFormEditCity : public Dialog {
public:
    explicit CFormEditCity(City& city) : city_(city) {}

    // IDOK after the trimmed new name was stored in the city; IDCANCEL leaves it unchanged.
    INT_PTR Run(HWND owner);

private:
    bool OnInit() override;
    void OnOK() override;

    City& city_;
};
