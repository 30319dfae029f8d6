#include "app/WeatherPlan.h"

#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/TimeSpan.h"
#include "data/Options.h"

#include <gtest/gtest.h>

namespace {
const DateTime Now(2024, 6, 21, 12, 0, 0);

DateTime MinutesAgo(int minutes) {
    return Now - TimeSpan(0, minutes, 0);
}

City MakeCity(int id, const wchar_t* icao, const wchar_t* country) {
    City city;
    city.Id = id;
    city.Icao = icao;
    city.Country = country;
    city.Latitude = 10.5f;
    city.Longitude = -20.25f;
    return city;
}

std::vector<int> IdsOf(const std::vector<CWeatherRequest>& requests) {
    std::vector<int> ids;
    for (const CWeatherRequest& request : requests) {
        ids.push_back(request.CityId);
    }
    return ids;
}

class WeatherPlanTest : public ::testing::Test {
protected:
    WeatherPlanTest() : clock_(Now), options_(OptionsEdition::CloudPane, OptionsSite()) {
        options_.HomeCity = new City(MakeCity(1, L"KLAX", L"USA"));
        options_.Cities =
            new std::vector<City>{MakeCity(2, L"LFPO", L"France"), MakeCity(3, L"RJAA", L"Japan")};
    }

    // Every city fetched just now, so nothing is due unless a test makes it so.
    void AllFresh() {
        options_.HomeCity->CurrentWeather.ReportDateTime = Now;
        options_.HomeCity->Forecast.ReportDateTime = Now;
        for (City& city : *options_.Cities) {
            city.CurrentWeather.ReportDateTime = Now;
        }
    }

    CWeatherDownloadWork Plan(EnumAppKind kind, EnumAppMode mode, bool progressive, bool* due = nullptr) {
        CWeatherDownloadWork work{WeatherWorkSite()};
        const bool answer = PlanWeatherDownload(options_, kind, mode, progressive, work);
        EXPECT_EQ(answer, !work.IsEmpty());
        if (due != nullptr) {
            *due = answer;
        }
        return work;
    }

