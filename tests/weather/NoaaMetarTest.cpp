#include "weather/NoaaMetar.h"
#include "core/Clock.h"
#include "core/ThrowLocation.h"
#include "weather/WeatherTestData.h"

#include <gtest/gtest.h>

#include <cctype>
#include <thread>
#include <utility>
#include <vector>

namespace {

CCurrentWeather Decode(const std::string& text, const std::string& station = "KLAX") {
    return NoaaMetar::ParseCurrentWeather(text, station);
}

CCurrentWeather DecodeFile(const std::string& station) {
    return Decode(ReadWeatherData("stations/" + station + ".TXT"), station);
}

// The weather code of a report under a fixed header, so that only the groups matter.
int CodeOf(const std::string& groups) {
    return static_cast<int>(Decode("2008/01/07 18:53\nKLAX 071853Z " + groups + "\n").WeatherCode.Value());
}

void ExpectDegrees(const CCurrentWeather& weather, float temprature, float dewPoint) {
    ASSERT_TRUE(weather.Temprature.HasValue());
    EXPECT_EQ(temprature, weather.Temprature.Value());
    ASSERT_TRUE(weather.DewPoint.HasValue());
    EXPECT_EQ(dewPoint, weather.DewPoint.Value());
}

// The present-weather code of one group: -1 when the group is not present weather, -2 when it
// is but names nothing with a code of its own.
int PhenomenaOf(const std::string& group) {
    Nullable<EnumWeatherCode> code;
    if (!NoaaMetar::ParsePhenomena(group, code)) {
        return -1;
    }
    return code.HasValue() ? static_cast<int>(code.Value()) : -2;
}

} // namespace

TEST(NoaaMetar, DecodesTheStationFileOfLosAngeles) {
    const CCurrentWeather weather = DecodeFile("KLAX");
    EXPECT_EQ(DateTime(2008, 1, 7, 18, 53, 0), weather.ReportDateTime);
    // FEW (1) and SCT (4): the larger cloud code.
    EXPECT_EQ(EnumWeatherCode::PartlyCloudy, weather.WeatherCode.Value());
    ExpectDegrees(weather, 18, 9);
}

TEST(NoaaMetar, DecodesStationFilesShapedLikeNoaas) {
    // Rain first, so mist is not looked at for a code; rain outranks the overcast.
    CCurrentWeather weather = DecodeFile("KJFK");
    EXPECT_EQ(DateTime(2008, 1, 7, 14, 51, 0), weather.ReportDateTime);
    EXPECT_EQ(EnumWeatherCode::Rain, weather.WeatherCode.Value());
    ExpectDegrees(weather, -2, -3);

    // A long report: runway range, thunderstorm, three layers, and remarks that name weather.
    weather = DecodeFile("KORD");
    EXPECT_EQ(EnumWeatherCode::Thunderstorms, weather.WeatherCode.Value());
    ExpectDegrees(weather, 22, 20);

    // Lower case throughout.
    weather = DecodeFile("KSFO");
    EXPECT_EQ(DateTime(2008, 1, 7, 18, 56, 0), weather.ReportDateTime);
    EXPECT_EQ(EnumWeatherCode::MostlyCloudy, weather.WeatherCode.Value());
    ExpectDegrees(weather, 14, 8);

    // "UP" is present weather without a code; the snow after it still counts.
    weather = DecodeFile("PANC");
    EXPECT_EQ(EnumWeatherCode::Snow, weather.WeatherCode.Value());
    ExpectDegrees(weather, -17, -19);

    // A header with the date only, refined by the report's own time.
    weather = DecodeFile("CYUL");
    EXPECT_EQ(DateTime(2008, 1, 7, 18, 0, 0), weather.ReportDateTime);
    EXPECT_EQ(EnumWeatherCode::Clear, weather.WeatherCode.Value());
    ExpectDegrees(weather, -12, -18);

    // CAVOK and no clouds: clear.
    weather = DecodeFile("EGLL");
    EXPECT_EQ(EnumWeatherCode::Clear, weather.WeatherCode.Value());
    ExpectDegrees(weather, 9, 6);
}

