#include "ui/CityRows.h"

#include "ui/CitySort.h"
#include "ui/DisplayNameInput.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
CityRecord Station(int id, const wchar_t* country, const wchar_t* city) {
    return CityRecord(id, L"XXXX", country, city, L"", 0, 0);
}

class CityRowsTest : public testing::Test {
protected:
    CityRowsTest() {
        rows_.Assign({Station(1, L"Spain", L"Madrid"), Station(2, L"France", L"Paris"),
                      Station(3, L"Spain", L"Barcelona"), Station(4, L"Italy", L"Paris"),
                      Station(5, L"France", L"Orly")});
    }

    std::vector<size_t> SortBy(int column, bool ascending) {
        return rows_.Sort(
            [&](size_t a, size_t b) { return CitySort::CompareRecords(rows_.Row(a), rows_.Row(b), column); },
            ascending);
    }

    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (size_t row = 0; row < rows_.Size(); ++row) {
            ids.push_back(rows_.Row(row).Id);
        }
        return ids;
    }

    CityRows rows_;
};
} // namespace

TEST_F(CityRowsTest, SortIsStableAndAnswersWhereEachRowWas) {
    EXPECT_EQ(SortBy(1, true), (std::vector<size_t>{2, 0, 4, 1, 3}));
    EXPECT_EQ(Ids(), (std::vector<int>{3, 1, 5, 2, 4}));
    // Descending keeps equal rows (the two Paris) in the order they had.
    SortBy(1, false);
    EXPECT_EQ(Ids(), (std::vector<int>{2, 4, 5, 1, 3}));
    SortBy(0, true);
    EXPECT_EQ(Ids(), (std::vector<int>{5, 2, 4, 3, 1}));
}

TEST_F(CityRowsTest, CompareThatThrowsCountsAsEqual) {
    const std::vector<size_t> before =
        rows_.Sort([](size_t, size_t) -> int { throw std::runtime_error("unreadable row"); }, true);
    EXPECT_EQ(before, (std::vector<size_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Ids(), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(CityRowsTest, PrefixSearchIgnoresCaseAndWrapsFromStart) {
    EXPECT_EQ(rows_.FindPrefix(1, L"par", 0), 1);
    EXPECT_EQ(rows_.FindPrefix(1, L"PAR", 2), 3);
    EXPECT_EQ(rows_.FindPrefix(1, L"Par", 4), 1);
    EXPECT_EQ(rows_.FindPrefix(0, L"it", 0), 3);
    EXPECT_EQ(rows_.FindPrefix(1, L"Parisx", 0), -1);
    EXPECT_EQ(rows_.FindPrefix(1, L"Madrid", 99), 0);
    EXPECT_EQ(CityRows().FindPrefix(1, L"a", 0), -1);

    CityRows accented;
    accented.Assign({Station(1, L"Norway", L"\u00C5lesund")});
    EXPECT_EQ(accented.FindPrefix(1, L"\u00E5le", 0), 0);
}

TEST(DisplayNameInput, TrimsAndKeepsTheCityLineWhole) {
    EXPECT_EQ(DisplayNameInput::Clean(L"  Paris  "), L"Paris");
    EXPECT_EQ(DisplayNameInput::Clean(L"\tNew York\u00A0"), L"New York");
    EXPECT_EQ(DisplayNameInput::Clean(L""), L"");
    EXPECT_EQ(DisplayNameInput::Clean(L" \t \u3000"), L"");
    EXPECT_EQ(DisplayNameInput::Clean(L"Paris;Orly"), L"Paris Orly");
    EXPECT_EQ(DisplayNameInput::Clean(L"Paris\r\nOrly"), L"Paris  Orly");
    EXPECT_EQ(DisplayNameInput::Clean(L" ; ;"), L"");
}
