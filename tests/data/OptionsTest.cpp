#include "OptionsFixture.h"
#include "core/ThrowLocation.h"
#include "data/StartupEntry.h"

#include <filesystem>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;

TEST_F(OptionsFiles, DefaultsOfEachEdition) {
    EXPECT_FALSE(COptions(OptionsEdition::GlobeGlow, site).ShowWeather);
    COptions options(OptionsEdition::CloudPane, site);
    options.Load(); // no files: the defaults stay
    EXPECT_TRUE(options.ShowWeather);
    EXPECT_EQ(L"KLAX", options.HomeCity->Icao);
    EXPECT_EQ(17u, options.Cities->size());
    EXPECT_EQ(site.EarthFolder + L"Blue Marble.jpg", options.Background.Path());
}

TEST_F(OptionsFiles, SavingTheDefaultsWritesBothFilesExactly) {
    COptions options(OptionsEdition::CloudPane, site);
    ASSERT_TRUE(options.Save());
    EXPECT_EQ(DefaultOptionsText, folder.Read(L"Options.txt"));
    EXPECT_EQ(DefaultCitiesText, folder.Read(L"Cities.txt"));
    EXPECT_FALSE(fs::exists(folder.Path() / L"Options.txt.temp"));
    EXPECT_FALSE(fs::exists(folder.Path() / L"Cities.txt.temp"));

    // Without a home city there is no line for it, and none is read back.
    options.HomeCity = nullptr;
    options.Cities->clear();
    ASSERT_TRUE(options.Save());
    EXPECT_EQ(DefaultOptionsText.substr(DefaultOptionsText.find("UpdateWallpaper")),
              folder.Read(L"Options.txt"));
    EXPECT_EQ("", folder.Read(L"Cities.txt"));
    COptions loaded(OptionsEdition::CloudPane, site);
    loaded.Load();
    EXPECT_TRUE(loaded.HomeCity.IsEmpty());
    EXPECT_TRUE(loaded.Cities->empty());
}

// Every field survives: saving what was loaded writes the same bytes again.
TEST_F(OptionsFiles, LoadAfterSaveGivesTheSameOptions) {
    COptions saved(OptionsEdition::GlobeGlow, site);
    saved.UpdateWallpaper = false;
    saved.RunAtSystemStartup = true;
    saved.ShowWeather = true;
    saved.UseMetricSystem = true;
    saved.HomeCity = new City(1, L"LFPG", L"France", L"Caf\u00e9 de Paris", L"Roissy", 49.0f, 2.5f);
    saved.Cities->erase(saved.Cities->begin());
    saved.Cities->push_back(City(2, L"EDDF", L"Germany", L"Frankfurt", L"", -0.5f, 179.999f));
    ASSERT_TRUE(FindRegion(L"South America", saved.Region));
    ASSERT_TRUE(SelectBackground(site.EarthFolder, L"Night Lights.jpg", saved.Background));
    saved.DispalyCityName = false;
    saved.DisplayCityTemprature = false;
    saved.WeatherIconScale = 125;
    saved.FontCityName = {L"Courier New", 10.5, FontValue::Bold | FontValue::Italic};
    saved.FontCityTemprature = {L"Tahoma", 7.25, FontValue::Underline};
    saved.ColorCityName = 0xFF102030;
    saved.ColorCityTemprature = 0xFF0080FF;
    saved.FormLocalWeather_AlwaysOnTop = true;
    saved.FormLocalWeather_Mode = 2;
    ASSERT_TRUE(saved.Save());
    const std::string optionsText = folder.Read(L"Options.txt");
    const std::string citiesText = folder.Read(L"Cities.txt");
    // The files hold 8-bit text: the accented letter is one byte.
    EXPECT_NE(std::string::npos, optionsText.find("HomeCity=1;LFPG;France;Caf\xE9 de Paris;Roissy;"));

    COptions loaded(OptionsEdition::CloudPane, site);
    loaded.Load();
    EXPECT_EQ(saved.Region, loaded.Region);
    EXPECT_EQ(saved.Background.Path(), loaded.Background.Path());
    EXPECT_EQ(saved.FontCityName, loaded.FontCityName);
    fs::remove(folder.Path() / L"Options.txt");
    fs::remove(folder.Path() / L"Cities.txt");
    ASSERT_TRUE(loaded.Save());
    EXPECT_EQ(optionsText, folder.Read(L"Options.txt"));
    EXPECT_EQ(citiesText, folder.Read(L"Cities.txt"));
}