TEST(NoaaMetar, KeepsTheWorseOfWeatherAndClouds) {
    EXPECT_EQ(13, CodeOf("-RA BR OVC008 M02/M03"));
    EXPECT_EQ(6, CodeOf("BR OVC005"));
    EXPECT_EQ(3, CodeOf("HZ FEW250"));
    EXPECT_EQ(6, CodeOf("OVC010 FEW020"));
    EXPECT_EQ(0, CodeOf("CAVOK 21/10"));
    EXPECT_EQ(0, CodeOf("10SM CLR"));
    EXPECT_EQ(14, CodeOf("UP -SN"));
    EXPECT_EQ(0, CodeOf("VV001 NSC"));
    EXPECT_EQ(0, CodeOf("VCSH RERA"));
}

TEST(NoaaMetar, NamesPresentWeatherByTheFirstRuleThatMatches) {
    // -1: not present weather; -2: present weather without a code of its own.
    const std::pair<const char*, int> groups[] = {
        {"+FC", 18},
        {"FC", -2},
        {"+TSRA", 17},
        {"TSGR", 17},
        {"SHGS", 12},
        {"-SHSN", 11},
        {"SHPL", 11},
        {"-DZ", 10},
        {"SHRA", 10},
        {"GR", 16},
        {"RASN", 14},
        {"FZRASN", 14},
        {"+RA", 13},
        {"FZRA", 13},
        {"MIFG", 2},
        {"BR", 2},
        {"BLDU", 3},
        {"PO", 3},
        {"UP", -2},
        {"SQ", -2},
        // Vicinity and recent, unknown pairs, stray signs and lower case.
        {"VCSH", -1},
        {"RERA", -1},
        {"RMK", -1},
        {"+-RA", -1},
        {"RA+", -1},
        {"+", -1},
        {"", -1},
        {"ra", -1},
    };
    for (const auto& [group, code] : groups) {
        EXPECT_EQ(code, PhenomenaOf(group)) << group;
    }
}

TEST(NoaaMetar, FirstGroupOfEachKindDecides) {
    // The first present-weather group wins even when a later one is worse.
    EXPECT_EQ(13, CodeOf("-RA +TSRA"));
    // A recognised group without a code leaves room for a later one.
    EXPECT_EQ(2, CodeOf("SQ BR"));
    // The first temperature group wins.
    const CCurrentWeather weather = Decode("2008/01/07 18:53\nKLAX 071853Z 18/09 20/10\n");
    ExpectDegrees(weather, 18, 9);
}

TEST(NoaaMetar, ReadsTemperatureGroups) {
    Nullable<float> temprature;
    Nullable<float> dewPoint;
    EXPECT_TRUE(NoaaMetar::ParseTemprature("M02/M03", temprature, dewPoint));
    EXPECT_EQ(-2, temprature.Value());
    EXPECT_EQ(-3, dewPoint.Value());

    for (const char* group : {"12/", "12//", "12///"}) {
        Nullable<float> air;
        Nullable<float> dew;
        EXPECT_TRUE(NoaaMetar::ParseTemprature(group, air, dew)) << group;
        EXPECT_EQ(12, air.Value()) << group;
        EXPECT_FALSE(dew.HasValue()) << group;
    }
    for (const char* group :
         {"M5/M10", "1/2SM", "12/M", "12/////", "123/01", "12/01/", "A12/01", "M/01", "/12"}) {
        Nullable<float> air;
        Nullable<float> dew;
        EXPECT_FALSE(NoaaMetar::ParseTemprature(group, air, dew)) << group;
        EXPECT_FALSE(air.HasValue()) << group;
    }
    // An unreadable group leaves the temperature to a later one.
    ExpectDegrees(Decode("2008/01/07 18:53\nKLAX 071853Z M5/M10 07/M01\n"), 7, -1);
    const CCurrentWeather noDewPoint = Decode("2008/01/07 18:53\nKLAX 071853Z 12/\n");
    EXPECT_EQ(12, noDewPoint.Temprature.Value());
    EXPECT_FALSE(noDewPoint.DewPoint.HasValue());
}

