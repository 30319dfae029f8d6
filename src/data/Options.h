#pragma once
#include "core/CPtr.h"
#include "core/FontValue.h"
#include "data/City.h"
#include "render/EarthBackground.h"
#include "render/Region.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The editions differ in one default: only the weather edition shows the weather picture.
enum class OptionsEdition { GlobeGlow, CloudPane };

// Where the options live and what saving needs from the program around them. The program fills
// it from its folder names; tests point it at a temporary folder.
struct OptionsSite {
    std::wstring OptionsFile; // "Options.txt" in the user's application-data folder
    std::wstring CitiesFile;  // "Cities.txt" beside it
    std::wstring EarthFolder; // the installation's "Earth\" folder, with its trailing separator
    // The name of the start-up entry, the edition's key name; no entry is touched when empty.
    std::wstring StartupName;
    // The program file the start-up entry starts; asked only when that entry is written.
    std::function<std::wstring()> ProgramFile;
    // Tells the user that saving failed (COptions::SaveFailedMessage).
    std::function<void()> ReportSaveFailure;
};

// Every user setting, the home city and the favourites, with their defaults; read from
// "Options.txt" and "Cities.txt" and written back. The fields are named as their keys are
// spelled in the file. A copy is deep: the options dialog edits one and hands it over on OK.
class COptions {
public:
    static constexpr const wchar_t* SaveFailedMessage = L"Could not save options.";

    COptions(OptionsEdition edition, const OptionsSite& site);

    bool UpdateWallpaper = true;
    bool RunAtSystemStartup = false;
    bool ShowWeather = true;
    bool UseMetricSystem = false;
    CPtr<City> HomeCity;            // may be empty
    CPtr<std::vector<City>> Cities; // the favourites, in the user's order
    EarthRegion Region;
    EarthBackground Background;
    bool DispalyCityName = true; // city names on the Earth picture
    bool DisplayCityTemprature = true;
    int WeatherIconScale = 70; // percent
    FontValue FontCityName{L"Arial", 6, FontValue::Regular};
    FontValue FontCityTemprature{L"Arial", 8, FontValue::Bold};
    uint32_t ColorCityName = 0xFFFFFFFF;
    uint32_t ColorCityTemprature = 0xFFFF0000;
    bool FormLocalWeather_AlwaysOnTop = false;
    int FormLocalWeather_Mode = 0; // 0, 1 or 2

    const OptionsSite& Site() const { return site_; }

    // Reads both files; never fails: what cannot be read keeps its value.
    void Load();
    // "Options.txt": each key on its own, a damaged value leaving only its own field as it was.
    // A file without a HomeCity line means no home city. A file in which not one key reads is
    // damaged: everything keeps its value, and the first save keeps the file as
    // "Options.txt.damaged" before replacing it. A file that exists but cannot be read keeps
    // every value too, and no save of these options replaces it.
    void ReadOptions();
    // "Cities.txt": one favourite a line, blank lines skipped. An existing empty file means no
    // favourites; a missing one keeps the list. A damaged line loses only its own favourite, and
    // the first save keeps the file as it was as "Cities.txt.damaged"; a file of which no line
    // reads keeps the list too. A file that exists but cannot be read keeps the list, and no
    // save of these options replaces it.
    void LoadCities();
    // The value of the key's line, exactly as written: from after "key=" up to the line's end,
    // CR LF or LF alone. The key must start a line; a key that is missing, or whose line has no
    // end, throws.
    static std::string ReadOptionValueAsString(const std::string& fileText, const char* key);

    // Saves each file on its own, then sets or removes the start-up entry. A failure to save
    // either file is reported through the site once and answered false; the entry's failures
    // go unreported.
    bool Save() const;
    // Each file is written to a ".temp" file beside it, forced to the disk and then renamed
    // over the old one in one step, so a crash leaves either the old or the new file. A file
    // marked read-only, or one that loading found but could not read, is not replaced, and a
    // failed save removes its ".temp" file again.
    void SaveOptions() const;
    void SaveCities() const;

    // The home city first, then the first favourite with the id; null when there is none.
    City* FindCity(int id);
    const City* FindCity(int id) const;
    // Merges a downloaded report into its city; false when the city is no longer known.
    bool UpdateWeather(const CWeatherReport& report);
    // Takes over the weather of other's cities of the same ids where it is newer; used when the
    // dialog's copy replaces the live options.
    void CopyWeatherFrom(const COptions& other);

private:
    void UpdateStartupEntry() const;

    OptionsSite site_;
    // What loading found of the files on disk, not part of the settings: a damaged file is kept
    // aside by the first save that replaces it; a file that is there but could not be read
    // (locked, access denied, an I/O error) is never replaced, as what it holds is unknown.
    mutable bool optionsFileDamaged_ = false;
    mutable bool citiesFileDamaged_ = false;
    bool optionsFileUnreadable_ = false;
    bool citiesFileUnreadable_ = false;
};

template <> struct CPtrLocations<COptions> {
    static constexpr const char* Star = "CPtr<class COptions>::operator * (108)";
    static constexpr const char* Arrow = "CPtr<class COptions>::operator -> (114)";
};