TEST_F(OptionsFiles, ADamagedValueLosesOnlyItsOwnKey) {
    const COptions options = Loaded("HomeCity=1;K;C;Name\r\n"
                                    "UpdateWallpaper=false\r\n"
                                    "RunAtSystemStartup=True\r\n"
                                    "ShowWeather=yes\r\n"
                                    "UseMetricSystem=true\r\n"
                                    "Region=earth (complete)\r\n"
                                    "Background=Gone.jpg\r\n"
                                    "DispalyCityName=false\r\n"
                                    "DisplayCityTemprature= false\r\n"
                                    "WeatherIconScale=500\r\n"
                                    "FontCityName=Arial,big,0\r\n"
                                    "ColorCityName=1,2\r\n"
                                    "FontCityTemprature=Courier New,10.500,3,extra\r\n"
                                    "ColorCityTemprature=0,128,255,9\r\n"
                                    "FormLocalWeather_AlwaysOnTop=true\r\n"
                                    "FormLocalWeather_Mode=3\r\n"
                                    "SomethingElse=1\r\n");
    EXPECT_EQ(L"KLAX", options.HomeCity->Icao); // a damaged city line keeps the one there was
    EXPECT_FALSE(options.UpdateWallpaper);
    EXPECT_FALSE(options.RunAtSystemStartup);
    EXPECT_TRUE(options.ShowWeather);
    EXPECT_EQ(CompleteRegion(), options.Region);
    EXPECT_EQ(L"Blue Marble.jpg", options.Background.Name());
    EXPECT_TRUE(options.DisplayCityTemprature);
    EXPECT_EQ(500, options.WeatherIconScale);
    EXPECT_EQ((FontValue{L"Arial", 6, FontValue::Regular}), options.FontCityName);
    EXPECT_EQ(0xFFFFFFFFu, options.ColorCityName);
    EXPECT_EQ((FontValue{L"Courier New", 10.5, 3}), options.FontCityTemprature);
    EXPECT_EQ(0xFF0080FFu, options.ColorCityTemprature);
    EXPECT_TRUE(options.FormLocalWeather_AlwaysOnTop);
    EXPECT_EQ(0, options.FormLocalWeather_Mode);

    EXPECT_EQ(1, Loaded("FormLocalWeather_Mode=1\r\n").FormLocalWeather_Mode);
    EXPECT_EQ(6, Loaded("FontCityName=Arial,0.000,0\r\n").FontCityName.Size);
    EXPECT_EQ(DefaultRegion(), Loaded("Region=\r\n").Region);
}

// A value ends at CR LF or LF alone; a last line without an end counts as missing.
TEST_F(OptionsFiles, ALastLineWithoutLineEndKeepsItsDefault) {
    const COptions options = Loaded("ShowWeather=false\r\nWeatherIconScale=90\nFormLocalWeather_Mode=2");
    EXPECT_FALSE(options.ShowWeather);
    EXPECT_EQ(90, options.WeatherIconScale);
    EXPECT_EQ(0, options.FormLocalWeather_Mode);
    EXPECT_EQ(L"COptions::ReadOptionValueAsString (131)", ThrowLocation<ApplicationException>([] {
                  COptions::ReadOptionValueAsString("A=1\r\nB=2\r", "B");
              }));
    EXPECT_EQ("2", COptions::ReadOptionValueAsString("A=1\r\nB=2\n", "B"));
    EXPECT_EQ("x\ry", COptions::ReadOptionValueAsString("A=x\ry\r\n", "A"));
    EXPECT_EQ("", COptions::ReadOptionValueAsString("A=\n", "A"));
    EXPECT_EQ(L"COptions::ReadOptionValueAsString (128)",
              ThrowLocation<ApplicationException>([] { COptions::ReadOptionValueAsString("A=1\r\n", "B"); }));
    EXPECT_EQ(" x ", COptions::ReadOptionValueAsString("B=1\r\nA= x \r\nA=2\r\n", "A"));
}

