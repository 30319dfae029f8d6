#include "core/Clock.h"
#include "core/ThrowLocation.h"
#include "data/DefaultCities.h"

#include <gtest/gtest.h>

namespace {
CityRecord Parsed(const std::string& line) {
    CityRecord record;
    CityRecord::Parse(line, record);
    return record;
}
} // namespace

TEST(CityLine, ParsesSevenFields) {
    const CityRecord sydney = Parsed("12100;YSSY;Australia;Sydney;;-33.950001;151.182999\r\n");
    EXPECT_EQ(12100, sydney.Id);
    EXPECT_EQ(L"YSSY", sydney.Icao);
    EXPECT_EQ(L"Australia", sydney.Country);
    EXPECT_EQ(L"Sydney", sydney.DisplayName());
    EXPECT_EQ(L"", sydney.Details);
    EXPECT_EQ(-33.95f, sydney.Latitude);
    EXPECT_EQ(151.183f, sydney.Longitude);

    EXPECT_EQ(L"B", Parsed("1;K;C;A;B;1;2;an eighth field").Details);
    EXPECT_EQ(L"Tokenize (58)", ThrowLocation<ApplicationException>([] { Parsed("1;K;C;A;B;1"); }));
    EXPECT_EQ(L"Util::ParseInt (412)",
              ThrowLocation<ArgumentException>([] { Parsed("x;KLAX;USA;A;B;1;2"); }));
    EXPECT_EQ(L"Util::ParseDouble (442)",
              ThrowLocation<ArgumentException>([] { Parsed("1;K;C;A;B;abc;2"); }));
    EXPECT_EQ(L"CityRecord::Parse (71)",
              ThrowLocation<ArgumentException>([] { Parsed("1;K;C;A;B;1e300;2"); }));
}

TEST(CityLine, ParsingReplacesTheStationOnlyWhenTheWholeLineReads) {
    City paris = (*CreateDefaultCities())[2];
    paris.CurrentWeather.ReportDateTime = DateTime(2024, 1, 1, 0, 0);
    EXPECT_THROW(CityRecord::Parse("5;XXXX;Nowhere;Name;Details;1;oops", paris), ApplicationException);
    EXPECT_EQ(L"113600;LFPO;France;Paris;Orly;48.733002;2.400000", CityRecord::ToLine(paris));

    CityRecord::Parse("5;XXXX;Nowhere;Name;Details;1;-0.5", paris);
    EXPECT_EQ(L"5;XXXX;Nowhere;Name;Details;1.000000;-0.500000", CityRecord::ToLine(paris));
    EXPECT_EQ(DateTime(2024, 1, 1, 0, 0), paris.CurrentWeather.ReportDateTime); // the weather stays

    EXPECT_EQ(L"CityRecord::DisplayName (45)",
              ThrowLocation<ArgumentException>([&] { paris.DisplayName(L""); }));
    EXPECT_EQ(L"Name", paris.DisplayName());
}

// Tarbes lies a hair west of Greenwich: its line must read back, or the favourite is lost.
TEST(CityLine, APlaceJustWestOfGreenwichSavesAsALineThatReadsBack) {
    CityRecord tarbes;
    CityRecord::Parse("115316;LFBT;France;Tarbes;;43.183334;-0.0000001", tarbes);
    const std::wstring line = CityRecord::ToLine(tarbes);
    EXPECT_EQ(L"115316;LFBT;France;Tarbes;;43.183334;0.000000", line);

    CityRecord again;
    CityRecord::Parse(std::string(line.begin(), line.end()), again);
    EXPECT_EQ(line, CityRecord::ToLine(again));
}

TEST(City, FindByIdTakesTheFirstMatch) {
    const std::vector<CityRecord> records{{7, L"A", L"", L"First", L"", 0, 0},
                                          {7, L"B", L"", L"Second", L"", 0, 0}};
    EXPECT_EQ(&records[0], FindById(records, 7));
    EXPECT_EQ(nullptr, FindById(records, 8));
}

TEST(City, TakesOnlyStrictlyNewerWeather) {
    const DateTime noon(2024, 7, 1, 12, 0, 0);
    const DateTime later = noon + TimeSpan(1, 0, 0);
    City city = *CreateDefaultHomeCity();
    CWeatherReport report;
    report.CurrentWeather.ReportDateTime = noon;
    report.Forecast.ReportDateTime = noon;
    report.Forecast.Items.resize(2);
    city.UpdateWeather(report);
    EXPECT_EQ(2u, city.Forecast.Items.size());

    // An observation only: the older forecast stays.
    CWeatherReport observationOnly;
    observationOnly.CurrentWeather.ReportDateTime = later;
    observationOnly.CurrentWeather.Temprature = 20.0f;
    city.UpdateWeather(observationOnly);
    EXPECT_TRUE(city.CurrentWeather.Temprature.HasValue());
    EXPECT_EQ(2u, city.Forecast.Items.size());

    // The same time changes nothing.
    CWeatherReport same;
    same.CurrentWeather.ReportDateTime = later;
    same.Forecast.ReportDateTime = noon;
    city.UpdateWeather(same);
    EXPECT_TRUE(city.CurrentWeather.Temprature.HasValue());
    EXPECT_EQ(2u, city.Forecast.Items.size());
}

TEST(City, DaytimeFollowsTheSunAndDefaultsToDay) {
    City london(1, L"EGLL", L"UK", L"London", L"", 51.5f, 0.0f);
    FixedClock clock(DateTime(2024, 6, 21, 12, 0, 0));
    EXPECT_TRUE(london.IsDaytime());
    clock.Set(DateTime(2024, 12, 21, 23, 0, 0), DateTime(2024, 12, 21, 23, 0, 0));
    EXPECT_FALSE(london.IsDaytime());
    EXPECT_TRUE(City(2, L"XXXX", L"", L"Nowhere", L"", 95.0f, 0.0f).IsDaytime());
}

TEST(City, EmptyPointersNameTheirInstantiation) {
    CPtr<City> home;
    EXPECT_EQ(L"CPtr<class City>::operator * (108)",
              ThrowLocation<ApplicationException>([&] { (void)*home; }));
    EXPECT_EQ(L"CPtr<class City>::operator -> (114)",
              ThrowLocation<ApplicationException>([&] { (void)home->Id; }));
    CPtr<std::vector<City>> cities;
    EXPECT_EQ(L"CPtr<class std::vector<class City,class std::allocator<class City> > >::operator -> (114)",
              ThrowLocation<ApplicationException>([&] { (void)cities->size(); }));
}