TEST(NoaaMetar, ReadsCloudLayers) {
    const std::pair<const char*, int> groups[] = {
        {"SKC", 0},    {"CLR", 0},      {"FEW250", 1}, {"SCT020TCU", 4}, {"BKN008", 5},
        {"OVC///", 6}, {"VV001", -1},   {"NSC", -1},   {"CLR1", -1},     {"SKCX", -1},
        {"FE", -1},    {"XFEW020", -1}, {"NCD", -1},
    };
    for (const auto& [group, expected] : groups) {
        EnumWeatherCode code{};
        EXPECT_EQ(expected, NoaaMetar::ParseCloudLayer(group, code) ? static_cast<int>(code) : -1) << group;
    }
}

TEST(NoaaMetar, DecodesLowerCaseLikeUpperCase) {
    const std::string upper = ReadWeatherData("stations/KORD.TXT");
    std::string lower = upper;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const CCurrentWeather a = Decode(upper, "KORD");
    const CCurrentWeather b = Decode(lower, "KORD");
    EXPECT_EQ(a.ReportDateTime, b.ReportDateTime);
    EXPECT_EQ(a.WeatherCode.Value(), b.WeatherCode.Value());
    EXPECT_EQ(a.Temprature.Value(), b.Temprature.Value());
    EXPECT_EQ(a.DewPoint.Value(), b.DewPoint.Value());
}

TEST(NoaaMetar, IgnoresEverythingAfterRemarks) {
    const CCurrentWeather weather =
        Decode("2008/01/07 18:53\nKLAX 071853Z 18/09 RMK SLP165 T01830089 FEW +TSRA 20/10 BKN010\n");
    EXPECT_EQ(EnumWeatherCode::Clear, weather.WeatherCode.Value());
    ExpectDegrees(weather, 18, 9);
}

TEST(NoaaMetar, SkipsTheStationItself) {
    // A station whose name reads like a cloud layer or present weather.
    EXPECT_EQ(EnumWeatherCode::Clear,
              Decode("2008/01/07 18:53\nFEWX 071853Z 10/05\n", "FEWX").WeatherCode.Value());
    EXPECT_EQ(EnumWeatherCode::Fair,
              Decode("2008/01/07 18:53\nFEWX 071853Z 10/05\n", "KLAX").WeatherCode.Value());
    EXPECT_EQ(EnumWeatherCode::Clear,
              Decode("2008/01/07 18:53\nSHRA 071853Z 10/05\n", "SHRA").WeatherCode.Value());
}

