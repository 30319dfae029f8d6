#pragma once
#include "data/CityRecord.h"
#include "ui/CityRows.h"
#include "ui/CitySort.h"
#include "ui/Dialog.h"

#include <string>
#include <vector>

// The city picker over the whole station database: a modeless dialog created on first use and
// afterwards only hidden and shown, so it keeps its rows and sort order. Its owner is disabled
// while it is open and hears how it closed: WindowMessages::CityPicked (OK) or
// WindowMessages::CityPickCancelled (anything else), and reads SelectedRecords while handling the
// first.
class CFormSelectCity : public Dialog {
public:
    // The database is read from the file the first time the picker needs it.
    CFormSelectCity(HWND owner, std::wstring cityRecordsFile);

    // Throws "CFormSelectCity::Showup (14)" when the window cannot be created.
    void Showup(int purpose);
    // What the owner asked for in Showup: 0 chooses the home city, 1 adds favourites.
    int Purpose() const { return purpose_; }
    // The station records of the selected rows, top row first; rows whose station is unknown
    // are skipped.
    std::vector<CityRecord> SelectedRecords() const;

private:
    bool OnInit() override;
    void OnOK() override;
    void OnCancel() override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void AddColumns();
    void FillRows();
    // Hides the picker, which lives on for the next use, and tells the owner.
    void Finish(unsigned message);
    void OnLvnColumnclickListCities(int column);
    // The order of two rows by the sort column, ignoring the direction.
    int DoCompare(size_t first, size_t second) const;
    // Moves the selection and the focus with the rows a sort has moved.
    void KeepMarks(const std::vector<size_t>& before);
    INT_PTR Answer(LRESULT result);

    HWND owner_;
    std::wstring cityRecordsFile_;
    int purpose_ = 0;
    HWND list_ = nullptr;
    CitySort::SortState sort_;
    CityRows rows_;
};
