#pragma once
#include "data/CityRecord.h"
#include "data/Options.h"

#include <string>
#include <vector>

// The favourite-cities page's edits of the working copy, apart from the controls. Each edit keeps
// the invariants the page promises: no favourite has the home city's id, none is added twice,
// and the favourites keep their order.
namespace CityListEdit {

constexpr const wchar_t* OtherCityText = L"Other city...";
constexpr const wchar_t* SeparatorText = L" ";

// What the page must show again after an edit.
enum class Redraw {
    Nothing,
    HomeSelection, // put the home list's selection back (the home city, or none)
    HomeList,      // refill the home list
    BothLists,     // refill the home list and the favourites list
};

// One item of the home list, top to bottom.
struct HomeEntry {
    enum class Kind { City, OtherCity, Separator };
    Kind What = Kind::City;
    std::wstring Text;
    int Id = 0; // for a city
};
// The home city, "Other city...", and when there are favourites the " " separator and each
// favourite in list order.
std::vector<HomeEntry> HomeEntries(const COptions& options);
// The item that shows the home city, or -1 when there is none.
int HomeSelection(const COptions& options);

// The favourite with the id becomes the home city, with its weather, and leaves the favourites;
// the previous home city goes to their end. The home city's own id changes nothing; an id no
// favourite has only puts the selection back.
Redraw ChooseHomeFavourite(COptions& options, int id);
// The picker's result when choosing the home city: only the first record counts, made into a
// new city. Nothing chosen, or the home city again, puts the selection back.
Redraw ChooseHomeRecord(COptions& options, const std::vector<CityRecord>& records);
// The picker's result when adding favourites: each new station in the picker's order is
// appended; one already home or a favourite is skipped.
Redraw AddFavourites(COptions& options, const std::vector<CityRecord>& records);
// Removes one city per id, the home city first when it has the id.
void RemoveCities(COptions& options, const std::vector<int>& ids);
// The home city when it has the id, else the first favourite with it; null when none has.
City* FindCity(COptions& options, int id);

} // namespace CityListEdit
