#include "core/ApplicationException.h"
#include "core/Encoding.h"
#include "core/Util.h"
#include "core/UtilFile.h"
#include "data/Options.h"

namespace {
// Reads one key; a missing key or a damaged value leaves the field as it was.
template <class Apply> void ReadKey(const std::string& text, const char* key, Apply apply) {
    try {
        apply(COptions::ReadOptionValueAsString(text, key));
    } catch (...) {
    }
}

void ReadBool(const std::string& text, const char* key, bool& field) {
    ReadKey(text, key, [&field](const std::string& value) { Util::Parse(value, field); });
}

void ReadColour(const std::string& text, const char* key, uint32_t& field) {
    ReadKey(text, key, [&field](const std::string& value) { Util::Parse(value, field); });
}

void ReadFont(const std::string& text, const char* key, FontValue& field) {
    ReadKey(text, key, [&field](const std::string& value) {
        FontValue font = Util::ParseFont(value);
        // No font can be made with such a size; keep the one there is.
        if (font.Size > 0) {
            field = std::move(font);
        }
    });
}

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
    const size_t end = fileText.find("\r\n", start);
    if (end == std::string::npos) {
        ThrowApplicationException("COptions::ReadOptionValueAsString (131)");
    }
    return fileText.substr(start, end - start);
}

void COptions::ReadOptions() {
    std::string text;
    try {
        text = UtilFile::ReadFileAscii(site_.OptionsFile);
    } catch (const ApplicationException&) {
        return; // no file yet: the defaults stay
    }

    std::string homeCity;
    try {
        homeCity = ReadOptionValueAsString(text, "HomeCity");
    } catch (const ApplicationException&) {
        homeCity.clear(); // no line: no home city
    }
    if (homeCity.empty()) {
        HomeCity = nullptr;
    } else {
        try {
            CPtr<City> city(new City);
            CityRecord::Parse(homeCity, *city);
            HomeCity = std::move(city);
        } catch (...) {
            // A damaged line keeps the home city there was.
        }
    }

    ReadBool(text, "UpdateWallpaper", UpdateWallpaper);
    ReadBool(text, "RunAtSystemStartup", RunAtSystemStartup);
    ReadBool(text, "ShowWeather", ShowWeather);
    ReadBool(text, "UseMetricSystem", UseMetricSystem);
    ReadKey(text, "Region", [this](const std::string& value) { FindRegion(FromAnsi(value), Region); });
    ReadKey(text, "Background", [this](const std::string& value) {
        SelectBackground(site_.EarthFolder, FromAnsi(value), Background);
    });
    ReadBool(text, "DispalyCityName", DispalyCityName);
    ReadBool(text, "DisplayCityTemprature", DisplayCityTemprature);
    ReadKey(text, "WeatherIconScale",
            [this](const std::string& value) { WeatherIconScale = Util::ParseInt(value); });
    ReadFont(text, "FontCityName", FontCityName);
    ReadColour(text, "ColorCityName", ColorCityName);
    ReadFont(text, "FontCityTemprature", FontCityTemprature);
    ReadColour(text, "ColorCityTemprature", ColorCityTemprature);
    ReadBool(text, "FormLocalWeather_AlwaysOnTop", FormLocalWeather_AlwaysOnTop);
    ReadKey(text, "FormLocalWeather_Mode", [this](const std::string& value) {
        const int mode = Util::ParseInt(value);
        if (mode >= 0 && mode <= 2) {
            FormLocalWeather_Mode = mode;
        }
    });
}

void COptions::LoadCities() {
    std::string text;
    try {
        text = UtilFile::ReadFileAscii(site_.CitiesFile);
    } catch (const ApplicationException&) {
        return; // no file yet: the default favourites stay
    }

    CPtr<std::vector<City>> cities(new std::vector<City>);
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
        }
        start = end + 1;
    }
    Cities = std::move(cities);
}
