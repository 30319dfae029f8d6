#include "core/ApplicationException.h"
#include "core/Encoding.h"
#include "core/Util.h"
#include "data/Options.h"
#include "data/SettingsFile.h"

namespace {
// Reads keys of one file text, each on its own: a missing key or a damaged value leaves the
// field as it was. Counts the values taken, since a text in which none is taken is not a
// settings file.
class KeyReader {
public:
    explicit KeyReader(const std::string& text) : text_(text) {}

    int Taken() const { return taken_; }

    template <class Apply> void Key(const char* key, Apply apply) {
        try {
            apply(COptions::ReadOptionValueAsString(text_, key));
            ++taken_;
        } catch (...) {
        }
    }

    void Bool(const char* key, bool& field) {
        Key(key, [&field](const std::string& value) { Util::Parse(value, field); });
    }

    void Colour(const char* key, uint32_t& field) {
        Key(key, [&field](const std::string& value) { Util::Parse(value, field); });
    }

    void Font(const char* key, FontValue& field) {
        Key(key, [&field](const std::string& value) {
            FontValue font = Util::ParseFont(value);
            // No font can be made with such a size; keep the one there is.
            if (font.Size > 0) {
                field = std::move(font);
            }
        });
    }

private:
    const std::string& text_;
    int taken_ = 0;
};

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}
} // namespace

void COptions::Load() {
    try {
        ReadOptions();
    } catch (...) {
    }
    try {
        LoadCities();
    } catch (...) {
    }
}

std::string COptions::ReadOptionValueAsString(const std::string& fileText, const char* key) {
    const std::string search = std::string(key) + "=";
    // Only at the start of a line: a city's name in the HomeCity line may hold such a text.
    size_t at = fileText.find(search);
    while (at != std::string::npos && at != 0 && fileText[at - 1] != '\n') {
        at = fileText.find(search, at + 1);
    }
    if (at == std::string::npos) {
        ThrowApplicationException("COptions::ReadOptionValueAsString (128)");
    }
    const size_t start = at + search.size();
    // An editor or a copy from another machine may have left LF alone; a CR before it belongs
    // to the line end.
    size_t end = fileText.find('\n', start);
    if (end == std::string::npos) {
        ThrowApplicationException("COptions::ReadOptionValueAsString (131)");
    }
    if (end > start && fileText[end - 1] == '\r') {
        --end;
    }
    return fileText.substr(start, end - start);
}

void COptions::ReadOptions() {
    std::string text;
    switch (SettingsFile::Read(site_.OptionsFile, text)) {
    case SettingsFile::Found::Missing:
        return; // no file yet: the defaults stay
    case SettingsFile::Found::Unreadable:
        optionsFileUnreadable_ = true;
        return;
    case SettingsFile::Found::Read:
        break;
    }

    KeyReader read(text);
    read.Bool("UpdateWallpaper", UpdateWallpaper);
    read.Bool("RunAtSystemStartup", RunAtSystemStartup);
    read.Bool("ShowWeather", ShowWeather);
    read.Bool("UseMetricSystem", UseMetricSystem);
    read.Key("Region", [this](const std::string& value) { FindRegion(FromAnsi(value), Region); });
    read.Key("Background", [this](const std::string& value) {
        SelectBackground(site_.EarthFolder, FromAnsi(value), Background);
    });
    read.Bool("DispalyCityName", DispalyCityName);
    read.Bool("DisplayCityTemprature", DisplayCityTemprature);
    read.Key("WeatherIconScale",
             [this](const std::string& value) { WeatherIconScale = Util::ParseInt(value); });
    read.Font("FontCityName", FontCityName);
    read.Colour("ColorCityName", ColorCityName);
    read.Font("FontCityTemprature", FontCityTemprature);
    read.Colour("ColorCityTemprature", ColorCityTemprature);
    read.Bool("FormLocalWeather_AlwaysOnTop", FormLocalWeather_AlwaysOnTop);
    read.Key("FormLocalWeather_Mode", [this](const std::string& value) {
        const int mode = Util::ParseInt(value);
        if (mode >= 0 && mode <= 2) {
            FormLocalWeather_Mode = mode;
        }
    });

    // The home city comes last, as a missing line means no home city only in a file that is a
    // settings file at all.
    bool homeCityLine = false;
    read.Key("HomeCity", [this, &homeCityLine](const std::string& value) {
        homeCityLine = true;
        if (value.empty()) {
            HomeCity = nullptr;
            return;
        }
        CPtr<City> city(new City);
        // A damaged line throws here and keeps the home city there was.
        CityRecord::Parse(value, *city);
        HomeCity = std::move(city);
    });
    if (read.Taken() == 0) {
        optionsFileDamaged_ = true;
    } else if (!homeCityLine) {
        HomeCity = nullptr;
    }
}

void COptions::LoadCities() {
    std::string text;
    switch (SettingsFile::Read(site_.CitiesFile, text)) {
    case SettingsFile::Found::Missing:
        return; // no file yet: the default favourites stay
    case SettingsFile::Found::Unreadable:
        citiesFileUnreadable_ = true;
        return;
    case SettingsFile::Found::Read:
        break;
    }

    CPtr<std::vector<City>> cities(new std::vector<City>);
    size_t damagedLines = 0;
    const size_t size = text.size();
    size_t start = 0;
    while (start < size) {
        if (IsLineEnd(text[start])) {
            ++start;
            continue;
        }
        size_t end = start;
        while (end < size && !IsLineEnd(text[end])) {
            ++end;
        }
        try {
            City city;
            // Cut in place: the parse stops at the line's CR or LF, or at the string's NUL, and
            // overwrites that end, so the next line is found from the end taken before.
            CityRecord::ParseInPlace(text.data() + start, city);
            cities->push_back(std::move(city));
        } catch (...) {
            // A damaged line loses only its own favourite.
            ++damagedLines;
        }
        start = end + 1;
    }
    if (damagedLines > 0) {
        citiesFileDamaged_ = true;
        // Not one line is a city: this is no favourites file, and the favourites stay.
        if (cities->empty()) {
            return;
        }
    }
    Cities = std::move(cities);
}
