#include "ui/CityListEdit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CityRecord Station(int id, const wchar_t* name) {
    return CityRecord(id, L"XXXX", L"Country", name, L"Airport", 10, 20);
}

// A home city 1 "Home" and the favourites 2 "Two" and 3 "Three"; the favourite 2 has weather.
class CityListEditTest : public ::testing::Test {
protected:
    CityListEditTest() : options(OptionsEdition::CloudPane, OptionsSite{}) {
        options.HomeCity = new City(Station(1, L"Home"));
        options.Cities->clear();
        options.Cities->push_back(City(Station(2, L"Two")));
        options.Cities->push_back(City(Station(3, L"Three")));
        options.Cities->at(0).CurrentWeather.Temprature = 17.0f;
    }

    std::vector<int> FavouriteIds() const {
        std::vector<int> ids;
        for (const City& city : *options.Cities) {
            ids.push_back(city.Id);
        }
        return ids;
    }
    int HomeId() const { return options.HomeCity.IsEmpty() ? -1 : options.HomeCity->Id; }

    COptions options;
};

using Redraw = CityListEdit::Redraw;
using Kind = CityListEdit::HomeEntry::Kind;

TEST_F(CityListEditTest, HomeListShowsHomeOtherCitySeparatorThenFavourites) {
    const auto entries = CityListEdit::HomeEntries(options);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].What, Kind::City);
    EXPECT_EQ(entries[0].Text, L"Home");
    EXPECT_EQ(entries[0].Id, 1);
    EXPECT_EQ(entries[1].What, Kind::OtherCity);
    EXPECT_EQ(entries[1].Text, L"Other city...");
    EXPECT_EQ(entries[2].What, Kind::Separator);
    EXPECT_EQ(entries[2].Text, L" ");
    EXPECT_EQ(entries[3].Text, L"Two");
    EXPECT_EQ(entries[4].Id, 3);
    EXPECT_EQ(CityListEdit::HomeSelection(options), 0);

    options.Cities->clear();
    options.HomeCity = nullptr;
    const auto bare = CityListEdit::HomeEntries(options);
    ASSERT_EQ(bare.size(), 1u);
    EXPECT_EQ(bare[0].What, Kind::OtherCity);
    EXPECT_EQ(CityListEdit::HomeSelection(options), -1);
}

TEST_F(CityListEditTest, ChoosingTheHomeCityAgainChangesNothing) {
    EXPECT_EQ(CityListEdit::ChooseHomeFavourite(options, 1), Redraw::Nothing);
    EXPECT_EQ(CityListEdit::ChooseHomeRecord(options, {Station(1, L"Other name")}), Redraw::HomeSelection);
    EXPECT_EQ(HomeId(), 1);
    EXPECT_EQ(options.HomeCity->DisplayName(), L"Home");
    EXPECT_EQ(FavouriteIds(), (std::vector<int>{2, 3}));
}

TEST_F(CityListEditTest, FavouriteChosenFromTheListBecomesHomeWithItsWeather) {
    EXPECT_EQ(CityListEdit::ChooseHomeFavourite(options, 2), Redraw::HomeList);
    EXPECT_EQ(HomeId(), 2);
    EXPECT_EQ(options.HomeCity->CurrentWeather.Temprature.Value(), 17.0f);
    EXPECT_EQ(FavouriteIds(), (std::vector<int>{3, 1}));
    // An id no favourite has only puts the selection back.
    EXPECT_EQ(CityListEdit::ChooseHomeFavourite(options, 99), Redraw::HomeSelection);
    EXPECT_EQ(HomeId(), 2);
}

TEST_F(CityListEditTest, PickedHomeCityLeavesTheFavouritesAndTheOldHomeIsAppended) {
    EXPECT_EQ(CityListEdit::ChooseHomeRecord(options, {Station(2, L"Two"), Station(7, L"Seven")}),
              Redraw::BothLists);
    EXPECT_EQ(HomeId(), 2);
    EXPECT_EQ(FavouriteIds(), (std::vector<int>{3, 1}));

    // A new station: the old home city is appended, nothing else moves.
    EXPECT_EQ(CityListEdit::ChooseHomeRecord(options, {Station(8, L"Eight")}), Redraw::BothLists);
    EXPECT_EQ(HomeId(), 8);
    EXPECT_EQ(FavouriteIds(), (std::vector<int>{3, 1, 2}));

    // Without a home city nothing is appended.
    options.HomeCity = nullptr;
    EXPECT_EQ(CityListEdit::ChooseHomeRecord(options, {Station(9, L"Nine")}), Redraw::BothLists);
    EXPECT_EQ(HomeId(), 9);
    EXPECT_EQ(FavouriteIds(), (std::vector<int>{3, 1, 2}));
}

TEST_F(CityListEditTest, NothingPickedForHomePutsTheSelectionBack) {
    EXPECT_EQ(CityListEdit::ChooseHomeRecord(options, {}), Redraw::HomeSelection);
    EXPECT_EQ(HomeId(), 1);
    EXPECT_EQ(FavouriteIds(), (std::vector<int>{2, 3}));
}

TEST_F(CityListEditTest, AddingFavouritesSkipsKnownStationsAndKeepsThePickerOrder) {
    EXPECT_EQ(CityListEdit::AddFavourites(options, {Station(1, L"Home"), Station(3, L"Three")}),
              Redraw::BothLists);
    EXPECT_EQ(FavouriteIds(), (std::vector<int>{2, 3}));

    CityListEdit::AddFavourites(
        options, {Station(30, L"Z"), Station(10, L"A"), Station(20, L"M"), Station(10, L"A again")});
    EXPECT_EQ(FavouriteIds(), (std::vector<int>{2, 3, 30, 10, 20}));
    EXPECT_EQ(options.Cities->at(3).DisplayName(), L"A");
    EXPECT_EQ(HomeId(), 1);
}

TEST_F(CityListEditTest, RemovingRowsByIds) {
    CityListEdit::RemoveCities(options, {1});
    EXPECT_TRUE(options.HomeCity.IsEmpty());
    EXPECT_EQ(FavouriteIds(), (std::vector<int>{2, 3}));
    const auto entries = CityListEdit::HomeEntries(options);
    EXPECT_EQ(entries.front().What, Kind::OtherCity);
    EXPECT_EQ(CityListEdit::HomeSelection(options), -1);

    CityListEdit::RemoveCities(options, {3, 42});
    EXPECT_EQ(FavouriteIds(), (std::vector<int>{2}));
}

TEST_F(CityListEditTest, RowsOfOneIdInALoadedFileAreRemovedOneEach) {
    // "Cities.txt" is not checked for repeated ids, so the list can show two rows of one id.
    options.Cities->push_back(City(Station(1, L"Home again")));
    options.Cities->push_back(City(Station(2, L"Two again")));
    CityListEdit::RemoveCities(options, {1, 1, 2});
    EXPECT_TRUE(options.HomeCity.IsEmpty());
    EXPECT_EQ(FavouriteIds(), (std::vector<int>{3, 2}));
    EXPECT_EQ(options.Cities->back().DisplayName(), L"Two again");
}

TEST_F(CityListEditTest, FindsTheHomeCityBeforeAFavourite) {
    EXPECT_EQ(CityListEdit::FindCity(options, 1), options.HomeCity.Get());
    EXPECT_EQ(CityListEdit::FindCity(options, 3), &options.Cities->at(1));
    EXPECT_EQ(CityListEdit::FindCity(options, 4), nullptr);
}

} // namespace
