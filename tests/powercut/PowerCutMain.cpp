// Cuts the power on saves of the settings: a child saves two different settings in turn, as
// fast as it can, and is killed at a random moment; after each kill both files must read as
// either of the two, never as the defaults and never partly.
//
//   orbimeteo-powercut trials COUNT FOLDER [MAX-DELAY-MS]
//   orbimeteo-powercut save FOLDER      (the child: saves until it is killed)
#include "ChildProcess.h"
#include "data/CityRecord.h"
#include "data/DefaultCities.h"
#include "data/Options.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {
OptionsSite SiteIn(const fs::path& folder) {
    OptionsSite site;
    site.OptionsFile = (folder / "Options.txt").wstring();
    site.CitiesFile = (folder / "Cities.txt").wstring();
    return site;
}

CPtr<City> CityOf(const std::string& line) {
    CPtr<City> city(new City);
    CityRecord::Parse(line, *city);
    return city;
}

// The two settings differ in every kind of line and in their files' sizes, so that a file cut
// short or mixed from both cannot pass for either.
void Apply(COptions& options, int which) {
    const CPtr<std::vector<City>> defaults = CreateDefaultCities();
    CPtr<std::vector<City>> cities(new std::vector<City>);
    if (which == 0) {
        options.HomeCity = CityOf("1001;EGLL;United Kingdom;London;Heathrow;51.477001;-0.461000");
        options.UseMetricSystem = true;
        options.WeatherIconScale = 90;
        options.FormLocalWeather_Mode = 1;
        cities->assign(defaults->begin(), defaults->begin() + 3);
    } else {
        options.HomeCity = CityOf("113600;LFPO;France;Paris;Orly;48.733002;2.400000");
        options.UseMetricSystem = false;
        options.WeatherIconScale = 120;
        options.FormLocalWeather_Mode = 2;
        for (int copy = 0; copy < 12; ++copy) {
            cities->insert(cities->end(), defaults->begin(), defaults->end());
        }
    }
    options.Cities = std::move(cities);
}

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return "<missing>";
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Texts {
    std::string Options;
    std::string Cities;
};

Texts SaveInto(const fs::path& folder, int which) {
    fs::create_directories(folder);
    COptions options(OptionsEdition::CloudPane, SiteIn(folder));
    Apply(options, which);
    if (!options.Save()) {
        throw std::runtime_error("cannot save into " + folder.string());
    }
    return {ReadAll(folder / "Options.txt"), ReadAll(folder / "Cities.txt")};
}

[[noreturn]] void SaveForever(const fs::path& folder) {
    COptions options(OptionsEdition::CloudPane, SiteIn(folder));
    for (int which = 1;; which = 1 - which) {
        Apply(options, which);
        options.Save();
    }
}

// Which of the two a file holds: 0, 1, or -1 for neither.
int Which(const std::string& text, const std::string& first, const std::string& second) {
    return text == first ? 0 : text == second ? 1 : -1;
}

int RunTrials(const char* argv0, long count, const fs::path& folder, long maxDelayMs) {
    fs::remove_all(folder);
    const Texts texts[2] = {SaveInto(folder / "a", 0), SaveInto(folder / "b", 1)};
    const fs::path trial = folder / "t";
    SaveInto(trial, 0);

    const std::string program = ThisProgram(argv0);
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delay(0, maxDelayMs * 1000);
    int options = 0;
    int cities = 0;
    long optionsReplaced = 0;
    long citiesReplaced = 0;
    long temporaryLeft = 0;
    for (long done = 0; done < count; ++done) {
        {
            ChildProcess child(program, {"save", trial.string()});
            std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
            child.Kill();
        }
        const std::string optionsText = ReadAll(trial / "Options.txt");
        const std::string citiesText = ReadAll(trial / "Cities.txt");
        const int nowOptions = Which(optionsText, texts[0].Options, texts[1].Options);
        const int nowCities = Which(citiesText, texts[0].Cities, texts[1].Cities);
        COptions loaded(OptionsEdition::CloudPane, SiteIn(trial));
        loaded.Load();
        const bool loadsAsSaved = !loaded.HomeCity.IsEmpty() && loaded.HomeCity->Icao != L"KLAX" &&
                                  loaded.Cities->size() == (nowCities == 0 ? 3u : 204u);
        if (nowOptions < 0 || nowCities < 0 || !loadsAsSaved || fs::exists(trial / "Options.txt.damaged") ||
            fs::exists(trial / "Cities.txt.damaged")) {
            std::printf("trial %ld of %ld (seed %u) left neither the old nor the new settings:\n"
                        "Options.txt (%zu bytes) %s, Cities.txt (%zu bytes) %s\n",
                        done + 1, count, seed, optionsText.size(), nowOptions < 0 ? "neither" : "good",
                        citiesText.size(), nowCities < 0 ? "neither" : "good");
            return 1;
        }
        optionsReplaced += nowOptions != options;
        citiesReplaced += nowCities != cities;
        temporaryLeft += fs::exists(trial / "Options.txt.temp") || fs::exists(trial / "Cities.txt.temp");
        options = nowOptions;
        cities = nowCities;
    }
    std::printf("power cut: %ld trials (seed %u, killed within %ld ms of the start), every one old or new "
                "settings; Options.txt replaced after %ld, Cities.txt after %ld, a save cut short in %ld\n",
                count, seed, maxDelayMs, optionsReplaced, citiesReplaced, temporaryLeft);
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    try {
        const std::string verb = argc > 1 ? argv[1] : "";
        if (verb == "save" && argc == 3) {
            SaveForever(argv[2]);
        }
        if (verb == "trials" && (argc == 4 || argc == 5)) {
            return RunTrials(argv[0], std::atol(argv[2]), argv[3], argc == 5 ? std::atol(argv[4]) : 300);
        }
        std::fprintf(stderr, "usage: orbimeteo-powercut trials COUNT FOLDER [MAX-DELAY-MS] | save FOLDER\n");
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "orbimeteo-powercut: %s\n", error.what());
        return 1;
    }
}