TEST_F(OptionsFiles, TheHomeCityLine) {
    EXPECT_TRUE(Loaded("ShowWeather=false\r\n").HomeCity.IsEmpty());
    EXPECT_TRUE(Loaded("HomeCity=\r\n").HomeCity.IsEmpty());
    EXPECT_TRUE(Loaded("ShowWeather=false\r\nHomeCity=1;K;C;N;D;1;2").HomeCity.IsEmpty()); // no line end
    // Alone, that line leaves a file without one key read: damaged, and the default stays.
    EXPECT_EQ(L"KLAX", Loaded("HomeCity=1;K;C;N;D;1;2").HomeCity->Icao);
    EXPECT_EQ(
        L"Sydney",
        Loaded("HomeCity=12100;YSSY;Australia;Sydney;;-33.950001;151.182999\r\n").HomeCity->DisplayName());

    // Keys count only at the start of a line, not inside a city's name.
    const COptions named = Loaded("HomeCity=1;K;C;Region=Asia;ShowWeather=false;1;2\r\nRegion=Europe\r\n");
    EXPECT_EQ(L"Region=Asia", named.HomeCity->DisplayName());
    EXPECT_EQ(L"Europe", named.Region.Name);
    EXPECT_TRUE(named.ShowWeather);
}

TEST_F(OptionsFiles, CitiesFileSkipsBlankAndDamagedLines) {
    folder.Write(L"Cities.txt", "1;AAAA;C;First;D;1;2\r\n\r\n1;broken\r\n\n2;BBBB;C;Caf\xE9;;3;4\n");
    COptions two(OptionsEdition::CloudPane, site);
    two.Load();
    ASSERT_EQ(2u, two.Cities->size());
    EXPECT_EQ(L"First", (*two.Cities)[0].DisplayName());
    EXPECT_EQ(L"Caf\u00e9", (*two.Cities)[1].DisplayName());

    // Duplicates are kept; either line end will do, and the last line needs none.
    EXPECT_EQ(3u, FavouritesLoaded("5;A;C;N;D;1;2\r\n5;A;C;N;D;1;2\r5;A;C;N;D;1;2"));
    EXPECT_EQ(0u, FavouritesLoaded(""));
    EXPECT_EQ(0u, FavouritesLoaded("\r\n\r\n"));
}

// The old file stays when the new one cannot be written, the user is told once, and the other
// file is saved all the same.
TEST_F(OptionsFiles, AFailedSaveKeepsTheOldFileAndIsReported) {
    folder.Write(L"Options.txt", "ShowWeather=false\r\n");
    folder.Write(L"Cities.txt", "old\r\n");
    const COptions options(OptionsEdition::CloudPane, site);

    fs::create_directory(folder.Path() / L"Options.txt.temp");
    EXPECT_EQ(L"COptions::SaveOptions (312)",
              ThrowLocation<ApplicationException>([&] { options.SaveOptions(); }));
    EXPECT_FALSE(options.Save());
    EXPECT_EQ(1, failuresReported);
    EXPECT_EQ("ShowWeather=false\r\n", folder.Read(L"Options.txt"));
    EXPECT_EQ(DefaultCitiesText, folder.Read(L"Cities.txt"));
    EXPECT_TRUE(fs::is_directory(folder.Path() / L"Options.txt.temp")); // not ours to remove
    fs::remove(folder.Path() / L"Options.txt.temp");

    folder.Write(L"Cities.txt", "old\r\n");
    fs::create_directory(folder.Path() / L"Cities.txt.temp");
    EXPECT_FALSE(options.Save());
    EXPECT_EQ(2, failuresReported);
    EXPECT_EQ(DefaultOptionsText, folder.Read(L"Options.txt"));
    EXPECT_EQ("old\r\n", folder.Read(L"Cities.txt"));
    fs::remove(folder.Path() / L"Cities.txt.temp");

    // A file that cannot be replaced is a failure too, not a silent loss.
    fs::remove(folder.Path() / L"Options.txt");
    fs::create_directory(folder.Path() / L"Options.txt");
    EXPECT_EQ(L"COptions::SaveOptions (331)",
              ThrowLocation<ApplicationException>([&] { options.SaveOptions(); }));
    EXPECT_FALSE(options.Save());
    EXPECT_EQ(3, failuresReported);
    EXPECT_TRUE(fs::is_directory(folder.Path() / L"Options.txt"));
    EXPECT_FALSE(fs::exists(folder.Path() / L"Options.txt.temp")); // the failed save's own file
    EXPECT_EQ(DefaultCitiesText, folder.Read(L"Cities.txt"));
}

