#include "ui/CityListEdit.h"

#include <algorithm>

namespace CityListEdit {
namespace {

bool IsHome(const COptions& options, int id) {
    return !options.HomeCity.IsEmpty() && options.HomeCity->Id == id;
}

bool IsKnown(const COptions& options, int id) {
    return IsHome(options, id) || FindById(*options.Cities, id) != nullptr;
}

std::vector<City>::iterator FindFavourite(std::vector<City>& cities, int id) {
    return std::find_if(cities.begin(), cities.end(), [id](const City& city) { return city.Id == id; });
}

// The previous home city, if any, goes to the end of the favourites.
void MakeHome(COptions& options, City city) {
    if (!options.HomeCity.IsEmpty()) {
        options.Cities->push_back(*options.HomeCity);
    }
    options.HomeCity = new City(std::move(city));
}

} // namespace

std::vector<HomeEntry> HomeEntries(const COptions& options) {
    std::vector<HomeEntry> entries;
    if (!options.HomeCity.IsEmpty()) {
        entries.push_back({HomeEntry::Kind::City, options.HomeCity->DisplayName(), options.HomeCity->Id});
    }
    entries.push_back({HomeEntry::Kind::OtherCity, OtherCityText, 0});
    if (!options.Cities->empty()) {
        entries.push_back({HomeEntry::Kind::Separator, SeparatorText, 0});
        for (const City& city : *options.Cities) {
            entries.push_back({HomeEntry::Kind::City, city.DisplayName(), city.Id});
        }
    }
    return entries;
}

int HomeSelection(const COptions& options) {
    return options.HomeCity.IsEmpty() ? -1 : 0;
}

Redraw ChooseHomeFavourite(COptions& options, int id) {
    if (IsHome(options, id)) {
        return Redraw::Nothing;
    }
    std::vector<City>& cities = *options.Cities;
    const auto favourite = FindFavourite(cities, id);
    if (favourite == cities.end()) {
        return Redraw::HomeSelection;
    }
    City chosen = std::move(*favourite);
    cities.erase(favourite);
    MakeHome(options, std::move(chosen));
    return Redraw::HomeList;
}

Redraw ChooseHomeRecord(COptions& options, const std::vector<CityRecord>& records) {
    if (records.empty() || IsHome(options, records.front().Id)) {
        return Redraw::HomeSelection;
    }
    const CityRecord& record = records.front();
    std::vector<City>& cities = *options.Cities;
    const auto favourite = FindFavourite(cities, record.Id);
    if (favourite != cities.end()) {
        cities.erase(favourite);
    }
    MakeHome(options, City(record));
    // Both lists even when the station was a favourite: its row may show a name given by the
    // user, which the new city made from the station does not have.
    return Redraw::BothLists;
}

Redraw AddFavourites(COptions& options, const std::vector<CityRecord>& records) {
    for (const CityRecord& record : records) {
        if (!IsKnown(options, record.Id)) {
            options.Cities->push_back(City(record));
        }
    }
    return Redraw::BothLists;
}

void RemoveCities(COptions& options, const std::vector<int>& ids) {
    for (const int id : ids) {
        if (IsHome(options, id)) {
            options.HomeCity = nullptr;
            continue;
        }
        std::vector<City>& cities = *options.Cities;
        const auto favourite = FindFavourite(cities, id);
        if (favourite != cities.end()) {
            cities.erase(favourite);
        }
    }
}

City* FindCity(COptions& options, int id) {
    if (IsHome(options, id)) {
        return options.HomeCity.Get();
    }
    const auto favourite = FindFavourite(*options.Cities, id);
    return favourite == options.Cities->end() ? nullptr : &*favourite;
}

} // namespace CityListEdit
