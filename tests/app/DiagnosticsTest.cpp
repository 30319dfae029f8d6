#include "app/Diagnostics.h"
#include "data/CityRecord.h"

#include <gtest/gtest.h>

namespace {
OptionsSite NoFiles() {
    return {};
}

// Minutes since 1970 of a report time given in ticks since year 1.
constexpr int64_t UnixEpochTicks = 621355968000000000;
} // namespace

// The soak tells the cities apart by these indexes: the home city first, then the favourites.
TEST(Diagnostics, CitiesAreCountedFromTheHomeCity) {
    COptions options(OptionsEdition::CloudPane, NoFiles());
    EXPECT_EQ(18, AnswerCityDiagnostics(options, DiagnosticsQuery::Cities, 0));
    (*options.Cities)[0].CurrentWeather.Temprature = 21.45f;
    (*options.Cities)[0].CurrentWeather.ReportDateTime = DateTime::FromTicks(
        UnixEpochTicks + 90 * TimeSpan::TicksPerMinute + 59 * TimeSpan::TicksPerSecond, DateTimeKind::Utc);
    EXPECT_EQ(215, AnswerCityDiagnostics(options, DiagnosticsQuery::Temperature, 1));
    EXPECT_EQ(90, AnswerCityDiagnostics(options, DiagnosticsQuery::ObservationMinute, 1));
    EXPECT_EQ(NoDiagnosticsAnswer, AnswerCityDiagnostics(options, DiagnosticsQuery::Temperature, 0));

    // Without a home city the favourites move up one.
    options.HomeCity = nullptr;
    EXPECT_EQ(17, AnswerCityDiagnostics(options, DiagnosticsQuery::Cities, 0));
    EXPECT_EQ(215, AnswerCityDiagnostics(options, DiagnosticsQuery::Temperature, 0));
}

TEST(Diagnostics, AskingBeyondTheCitiesAnswersNothing) {
    COptions options(OptionsEdition::CloudPane, NoFiles());
    for (const int64_t index : {int64_t{-1}, int64_t{18}, INT64_MAX}) {
        EXPECT_EQ(NoDiagnosticsAnswer,
                  AnswerCityDiagnostics(options, DiagnosticsQuery::ObservationMinute, index));
    }
    EXPECT_EQ(NoDiagnosticsAnswer, AnswerCityDiagnostics(options, static_cast<DiagnosticsQuery>(99), 0));
    options.Cities = nullptr;
    options.HomeCity = nullptr;
    EXPECT_EQ(0, AnswerCityDiagnostics(options, DiagnosticsQuery::Cities, 0));
    EXPECT_EQ(NoDiagnosticsAnswer, AnswerCityDiagnostics(options, DiagnosticsQuery::Temperature, 0));
}
