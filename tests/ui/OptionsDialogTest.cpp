#include "../data/OptionsFixture.h"
#include "ui/OptionsChoices.h"
#include "ui/OptionsEdit.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {
std::vector<std::wstring> TitlesOf(const std::vector<OptionsChoices::Tab>& tabs) {
    std::vector<std::wstring> titles;
    for (const OptionsChoices::Tab& tab : tabs) {
        titles.emplace_back(tab.Title);
    }
    return titles;
}
} // namespace

TEST(OptionsTabs, EachEditionAndRoleHasItsTabsInOrder) {
    using Titles = std::vector<std::wstring>;
    const Titles cloudPane{L"General", L"Favorite Cities", L"Orbimeteo", L"Earth Background"};
    EXPECT_EQ(TitlesOf(OptionsChoices::TabsFor(true, true)), cloudPane);
    EXPECT_EQ(TitlesOf(OptionsChoices::TabsFor(true, false)), cloudPane);
    EXPECT_EQ(TitlesOf(OptionsChoices::TabsFor(false, true)),
              (Titles{L"General", L"Earth Background", L"Favorite Cities", L"Weather"}));
    const auto configuration = OptionsChoices::TabsFor(false, false);
    EXPECT_EQ(TitlesOf(configuration), (Titles{L"Earth Background", L"Favorite Cities", L"Weather"}));
    // The dialog opens on the first tab.
    EXPECT_EQ(configuration.front().Shows, OptionsChoices::EarthBackground);
    EXPECT_EQ(OptionsChoices::TabsFor(true, true)[2].Shows, OptionsChoices::Display);
}

TEST(OptionsTabs, GeneralPageHidesWhatTheRoleCannotUse) {
    EXPECT_TRUE(OptionsChoices::GeneralShowsUnit(true));
    EXPECT_FALSE(OptionsChoices::GeneralShowsUnit(false));
    EXPECT_TRUE(OptionsChoices::GeneralShowsDesktopSwitches(true, true));
    EXPECT_FALSE(OptionsChoices::GeneralShowsDesktopSwitches(true, false));
    EXPECT_TRUE(OptionsChoices::GeneralShowsDesktopSwitches(false, true));
}

TEST(OptionsChoices, OnlyWeight700IsBold) {
    const FontValue semibold = OptionsChoices::ChosenFont(L"Tahoma", 105, 600, true);
    EXPECT_EQ(semibold.Family, L"Tahoma");
    EXPECT_DOUBLE_EQ(semibold.Size, 10.5);
    EXPECT_EQ(semibold.Style, FontValue::Italic);
    EXPECT_EQ(OptionsChoices::ChosenFont(L"Arial", 80, 700, false),
              (FontValue{L"Arial", 8, FontValue::Bold}));
    EXPECT_EQ(OptionsChoices::ChosenFont(L"Arial", 120, 800, true).Style, FontValue::Italic);
}

TEST(OptionsChoices, IconScaleIsTakenInsideItsRange) {
    EXPECT_FALSE(OptionsChoices::IsIconScale(29));
    EXPECT_TRUE(OptionsChoices::IsIconScale(30));
    EXPECT_TRUE(OptionsChoices::IsIconScale(300));
    EXPECT_FALSE(OptionsChoices::IsIconScale(301));
    EXPECT_EQ(OptionsChoices::IconScaleText(30), L"30%");
}

class OptionsEditTest : public OptionsFiles {
protected:
    OptionsEditTest() : live(new COptions(OptionsEdition::CloudPane, site)) {}

    bool Written() const {
        return std::filesystem::exists(site.OptionsFile) || std::filesystem::exists(site.CitiesFile);
    }

    CPtr<COptions> live;
    COptionsEdit edit;
};

TEST_F(OptionsEditTest, CancelLeavesTheLiveOptionsAndWritesNothing) {
    edit.Begin(*live);
    COptions& copy = edit.WorkingCopy();
    copy.UseMetricSystem = true;
    copy.WeatherIconScale = 30;
    copy.HomeCity = nullptr;
    copy.Cities->clear();
    copy.FontCityName = FontValue{L"Tahoma", 10.5, FontValue::Italic};
    edit.Discard();

    EXPECT_FALSE(edit.IsEditing());
    EXPECT_FALSE(live->UseMetricSystem);
    EXPECT_EQ(live->WeatherIconScale, 70);
    ASSERT_FALSE(live->HomeCity.IsEmpty());
    EXPECT_EQ(live->HomeCity->Icao, L"KLAX");
    EXPECT_EQ(live->Cities->size(), 17u);
    EXPECT_EQ(live->FontCityName, (FontValue{L"Arial", 6, FontValue::Regular}));
    EXPECT_FALSE(Written());
    EXPECT_THROW(edit.WorkingCopy(), ApplicationException);
}

TEST_F(OptionsEditTest, OkMakesTheCopyLiveWithTheWeatherDownloadedMeanwhile) {
    edit.Begin(*live);
    edit.WorkingCopy().WeatherIconScale = 30;
    // A report arrives for the home city while the dialog is open.
    const DateTime observed = DateTime::FromTicks(DateTime::DateToTicks(2024, 6, 21), DateTimeKind::Utc);
    live->HomeCity->CurrentWeather.ReportDateTime = observed;
    live->HomeCity->CurrentWeather.Temprature = 21.0f;
    const COptions* before = live.Get();

    EXPECT_TRUE(edit.AcceptInto(live));

    EXPECT_NE(live.Get(), before);
    EXPECT_FALSE(edit.IsEditing());
    EXPECT_EQ(live->WeatherIconScale, 30);
    EXPECT_EQ(live->HomeCity->CurrentWeather.ReportDateTime.Ticks(), observed.Ticks());
    EXPECT_NE(folder.Read(L"Options.txt").find("WeatherIconScale=30\r\n"), std::string::npos);
    EXPECT_EQ(folder.Read(L"Cities.txt"), DefaultCitiesText);
}

TEST_F(OptionsEditTest, ConfigurationOkOnlySavesTheCopy) {
    edit.Begin(*live);
    edit.WorkingCopy().UseMetricSystem = true;
    EXPECT_TRUE(edit.SaveAndEnd());
    EXPECT_FALSE(edit.IsEditing());
    EXPECT_FALSE(live->UseMetricSystem);
    EXPECT_NE(folder.Read(L"Options.txt").find("UseMetricSystem=true\r\n"), std::string::npos);
}

TEST_F(OptionsEditTest, OpeningAgainStartsFromTheLiveOptions) {
    edit.Begin(*live);
    edit.WorkingCopy().ShowWeather = false;
    edit.Begin(*live);
    EXPECT_TRUE(edit.WorkingCopy().ShowWeather);
}
