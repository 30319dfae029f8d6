#include "ui/CitySort.h"

#include "core/ApplicationException.h"

#include <algorithm>

namespace {
// Where a character's first UTF-16 code unit sorts: characters past U+FFFF start with a
// surrogate, which sorts below U+E000..U+FFFF. On Windows every character is one code unit.
unsigned long FirstUnit(wchar_t c) {
    const auto value = static_cast<unsigned long>(c);
    return value > 0xFFFF ? 0xD800 + ((value - 0x10000) >> 10) : value;
}

std::wstring_view Cut(std::wstring_view text) {
    return text.substr(0, std::min(text.size(), CitySort::TextBufferLength - 1));
}
} // namespace

namespace CitySort {

int CompareText(std::wstring_view a, std::wstring_view b) {
    a = Cut(a);
    b = Cut(b);
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        if (a[i] == b[i]) {
            continue;
        }
        const unsigned long unitA = FirstUnit(a[i]);
        const unsigned long unitB = FirstUnit(b[i]);
        if (unitA != unitB) {
            return unitA < unitB ? -1 : 1;
        }
        return static_cast<unsigned long>(a[i]) < static_cast<unsigned long>(b[i]) ? -1 : 1;
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

int CompareRecords(const CityRecord& a, const CityRecord& b, int sortColumn) {
    switch (sortColumn) {
    case 0: {
        const int byCountry = CompareText(a.Country, b.Country);
        return byCountry != 0 ? byCountry : CompareText(a.DisplayName(), b.DisplayName());
    }
    case 1:
        return CompareText(a.DisplayName(), b.DisplayName());
    case 2:
        return CompareText(a.Details, b.Details);
    default:
        ThrowApplicationException("CFormSelectCity::DoCompare (176)");
    }
}

void ClickColumn(SortState& state, int column) {
    if (column < 0 || column > 2) {
        ThrowApplicationException("CFormSelectCity::OnLvnColumnclickListCities (186)");
    }
    state.Ascending = column == state.Column ? !state.Ascending : true;
    state.Column = column;
}

} // namespace CitySort