TEST(NoaaMetar, ReadsTheHeaderLine) {
    std::string text = "2008/01/07 18:53\r\n\t KLAX 071853Z";
    Nullable<DateTime> time;
    EXPECT_TRUE(NoaaMetar::ParseHeaderDateTime(text, time));
    EXPECT_EQ(DateTime(2008, 1, 7, 18, 53, 0), time.Value());
    EXPECT_EQ("KLAX 071853Z", text);

    // Date only, up to a line break: midnight.
    text = "2008/01/07\nKLAX";
    Nullable<DateTime> dateOnly;
    EXPECT_TRUE(NoaaMetar::ParseHeaderDateTime(text, dateOnly));
    EXPECT_EQ(DateTime(2008, 1, 7, 0, 0, 0), dateOnly.Value());
    EXPECT_EQ("KLAX", text);

    // The end of the text is no separator: a time at the very end leaves the date alone.
    text = "2008/01/07 18:53";
    Nullable<DateTime> atEnd;
    EXPECT_TRUE(NoaaMetar::ParseHeaderDateTime(text, atEnd));
    EXPECT_EQ(DateTime(2008, 1, 7, 0, 0, 0), atEnd.Value());
    EXPECT_EQ("18:53", text);

    // An impossible time still leaves the date; an impossible date leaves nothing.
    text = "2008/01/07 25:00\nKLAX";
    Nullable<DateTime> badTime;
    EXPECT_TRUE(NoaaMetar::ParseHeaderDateTime(text, badTime));
    EXPECT_EQ(DateTime(2008, 1, 7, 0, 0, 0), badTime.Value());

    for (const char* unreadable : {"2008/02/30 10:00\nKLAX", "2008/01/07", "2008-01-07 18:53\n",
                                   " 2008/01/07 18:53\n", "KLAX 071853Z", "", "2008/1/07 18:53\n"}) {
        text = unreadable;
        Nullable<DateTime> none;
        EXPECT_FALSE(NoaaMetar::ParseHeaderDateTime(text, none)) << unreadable;
        EXPECT_FALSE(none.HasValue()) << unreadable;
        EXPECT_EQ(unreadable, text);
    }
    // The header alone is enough for a report.
    EXPECT_EQ(DateTime(2008, 1, 7, 0, 0, 0), Decode("2008/01/07 18:53").ReportDateTime);
}

TEST(NoaaMetar, DatesTheReportTimeByTheClockWithoutAMatchingHeader) {
    // Three hours ahead of 2008-01-08 01:00 is still the 8th; the 7th is one day back.
    FixedClock clock(DateTime(2008, 1, 8, 1, 0, 0));
    EXPECT_EQ(DateTime(2008, 1, 7, 18, 53, 0), Decode("KLAX 071853Z 10/05").ReportDateTime);
    // A header on another day does not date the group.
    EXPECT_EQ(DateTime(2008, 1, 7, 18, 53, 0), Decode("2008/01/05\nKLAX 071853Z").ReportDateTime);
    // Three days back is too old: the group gives no time and the header stands.
    clock.Set(DateTime(2008, 1, 10, 12, 0, 0), DateTime(2008, 1, 10, 12, 0, 0));
    EXPECT_EQ(DateTime(2008, 1, 7, 18, 0, 0), Decode("2008/01/07 18:00\nKLAX 041853Z").ReportDateTime);
}

TEST(NoaaMetar, FailsWithoutAnyTime) {
    FixedClock clock(DateTime(2008, 1, 20, 12, 0, 0));
    const std::wstring empty = L"Nullable<class DateTime>::Value (20)";
    EXPECT_EQ(empty, ThrowLocation<ApplicationException>([] { Decode("KLAX 26010KT 10SM FEW020 18/09"); }));
    EXPECT_EQ(empty, ThrowLocation<ApplicationException>([] { Decode("KLAX 071853Z 18/09"); }));
    EXPECT_EQ(empty, ThrowLocation<ApplicationException>([] { Decode(""); }));
    EXPECT_EQ(empty, ThrowLocation<ApplicationException>([] { Decode("<html>404 Not Found</html>"); }));
}

TEST(NoaaMetar, DecodesOnSeveralThreadsAtOnce) {
    // The first decode builds the shared patterns; several threads race for it here.
    const std::string text = ReadWeatherData("stations/KORD.TXT");
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (size_t t = 0; t < wrong.size(); ++t) {
        threads.emplace_back([&text, &wrong, t] {
            for (int i = 0; i < 200; ++i) {
                const CCurrentWeather weather = Decode(text, "KORD");
                wrong[t] += weather.WeatherCode.Value() != EnumWeatherCode::Thunderstorms ||
                            weather.Temprature.Value() != 22;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(std::vector<int>(4, 0), wrong);
}
