#pragma once
#include "data/Options.h"
#include "ui/CityListEdit.h"
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

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    // Enter and Escape belong to the options dialog, which the page must outlive.
    void OnOK() override;
    void OnCancel() override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillHomeList();
    void FillFavouritesList();
    void RestoreHomeSelection();
    void Show(CityListEdit::Redraw change);
    void HomeSelectionChanged();
    void ShowPicker(int purpose);
    void RemoveSelectedCities();
    void ChangeDisplayName();
    HWND OptionsDialog() const { return GetParent(Handle()); }

    std::wstring cityRecordsFile_;
    COptions* options_ = nullptr;
    std::unique_ptr<CFormSelectCity> picker_;
};
