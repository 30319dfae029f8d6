#pragma once
#include "data/Options.h"
#include "ui/Dialog.h"
#include "ui/FormSelectCity.h"

#include <memory>
#include <string>

// The "Favorite Cities" page of the options dialog: the home-city list, the favourites list and
// the city picker it opens. The page edits the dialog's working copy given to Populate. The
// picker is owned by the page but reports to the options dialog's window, which passes its
// result messages on to OnCityPicked and OnCityPickCancelled.
class CFormOptionsCities : public Dialog {
public:
    explicit CFormOptionsCities(std::wstring cityRecordsFile);

    // Creates the page as a child of the options dialog's window; the dialog places it.
    bool Create(HWND optionsDialog);
    // Fills both lists from the working copy, which the page edits from then on.
    void Populate(COptions& workingCopy);
    void OnCityPicked();
    void OnCityPickCancelled();
};
