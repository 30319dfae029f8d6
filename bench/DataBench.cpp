// Times loading a station database of the shipped size, and saving and loading the options with
// many favourites. Figures only; nothing is asserted.
#include "BestOf.h"
#include "data/Data.h"
#include "data/Options.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

namespace fs = std::filesystem;

// Lines shaped like the shipped ones: country, city and airport names of ordinary length.
std::string StationDatabase(int lines) {
    std::string text;
    char line[256];
    for (int i = 0; i < lines; ++i) {
        const int length = std::snprintf(
            line, sizeof line, "%d;K%03d;Country %d;City number %d;International Airport %d;%f;%f\n", i * 100,
            i % 1000, i / 50, i, i, (i % 180) - 89.5, (i % 360) - 179.25);
        text.append(line, static_cast<size_t>(length));
    }
    return text;
}

} // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() /
                            ("orbimeteo-bench-data-" +
                             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(folder / "Earth");

    const int stations = 6700;
    const std::string database = StationDatabase(stations);
    std::ofstream(folder / "CityRecords.txt", std::ios::binary) << database;
    const std::wstring databaseFile = (folder / "CityRecords.txt").wstring();
    size_t loaded = 0;
    double ms = BestOf(20, [&] {
        Data::LoadData(databaseFile);
        loaded = Data::GetCityRecords(databaseFile).size();
    });
    std::printf("station database  %d lines, %zu KB -> %zu records  %8.2f ms\n", stations,
                database.size() / 1024, loaded, ms);

    OptionsSite site;
    site.OptionsFile = (folder / "Options.txt").wstring();
    site.CitiesFile = (folder / "Cities.txt").wstring();
    site.EarthFolder = (folder / "Earth").wstring() + static_cast<wchar_t>(fs::path::preferred_separator);
    COptions options(OptionsEdition::CloudPane, site);
    const std::vector<CityRecord>& records = Data::GetCityRecords(databaseFile);
    options.Cities->clear();
    for (int i = 0; i < 200; ++i) {
        options.Cities->push_back(City(records[static_cast<size_t>(i) * 30]));
    }

    bool saved = true;
    ms = BestOf(10, [&] { saved = options.Save() && saved; });
    std::printf("save options      200 favourites, flushed to disk  %8.2f ms%s\n", ms,
                saved ? "" : "  (failed)");
    size_t favourites = 0;
    ms = BestOf(20, [&] {
        COptions again(OptionsEdition::CloudPane, site);
        again.Load();
        favourites = again.Cities->size();
    });
    std::printf("load options      %zu favourites                    %8.2f ms\n", favourites, ms);

    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return saved && favourites == 200 && loaded == static_cast<size_t>(stations) ? 0 : 1;
}
