#pragma once
#include "data/CityRecord.h"

#include <string_view>

// The city picker's row order: plain UTF-16 code-unit order (case-sensitive, not locale-aware),
// so that a sort gives the same rows on every system.
namespace CitySort {
// Each row text is read into a buffer of this many characters, terminator included; longer
// texts compare by their first 1023 characters.
constexpr size_t TextBufferLength = 1024;

// -1, 0 or +1; a text that is a prefix of the other sorts first.
int CompareText(std::wstring_view a, std::wstring_view b);
// Column 0 orders by country, then city; 1 by city; 2 by details. Any other column throws
// "CFormSelectCity::DoCompare (176)".
int CompareRecords(const CityRecord& a, const CityRecord& b, int sortColumn);

// The last sort request. A new column starts ascending, the same column again turns the order.
struct SortState {
    int Column = 0;
    bool Ascending = true;
};
// A column past "Details" throws "CFormSelectCity::OnLvnColumnclickListCities (186)" and
// leaves the state alone.
void ClickColumn(SortState& state, int column);
} // namespace CitySort
