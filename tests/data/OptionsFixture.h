#pragma once
#include "data/Options.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

inline const std::string DefaultOptionsText =
    "HomeCity=348400;KLAX;USA;Los Angeles;Los Angeles International Airport;33.938000;-118.389000\r\n"
    "UpdateWallpaper=true\r\n"
    "RunAtSystemStartup=false\r\n"
    "ShowWeather=true\r\n"
    "UseMetricSystem=false\r\n"
    "Region=Earth (Default)\r\n"
    "Background=Blue Marble.jpg\r\n"
    "DispalyCityName=true\r\n"
    "DisplayCityTemprature=true\r\n"
    "WeatherIconScale=70\r\n"
    "FontCityName=Arial,6.000,0\r\n"
    "ColorCityName=255,255,255\r\n"
    "FontCityTemprature=Arial,8.000,1\r\n"
    "ColorCityTemprature=255,0,0\r\n"
    "FormLocalWeather_AlwaysOnTop=false\r\n"
    "FormLocalWeather_Mode=0\r\n";

inline const std::string DefaultCitiesText =
    "358900;KMIA;USA;Miami;Miami International Airport;25.791000;-80.316002\r\n"
    "370800;KJFK;USA;New York;Kennedy International Airport;40.639000;-73.762001\r\n"
    "113600;LFPO;France;Paris;Orly;48.733002;2.400000\r\n"
    "221800;LEMD;Spain;Madrid;Barajas;40.450001;-3.550000\r\n"
    "152100;LIRF;Italy;Roma;Fiumicino;41.799999;12.233000\r\n"
    "163300;RJAA;Japan;Tokyo;New Tokyo International Airport;35.766998;140.382996\r\n"
    "213600;WSSS;Singapore;Singapore;Changi Airport;1.367000;103.983002\r\n"
    "216100;FAJS;South Africa;Johannesburg;;-26.132999;28.233000\r\n"
    "227400;ESSA;Sweden;Stockholm;Arlanda;59.650002;17.950001\r\n"
    "79800;CYVR;Canada;Vancouver;International Airport;49.182999;-123.167000\r\n"
    "12100;YSSY;Australia;Sydney;;-33.950001;151.182999\r\n"
    "86600;ZBAA;China;Beijing;;39.932999;116.282997\r\n"
    "133400;VHHH;Hong Kong;Hong Kong;;22.333000;114.182999\r\n"
    "136800;VIDP;India;New Delhi;Palam;28.566999;77.116997\r\n"
    "179000;GMMC;Morocco;Casablanca;;33.567001;-7.667000\r\n"
    "23000;SBBR;Brazil;Brasilia;;-15.867000;-47.932999\r\n"
    "175100;MMMX;Mexico;Mexico City;Licenci;19.433001;-99.099998\r\n";

// A fresh folder with an "Earth" folder of two backgrounds, and the options' site in it.
class OptionsFiles : public ::testing::Test {
protected:
    OptionsFiles() {
        namespace fs = std::filesystem;
        fs::create_directory(folder.Path() / L"Earth");
        folder.Write(L"Earth/Blue Marble.jpg", "day");
        folder.Write(L"Earth/Night Lights.jpg", "day");
        site.OptionsFile = folder.File(L"Options.txt");
        site.CitiesFile = folder.File(L"Cities.txt");
        site.EarthFolder = folder.File(L"Earth") + static_cast<wchar_t>(fs::path::preferred_separator);
        site.ReportSaveFailure = [this] { ++failuresReported; };
    }

    COptions Loaded(const std::string& optionsText) {
        folder.Write(L"Options.txt", optionsText);
        COptions options(OptionsEdition::CloudPane, site);
        options.Load();
        return options;
    }

    size_t FavouritesLoaded(const std::string& citiesText) {
        folder.Write(L"Cities.txt", citiesText);
        COptions options(OptionsEdition::CloudPane, site);
        options.Load();
        return options.Cities->size();
    }

    TempFolder folder;
    OptionsSite site;
    int failuresReported = 0;
};
