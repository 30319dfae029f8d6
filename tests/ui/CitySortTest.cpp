#include "ui/CitySort.h"

#include "core/ThrowLocation.h"

#include <gtest/gtest.h>

namespace {
CityRecord Station(const wchar_t* country, const wchar_t* city, const wchar_t* details = L"") {
    return CityRecord(1, L"XXXX", country, city, details, 0, 0);
}
} // namespace

TEST(CitySort, TextsCompareByCodeUnitsWithPrefixFirst) {
    EXPECT_LT(CitySort::CompareText(L"Zurich", L"amsterdam"), 0);
    EXPECT_GT(CitySort::CompareText(L"amsterdam", L"Zurich"), 0);
    EXPECT_EQ(CitySort::CompareText(L"Paris", L"Paris"), 0);
    EXPECT_EQ(CitySort::CompareText(L"Paris", L"Paris Orly"), -1);
    EXPECT_EQ(CitySort::CompareText(L"Paris Orly", L"Paris"), 1);
    EXPECT_EQ(CitySort::CompareText(L"", L"A"), -1);
    // Not locale-aware: an accented letter sorts after every ASCII letter.
    EXPECT_GT(CitySort::CompareText(L"\u00C5lesund", L"zz"), 0);
    // A character past U+FFFF starts with a surrogate, below U+E000.
    EXPECT_LT(CitySort::CompareText(L"\U0001F600", L"\uFF21"), 0);
}

TEST(CitySort, TextsAreComparedWithinTheRowBuffer) {
    const std::wstring stem(CitySort::TextBufferLength - 1, L'a');
    EXPECT_EQ(CitySort::CompareText(stem + L"b", stem + L"c"), 0);
    EXPECT_LT(CitySort::CompareText(stem.substr(1) + L"b", stem.substr(1) + L"c"), 0);
}

TEST(CitySort, CountryThenCityCityOnlyOrDetailsOnly) {
    const CityRecord bernZurich = Station(L"Switzerland", L"Zurich", L"Kloten");
    const CityRecord bernBasel = Station(L"Switzerland", L"Basel", L"Mulhouse");
    const CityRecord austria = Station(L"Austria", L"Zurich", L"Airport");
    EXPECT_GT(CitySort::CompareRecords(bernZurich, bernBasel, 0), 0);
    EXPECT_LT(CitySort::CompareRecords(austria, bernBasel, 0), 0);
    EXPECT_EQ(CitySort::CompareRecords(austria, bernZurich, 1), 0);
    EXPECT_LT(CitySort::CompareRecords(bernBasel, bernZurich, 1), 0);
    EXPECT_LT(CitySort::CompareRecords(austria, bernZurich, 2), 0);
    EXPECT_EQ(ThrowLocation<ApplicationException>([&] { CitySort::CompareRecords(austria, austria, 3); }),
              L"CFormSelectCity::DoCompare (176)");
}

TEST(CitySort, NewColumnStartsAscendingSameColumnTurns) {
    CitySort::SortState state;
    CitySort::ClickColumn(state, 1);
    EXPECT_EQ(state.Column, 1);
    EXPECT_TRUE(state.Ascending);
    CitySort::ClickColumn(state, 1);
    EXPECT_FALSE(state.Ascending);
    CitySort::ClickColumn(state, 0);
    EXPECT_EQ(state.Column, 0);
    EXPECT_TRUE(state.Ascending);

    // The rows start in database order under column 0 ascending, so "Country" first turns.
    CitySort::SortState fresh;
    CitySort::ClickColumn(fresh, 0);
    EXPECT_FALSE(fresh.Ascending);

    EXPECT_EQ(ThrowLocation<ApplicationException>([&] { CitySort::ClickColumn(fresh, 3); }),
              L"CFormSelectCity::OnLvnColumnclickListCities (186)");
    EXPECT_EQ(fresh.Column, 0);
    EXPECT_FALSE(fresh.Ascending);
}