    FixedClock clock_;
    COptions options_;
};

TEST_F(WeatherPlanTest, NoCitiesQueueNothing) {
    options_.HomeCity = nullptr;
    options_.Cities = new std::vector<City>();
    bool due = true;
    Plan(EnumAppKind::CloudPane, EnumAppMode::Desktop, true, &due);
    EXPECT_FALSE(due);

    CWeatherDownloadWork work{WeatherWorkSite()};
    EXPECT_FALSE(PlanHomeCityDownload(options_, work));
}

TEST_F(WeatherPlanTest, UsHomeCityGetsTheForecastRequestOnlyOthersTheObservation) {
    // A new program: nothing fetched yet, everything due.
    const CWeatherDownloadWork first = Plan(EnumAppKind::CloudPane, EnumAppMode::Desktop, true);
    EXPECT_TRUE(first.Progressive);
    ASSERT_EQ(IdsOf(first.ForecastRequests), std::vector<int>{1});
    EXPECT_EQ(IdsOf(first.CurrentRequests), (std::vector<int>{2, 3}));
    const CWeatherRequest& home = first.ForecastRequests[0];
    EXPECT_EQ(home.Icao, L"KLAX");
    EXPECT_FLOAT_EQ(home.Latitude, 10.5f);
    EXPECT_FLOAT_EQ(home.Longitude, -20.25f);

    // A fresh forecast but an old observation: the observation alone.
    AllFresh();
    options_.HomeCity->CurrentWeather.ReportDateTime = MinutesAgo(90);
    const CWeatherDownloadWork observation = Plan(EnumAppKind::CloudPane, EnumAppMode::Desktop, false);
    EXPECT_TRUE(observation.ForecastRequests.empty());
    EXPECT_EQ(IdsOf(observation.CurrentRequests), std::vector<int>{1});

    // Outside "USA" there is never a forecast request, however old the forecast.
    AllFresh();
    options_.HomeCity->Country = L"Usa";
    options_.HomeCity->Forecast.ReportDateTime = MinutesAgo(600);
    options_.HomeCity->CurrentWeather.ReportDateTime = MinutesAgo(600);
    const CWeatherDownloadWork abroad = Plan(EnumAppKind::CloudPane, EnumAppMode::Desktop, false);
    EXPECT_TRUE(abroad.ForecastRequests.empty());
    EXPECT_EQ(IdsOf(abroad.CurrentRequests), std::vector<int>{1});
}

TEST_F(WeatherPlanTest, DueAfterSixtyMinutes) {
    AllFresh();
    (*options_.Cities)[0].CurrentWeather.ReportDateTime = MinutesAgo(59);
    (*options_.Cities)[1].CurrentWeather.ReportDateTime = MinutesAgo(61);
    const CWeatherDownloadWork work = Plan(EnumAppKind::CloudPane, EnumAppMode::Desktop, false);
    EXPECT_TRUE(work.ForecastRequests.empty());
    EXPECT_EQ(IdsOf(work.CurrentRequests), std::vector<int>{3});

    bool due = true;
    (*options_.Cities)[1].CurrentWeather.ReportDateTime = MinutesAgo(59);
    Plan(EnumAppKind::CloudPane, EnumAppMode::Desktop, false, &due);
    EXPECT_FALSE(due);
}

TEST_F(WeatherPlanTest, AFavouriteThatIsAlsoTheHomeCityIsFetchedForEach) {
    options_.Cities->push_back(*options_.HomeCity);
    const CWeatherDownloadWork work = Plan(EnumAppKind::CloudPane, EnumAppMode::Desktop, false);
    EXPECT_EQ(IdsOf(work.ForecastRequests), std::vector<int>{1});
    EXPECT_EQ(IdsOf(work.CurrentRequests), (std::vector<int>{2, 3, 1}));
}

TEST_F(WeatherPlanTest, FullScreenSaverOfEachEdition) {
    // The weather edition's saver shows the home city only.
    const CWeatherDownloadWork cloud = Plan(EnumAppKind::CloudPane, EnumAppMode::SS_SS, false);
    EXPECT_EQ(IdsOf(cloud.ForecastRequests), std::vector<int>{1});
    EXPECT_TRUE(cloud.CurrentRequests.empty());

    // The earth edition's saver shows the favourites on the map when the weather is shown ...
    const CWeatherDownloadWork earth = Plan(EnumAppKind::GlobeGlow, EnumAppMode::SS_SS, false);
    EXPECT_EQ(IdsOf(earth.ForecastRequests), std::vector<int>{1});
    EXPECT_EQ(IdsOf(earth.CurrentRequests), (std::vector<int>{2, 3}));

    // ... and downloads nothing at all when it is not.
    options_.ShowWeather = false;
    bool due = true;
    Plan(EnumAppKind::GlobeGlow, EnumAppMode::SS_SS, true, &due);
    EXPECT_FALSE(due);
}

TEST_F(WeatherPlanTest, WeatherNotShownOnTheDesktopRefreshesTheHomeCityWithoutProgress) {
    options_.ShowWeather = false;
    for (EnumAppKind kind : {EnumAppKind::CloudPane, EnumAppKind::GlobeGlow}) {
        const CWeatherDownloadWork work = Plan(kind, EnumAppMode::Desktop, true);
        EXPECT_FALSE(work.Progressive);
        EXPECT_EQ(IdsOf(work.ForecastRequests), std::vector<int>{1});
        EXPECT_TRUE(work.CurrentRequests.empty());
    }
}

TEST_F(WeatherPlanTest, HomeCityDownloadIgnoresTheDueTest) {
    AllFresh();
    CWeatherDownloadWork work{WeatherWorkSite()};
    ASSERT_TRUE(PlanHomeCityDownload(options_, work));
    EXPECT_FALSE(work.Progressive);
    EXPECT_TRUE(work.ForecastRequests.empty());
    EXPECT_EQ(IdsOf(work.CurrentRequests), std::vector<int>{1});
}

TEST_F(WeatherPlanTest, ABatchWithoutAFavouritesListFails) {
    options_.Cities = nullptr;
    CWeatherDownloadWork work{WeatherWorkSite()};
    EXPECT_ANY_THROW(
        PlanWeatherDownload(options_, EnumAppKind::CloudPane, EnumAppMode::Desktop, false, work));
}

QueuedReport ReportFor(int cityId, const DateTime& observed, bool notify = false) {
    CPtr<CWeatherReport> report(new CWeatherReport());
    report->CityId = cityId;
    report->CurrentWeather.ReportDateTime = observed;
    report->CurrentWeather.Temprature = 21.0f;
    return QueuedReport{std::move(report), notify};
}

TEST_F(WeatherPlanTest, ReportsGoToTheirCitiesAndThoseOfRemovedCitiesAreDropped) {
    EXPECT_FALSE(ApplyReports(options_, {}));

    // Favourite 3 was removed from the list while its report was on its way.
    options_.Cities->pop_back();
    options_.Cities->push_back(MakeCity(1, L"KLAX", L"USA")); // also the home city's id
    std::vector<QueuedReport> reports;
    reports.push_back(ReportFor(3, MinutesAgo(5)));
    reports.push_back(ReportFor(1, MinutesAgo(10)));
    reports.push_back(ReportFor(2, MinutesAgo(20)));
    reports.push_back(ReportFor(1, MinutesAgo(3))); // newer: taken over in queue order
    EXPECT_TRUE(ApplyReports(options_, std::move(reports)));

    EXPECT_EQ(options_.HomeCity->CurrentWeather.ReportDateTime, MinutesAgo(3));
    EXPECT_EQ((*options_.Cities)[0].CurrentWeather.ReportDateTime, MinutesAgo(20));
    // The favourite sharing the home city's id is not the one the reports go to.
    EXPECT_EQ((*options_.Cities)[1].CurrentWeather.ReportDateTime, NoReportYet());
}
} // namespace
