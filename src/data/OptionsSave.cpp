#include "core/ApplicationException.h"
#include "core/Encoding.h"
#include "core/OutputFile.h"
#include "core/Util.h"
#include "core/UtilFile.h"
#include "data/Options.h"
#include "data/SettingsFile.h"
#include "data/StartupEntry.h"

bool COptions::Save() const {
    // Each file on its own: settings that cannot be saved are no reason to lose the favourites.
    bool saved = true;
    try {
        SaveOptions();
    } catch (...) {
        saved = false;
    }
    try {
        SaveCities();
    } catch (...) {
        saved = false;
    }
    try {
        UpdateStartupEntry();
    } catch (...) {
    }
    if (!saved) {
        try {
            if (site_.ReportSaveFailure) {
                site_.ReportSaveFailure();
            }
        } catch (...) {
        }
    }
    return saved;
}

void COptions::SaveOptions() const {
    // Defaults written over a file that could not be read would lose what it holds.
    if (optionsFileUnreadable_) {
        ThrowApplicationException("COptions::SaveOptions (308)");
    }
    // The user's protection stands: no rename may get around it.
    if (UtilFile::IsReadOnly(site_.OptionsFile)) {
        ThrowApplicationException("COptions::SaveOptions (310)");
    }
    const std::wstring temp = site_.OptionsFile + L".temp";
    const SettingsFile::TemporaryFileRemover remover(temp);
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
    if (optionsFileDamaged_) {
        SettingsFile::KeepDamaged(site_.OptionsFile);
    }
    // Until here the old file is untouched; a failed rename keeps it and is reported.
    if (!UtilFile::MoveFileReplace(temp, site_.OptionsFile)) {
        ThrowApplicationException("COptions::SaveOptions (331)");
    }
    optionsFileDamaged_ = false;
}

void COptions::SaveCities() const {
    if (Cities.IsEmpty()) {
        return;
    }
    if (citiesFileUnreadable_) {
        ThrowApplicationException("COptions::SaveCities (292)");
    }
    if (UtilFile::IsReadOnly(site_.CitiesFile)) {
        ThrowApplicationException("COptions::SaveCities (294)");
    }
    const std::wstring temp = site_.CitiesFile + L".temp";
    const SettingsFile::TemporaryFileRemover remover(temp);
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
    if (citiesFileDamaged_) {
        SettingsFile::KeepDamaged(site_.CitiesFile);
    }
    if (!UtilFile::MoveFileReplace(temp, site_.CitiesFile)) {
        ThrowApplicationException("COptions::SaveCities (309)");
    }
    citiesFileDamaged_ = false;
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