#ifndef _WIN32
TEST_F(OptionsFiles, AReadOnlyFolderKeepsTheOldFiles) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    folder.Write(L"Options.txt", "ShowWeather=false\r\n");
    fs::permissions(folder.Path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const COptions options(OptionsEdition::CloudPane, site);
    EXPECT_FALSE(options.Save());
    fs::permissions(folder.Path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(1, failuresReported);
    EXPECT_EQ("ShowWeather=false\r\n", folder.Read(L"Options.txt"));
    EXPECT_FALSE(fs::exists(folder.Path() / L"Cities.txt"));
}
#endif

TEST_F(OptionsFiles, SavingSetsOrRemovesTheStartupEntry) {
    site.StartupName = L"OrbimeteoDataTest";
    site.ProgramFile = [] { return std::wstring(L"C:\\Program Files\\Orbimeteo\\cloud-pane.exe"); };
    StartupEntry::Remove(site.StartupName);
    COptions options(OptionsEdition::CloudPane, site);
    std::wstring command;

    ASSERT_TRUE(options.Save()); // clearing an entry that is not there is no failure
    EXPECT_FALSE(StartupEntry::Get(site.StartupName, command));

    options.RunAtSystemStartup = true;
    ASSERT_TRUE(options.Save());
    ASSERT_TRUE(StartupEntry::Get(site.StartupName, command));
    EXPECT_EQ(L"\"C:\\Program Files\\Orbimeteo\\cloud-pane.exe\"", command);

    options.RunAtSystemStartup = false;
    ASSERT_TRUE(options.Save());
    EXPECT_FALSE(StartupEntry::Get(site.StartupName, command));
    EXPECT_EQ(0, failuresReported);
}

// The options dialog edits a copy, which takes over the downloaded weather when it goes live.
TEST_F(OptionsFiles, ACopySharesNothingAndTakesOverNewerWeather) {
    const DateTime early(2024, 7, 1, 6, 0, 0);
    const DateTime late(2024, 7, 1, 9, 0, 0);
    COptions live(OptionsEdition::CloudPane, site);
    City& miami = (*live.Cities)[0];
    miami.CurrentWeather.ReportDateTime = late;
    miami.Forecast.ReportDateTime = early;
    miami.Forecast.Items.resize(3);
    live.HomeCity->CurrentWeather.ReportDateTime = early;

    // The copy makes Miami the home city, keeps Los Angeles with a newer observation of its
    // own, and adds a city the live options do not have.
    COptions edited(live);
    edited.HomeCity = new City(City(miami));
    edited.HomeCity->CurrentWeather = CCurrentWeather();
    edited.Cities->assign(1, *live.HomeCity);
    edited.Cities->front().CurrentWeather.ReportDateTime = late;
    edited.Cities->push_back(City(9, L"EGLL", L"UK", L"London", L"", 51.5f, 0));
    EXPECT_EQ(17u, live.Cities->size());
    EXPECT_EQ(early, live.HomeCity->CurrentWeather.ReportDateTime);

    edited.CopyWeatherFrom(live);
    EXPECT_EQ(late, edited.HomeCity->CurrentWeather.ReportDateTime);
    EXPECT_EQ(3u, edited.HomeCity->Forecast.Items.size());
    EXPECT_EQ(late, edited.Cities->front().CurrentWeather.ReportDateTime);
    EXPECT_EQ(DateTime(1990, 1, 1, 0, 0), edited.Cities->back().CurrentWeather.ReportDateTime);

    CPtr<COptions> none;
    EXPECT_EQ(L"CPtr<class COptions>::operator -> (114)",
              ThrowLocation<ApplicationException>([&] { (void)none->ShowWeather; }));
    EXPECT_EQ(L"CPtr<class COptions>::operator * (108)",
              ThrowLocation<ApplicationException>([&] { (void)*none; }));
}

// A report goes to the home city first, else to the first favourite of its station.
TEST_F(OptionsFiles, ReportsReachTheirCity) {
    COptions options(OptionsEdition::CloudPane, site);
    options.Cities->push_back(*options.HomeCity);
    CWeatherReport report;
    report.CityId = 348400;
    report.CurrentWeather.ReportDateTime = DateTime(2024, 1, 1, 0, 0);
    EXPECT_TRUE(options.UpdateWeather(report));
    EXPECT_TRUE(options.HomeCity->CurrentWeather.ReportDateTime == report.CurrentWeather.ReportDateTime);
    EXPECT_FALSE(options.Cities->back().CurrentWeather.ReportDateTime ==
                 report.CurrentWeather.ReportDateTime);

    options.HomeCity = nullptr;
    EXPECT_TRUE(options.UpdateWeather(report));
    EXPECT_TRUE(options.Cities->back().CurrentWeather.ReportDateTime == report.CurrentWeather.ReportDateTime);
    report.CityId = 42;
    EXPECT_FALSE(options.UpdateWeather(report));
}
