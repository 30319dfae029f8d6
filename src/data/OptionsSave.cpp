#include "core/ApplicationException.h"
#include "core/Encoding.h"
#include "core/OutputFile.h"
#include "core/Util.h"
#include "core/UtilFile.h"
#include "data/Options.h"
#include "data/StartupEntry.h"

bool COptions::Save() const {
    try {
        SaveOptions();
        SaveCities();
    } catch (...) {
        try {
            if (site_.ReportSaveFailure) {
                site_.ReportSaveFailure();
            }
        } catch (...) {
        }
        return false;
    }
    try {
        UpdateStartupEntry();
    } catch (...) {
    }
    return true;
}

void COptions::SaveOptions() const {
    const std::wstring temp = site_.OptionsFile + L".temp";
    OutputFile file;
    if (!file.Create(temp)) {
        ThrowApplicationException("COptions::SaveOptions (312)");
    }
    if (!HomeCity.IsEmpty()) {
        Util::WriteLineToFileAscii(file, "HomeCity", CityRecord::ToLine(*HomeCity));
    }
    Util::WriteLineToFileAscii(file, "UpdateWallpaper", UpdateWallpaper);
    Util::WriteLineToFileAscii(file, "RunAtSystemStartup", RunAtSystemStartup);
    Util::WriteLineToFileAscii(file, "ShowWeather", ShowWeather);
    Util::WriteLineToFileAscii(file, "UseMetricSystem", UseMetricSystem);
    Util::WriteLineToFileAscii(file, "Region", Region.Name);
    Util::WriteLineToFileAscii(file, "Background", Background.Name());
    Util::WriteLineToFileAscii(file, "DispalyCityName", DispalyCityName);
    Util::WriteLineToFileAscii(file, "DisplayCityTemprature", DisplayCityTemprature);
    Util::WriteLineToFileAscii(file, "WeatherIconScale", WeatherIconScale);
    Util::WriteLineToFileAscii(file, "FontCityName", FontCityName);
    Util::WriteColourLineToFileAscii(file, "ColorCityName", ColorCityName);
    Util::WriteLineToFileAscii(file, "FontCityTemprature", FontCityTemprature);
    Util::WriteColourLineToFileAscii(file, "ColorCityTemprature", ColorCityTemprature);
    Util::WriteLineToFileAscii(file, "FormLocalWeather_AlwaysOnTop", FormLocalWeather_AlwaysOnTop);
    Util::WriteLineToFileAscii(file, "FormLocalWeather_Mode", FormLocalWeather_Mode);
    if (!file.Commit()) {
        ThrowApplicationException("COptions::SaveOptions (327)");
    }
    // Until here the old file is untouched; a failed rename keeps it and is reported.
    if (!UtilFile::MoveFileReplace(temp, site_.OptionsFile)) {
        ThrowApplicationException("COptions::SaveOptions (331)");
    }
}

void COptions::SaveCities() const {
    if (Cities.IsEmpty()) {
        return;
    }
    const std::wstring temp = site_.CitiesFile + L".temp";
    OutputFile file;
    if (!file.Create(temp)) {
        ThrowApplicationException("COptions::SaveCities (296)");
    }
    for (const City& city : *Cities) {
        const std::string line = ToAnsi(CityRecord::ToLine(city));
        if (!file.Write(line.data(), line.size())) {
            ThrowApplicationException("COptions::SaveCities (300)");
        }
        if (!file.Write("\r\n", 2)) {
            ThrowApplicationException("COptions::SaveCities (301)");
        }
    }
    if (!file.Commit()) {
        ThrowApplicationException("COptions::SaveCities (305)");
    }
    if (!UtilFile::MoveFileReplace(temp, site_.CitiesFile)) {
        ThrowApplicationException("COptions::SaveCities (309)");
    }
}

void COptions::UpdateStartupEntry() const {
    if (site_.StartupName.empty()) {
        return;
    }
    if (RunAtSystemStartup) {
        if (site_.ProgramFile) {
            StartupEntry::Set(site_.StartupName, site_.ProgramFile());
        }
    } else {
        StartupEntry::Remove(site_.StartupName);
    }
}
