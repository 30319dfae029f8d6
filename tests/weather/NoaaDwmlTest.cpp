#include "weather/NoaaDwml.h"
#include "core/Clock.h"
#include "core/ThrowLocation.h"
#include "weather/WeatherTestData.h"

#include <gtest/gtest.h>
#include <rapidxml/rapidxml.hpp>

#include <vector>

namespace {

const DateTime Decoded(2008, 1, 7, 19, 30, 0);

struct Period {
    const char* Start;   // "YYYY-MM-DDTHH"
    const char* Summary; // null: no attribute
    const char* Link;
};

// A 12-hourly document: "days" is one start per date from 2008-01-06, "periods" the given ones.
std::string Dwml(const std::vector<Period>& periods, const std::string& temperatures) {
    std::string text = "<dwml><data><time-layout><layout-key>days</layout-key>";
    for (int day = 6; day <= 12; ++day) {
        const std::string date = "2008-01-" + std::string(day < 10 ? "0" : "") + std::to_string(day);
        text += "<start-valid-time>" + date + "T06:00:00-05:00</start-valid-time>";
        text += "<end-valid-time>" + date + "T18:00:00-05:00</end-valid-time>";
    }
    text += "</time-layout><time-layout><layout-key>periods</layout-key>";
    for (const Period& period : periods) {
        text += "<start-valid-time>" + std::string(period.Start) + ":00:00-05:00</start-valid-time>";
        text += "<end-valid-time>" + std::string(period.Start) + ":59:59-05:00</end-valid-time>";
    }
    text += "</time-layout><parameters>" + temperatures + "<weather time-layout=\"periods\">";
    for (const Period& period : periods) {
        text += period.Summary != nullptr
                    ? "<weather-conditions weather-summary=\"" + std::string(period.Summary) + "\"/>"
                    : "<weather-conditions/>";
    }
    text += "</weather><conditions-icon time-layout=\"periods\">";
    for (const Period& period : periods) {
        text += "<icon-link>" + std::string(period.Link) + "</icon-link>";
    }
    return text + "</conditions-icon></parameters></data></dwml>";
}

// Fahrenheit values for the dates from 2008-01-06 on; an empty text is a nil value.
std::string Temperatures(const char* type, const std::vector<const char*>& values,
                         const char* layout = "time-layout=\"days\"") {
    std::string text = "<temperature type=\"" + std::string(type) + "\" units=\"Fahrenheit\" " + layout +
                       "><name>Temperature</name>";
    for (const char* value : values) {
        text += *value != '\0' ? "<value>" + std::string(value) + "</value>" : "<value xsi:nil=\"true\"/>";
    }
    return text + "</temperature>";
}

CForecast Decode(const std::string& text) {
    FixedClock clock(Decoded);
    CForecast forecast;
    NoaaDwml::Parse12HourlyForecast(text, forecast);
    return forecast;
}

std::wstring FailureOf(const std::string& text) {
    return ThrowLocation<ApplicationException>([&text] { Decode(text); });
}

float Celsius(double fahrenheit) {
    return static_cast<float>((fahrenheit - 32) * 5 / 9);
}

int CodeOf(const std::string& link) {
    const Nullable<EnumWeatherCode> code = NoaaDwml::IconLinkToWeatherCode(link);
    return code.HasValue() ? static_cast<int>(code.Value()) : -1;
}

const char* const Unknown = "http://www.nws.noaa.gov/weather/images/fcicons/blank.jpg";
const char* const Cloudy = "http://www.nws.noaa.gov/weather/images/fcicons/ovc.jpg";

} // namespace

TEST(NoaaDwml, DecodesAForecastShapedLikeNoaas) {
    const CForecast forecast = Decode(ReadWeatherData("dwml/forecast.xml"));
    EXPECT_EQ(Decoded, forecast.ReportDateTime);
    ASSERT_EQ(13u, forecast.Items.size());

    const CForecastItem& today = forecast.Items[0];
    EXPECT_EQ(DateTime(2008, 1, 7, 6, 0, 0), today.Start);
    EXPECT_EQ(DateTime(2008, 1, 7, 18, 0, 0), today.End);
    EXPECT_EQ(L"Partly Sunny", today.WeatherSummary);
    EXPECT_EQ(EnumWeatherCode::PartlyCloudy, today.WeatherCode.Value());
    EXPECT_FLOAT_EQ(Celsius(45), today.TempratureMax.Value());
    EXPECT_FLOAT_EQ(Celsius(30), today.TempratureMin.Value());
    // 45 °F is 7.2222 °C, shown as 7 in metric and 45 again in Fahrenheit.
    EXPECT_EQ(7, today.TempratureInUnit(ForecastTemprature::Max, true).Value());
    EXPECT_EQ(45, today.TempratureInUnit(ForecastTemprature::Max, false).Value());

    // The night period of the same date has the same day's maximum and minimum.
    const CForecastItem& tonight = forecast.Items[1];
    EXPECT_EQ(DateTime(2008, 1, 7, 18, 0, 0), tonight.Start);
    EXPECT_EQ(DateTime(2008, 1, 8, 6, 0, 0), tonight.End);
    EXPECT_FLOAT_EQ(Celsius(45), tonight.TempratureMax.Value());
    EXPECT_FLOAT_EQ(Celsius(30), tonight.TempratureMin.Value());

    const std::vector<int> codes = {4, 5, 10, 13, 15, 14, 1, 1, 0, 2, 17, 6, 9};
    std::vector<int> decoded;
    for (const CForecastItem& item : forecast.Items) {
        decoded.push_back(static_cast<int>(item.WeatherCode.Value()));
    }
    EXPECT_EQ(codes, decoded);
    EXPECT_EQ(L"Rain/Snow", forecast.Items[4].WeatherSummary);

    // A nil minimum and a date without one: empty; the maximum goes on to the last day.
    EXPECT_FALSE(forecast.Items[10].TempratureMin.HasValue());
    EXPECT_FALSE(forecast.Items[12].TempratureMin.HasValue());
    EXPECT_FLOAT_EQ(Celsius(44), forecast.Items[12].TempratureMax.Value());
    EXPECT_EQ(L"45\u00B0/30\u00B0", today.TempratureText(false));
    EXPECT_EQ(L"41\u00B0/--", forecast.Items[10].TempratureText(false));
}

TEST(NoaaDwml, StartsWithTheFirstPeriodThatNamesItsWeather) {
    // The opening period has temperatures of its own date but neither summary nor known icon.
    const CForecast forecast = Decode(Dwml({{"2008-01-06T06", nullptr, Unknown},
                                            {"2008-01-07T06", "Cloudy", Cloudy},
                                            {"2008-01-07T18", "Cloudy", Unknown}},
                                           Temperatures("maximum", {"70", "50"})));
    ASSERT_EQ(2u, forecast.Items.size());
    EXPECT_EQ(DateTime(2008, 1, 7, 6, 0, 0), forecast.Items[0].Start);
    for (const CForecastItem& item : forecast.Items) {
        EXPECT_FLOAT_EQ(Celsius(50), item.TempratureMax.Value());
    }
    // A summary alone names the weather; the code stays empty.
    EXPECT_FALSE(forecast.Items[1].WeatherCode.HasValue());

    // After a dropped opening period, temperatures alone are enough for the next one.
    const CForecast temperaturesOnly =
        Decode(Dwml({{"2008-01-06T06", "", Unknown}, {"2008-01-07T06", nullptr, Unknown}},
                    Temperatures("minimum", {"", "14"})));
    ASSERT_EQ(1u, temperaturesOnly.Items.size());
    EXPECT_FLOAT_EQ(Celsius(14), temperaturesOnly.Items[0].TempratureMin.Value());
}

TEST(NoaaDwml, DropsEmptyPeriodsAtTheEndButNotInTheMiddle) {
    // Temperatures exist for the 6th to the 8th only.
    const CForecast forecast = Decode(Dwml({{"2008-01-07T06", "Cloudy", Cloudy},
                                            {"2008-01-10T06", nullptr, Unknown},
                                            {"2008-01-08T06", "Sunny", Unknown},
                                            {"2008-01-11T06", nullptr, Unknown},
                                            {"2008-01-12T06", "", Unknown}},
                                           Temperatures("maximum", {"40", "41", "42"})));
    ASSERT_EQ(3u, forecast.Items.size());
    EXPECT_EQ(DateTime(2008, 1, 10, 6, 0, 0), forecast.Items[1].Start);
    EXPECT_EQ(L"", forecast.Items[1].WeatherSummary);
    EXPECT_EQ(L"Sunny", forecast.Items[2].WeatherSummary);

    // Nothing named anywhere: no periods at all, still a decoded forecast.
    const CForecast empty = Decode(Dwml({{"2008-01-07T06", nullptr, Unknown}}, ""));
    EXPECT_TRUE(empty.Items.empty());
    EXPECT_EQ(Decoded, empty.ReportDateTime);
}

TEST(NoaaDwml, ReadsOnlyDailyMaximaAndMinimaWithAKnownLayout) {
    const std::vector<Period> periods = {{"2008-01-07T06", "Cloudy", Cloudy}};
    // Another type, a missing or unknown layout, a missing type: all passed over.
    CForecast forecast = Decode(
        Dwml(periods, Temperatures("hourly", {"99", "99"}) + Temperatures("maximum", {"99", "99"}, "") +
                          Temperatures("minimum", {"99", "99"}, "time-layout=\"nope\"") +
                          "<temperature time-layout=\"days\"><value>99</value></temperature>"));
    ASSERT_EQ(1u, forecast.Items.size());
    EXPECT_FALSE(forecast.Items[0].TempratureMax.HasValue());
    EXPECT_FALSE(forecast.Items[0].TempratureMin.HasValue());

    // Of two maxima the later element wins.
    forecast =
        Decode(Dwml(periods, Temperatures("maximum", {"10", "20"}) + Temperatures("maximum", {"30", "40"})));
    EXPECT_FLOAT_EQ(Celsius(40), forecast.Items[0].TempratureMax.Value());

    // An unreadable value or time drops that pair only; the others keep their dates.
    forecast = Decode(
        Dwml({{"2008-01-06T06", "A", Cloudy}, {"2008-01-07T06", "B", Cloudy}, {"2008-01-08T06", "C", Cloudy}},
             Temperatures("maximum", {"abc", "50", "1e99"})));
    EXPECT_FALSE(forecast.Items[0].TempratureMax.HasValue());
    EXPECT_FLOAT_EQ(Celsius(50), forecast.Items[1].TempratureMax.Value());
    EXPECT_FALSE(forecast.Items[2].TempratureMax.HasValue());
}

TEST(NoaaDwml, PairsTemperatureValuesWithTheLayoutsStartDates) {
    std::string text =
        "<t><time-layout><layout-key>k</layout-key>"
        "<start-valid-time>2008-01-07T06:00:00-05:00</start-valid-time>"
        "<start-valid-time>2008-01-0xT06:00:00-05:00</start-valid-time>"
        "<start-valid-time>2008-01-09T18:00:00-05:00</start-valid-time>"
        "<start-valid-time>2008-01-10T06:00:00-05:00</start-valid-time></time-layout>"
        "<temperature><value>45</value><value>46</value><value/><value>-40</value></temperature></t>";
    rapidxml::xml_document<char> document;
    document.parse<0>(text.data());
    const auto* root = document.first_node();
    NoaaDwml::DatedTempratures list = {{DateTime(2000, 1, 1, 0, 0), Nullable<float>(1.0f)}};
    NoaaDwml::ReadTemperatures(root->first_node("temperature"), root->first_node("time-layout"), list);
    ASSERT_EQ(3u, list.size());
    EXPECT_EQ(DateTime(2008, 1, 7, 0, 0, 0), list[0].first);
    EXPECT_FLOAT_EQ(Celsius(45), list[0].second.Value());
    // The malformed time took the 46 with it; a value-less element gives an empty temperature.
    EXPECT_EQ(DateTime(2008, 1, 9, 0, 0, 0), list[1].first);
    EXPECT_FALSE(list[1].second.HasValue());
    EXPECT_FLOAT_EQ(-40, list[2].second.Value());
}

TEST(NoaaDwml, NamesTheMissingPartOfTheDocument) {
    const std::string weather = "<weather time-layout=\"p\"/>";
    const std::string icons = "<conditions-icon time-layout=\"p\"/>";
    const std::string layout = "<time-layout><layout-key>p</layout-key></time-layout>";
    auto document = [](const std::string& data) { return "<dwml><data>" + data + "</data></dwml>"; };

    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (162)", FailureOf(""));
    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (162)", FailureOf(" \r\n<?xml version=\"1.0\"?><!-- x -->"));
    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (164)", FailureOf("<dwml><head/></dwml>"));
    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (166)", FailureOf(document(layout)));
    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (171)",
              FailureOf(document(layout + "<time-layout/><parameters>" + weather + icons + "</parameters>")));
    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (197)",
              FailureOf(document(layout + "<parameters>" + icons + "</parameters>")));
    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (199)",
              FailureOf(document(layout + "<parameters>" + weather + "</parameters>")));
    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (202)",
              FailureOf(document(layout + "<parameters><weather/>" + icons + "</parameters>")));
    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (204)",
              FailureOf(document(layout + "<parameters>" + weather + "<conditions-icon/></parameters>")));
    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (205)",
              FailureOf(document(layout + "<parameters>" + weather +
                                 "<conditions-icon time-layout=\"P\"/></parameters>")));
    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (208)",
              FailureOf(document("<time-layout><layout-key>q</layout-key></time-layout><parameters>" +
                                 weather + icons + "</parameters>")));
    // The minimal document: no periods, but decoded.
    EXPECT_TRUE(Decode(document(layout + "<parameters>" + weather + icons + "</parameters>")).Items.empty());
}

TEST(NoaaDwml, LeavesTheForecastResetWhenTheDocumentFails) {
    CForecast forecast;
    forecast.ReportDateTime = Decoded;
    forecast.Items.resize(2);
    // Not well-formed: the parser's own error and message.
    try {
        NoaaDwml::Parse12HourlyForecast("<dwml><data>", forecast);
        ADD_FAILURE() << "no exception";
    } catch (const rapidxml::parse_error& e) {
        EXPECT_STREQ("unexpected end of data", e.what());
    }
    EXPECT_TRUE(forecast.Items.empty());
    EXPECT_EQ(DateTime(1990, 1, 1, 0, 0, 0), forecast.ReportDateTime);
    EXPECT_THROW(NoaaDwml::Parse12HourlyForecast("weather", forecast), rapidxml::parse_error);

    // A malformed period time ends the decode, even after good periods.
    const std::string badTime =
        Dwml({{"2008-01-07T06", "Cloudy", Cloudy}, {"2008-01-0xT06", "Cloudy", Cloudy}}, "");
    EXPECT_EQ(L"Util::ParseDigits (462)", ThrowLocation<ApplicationException>(
                                              [&] { NoaaDwml::Parse12HourlyForecast(badTime, forecast); }));
    EXPECT_TRUE(forecast.Items.empty());
    EXPECT_EQ(DateTime(1990, 1, 1, 0, 0, 0), forecast.ReportDateTime);
}

TEST(NoaaDwml, ReadsTextsAsTheyAreMeant) {
    // A byte-order mark, entities, and 8-bit text of the ANSI code page.
    const CForecast forecast =
        Decode("\xEF\xBB\xBF" + Dwml({{"2008-01-07T06", "Rain &amp; Snow \xB0", Unknown}}, ""));
    ASSERT_EQ(1u, forecast.Items.size());
    EXPECT_EQ(L"Rain & Snow \u00B0", forecast.Items[0].WeatherSummary);
}

TEST(NoaaDwml, TurnsIconLinksIntoCodes) {
    const std::string path = "http://www.nws.noaa.gov/weather/images/fcicons/";
    EXPECT_EQ(17, CodeOf(path + "tsra90"));
    EXPECT_EQ(17, CodeOf(path + "ntsra40.jpg"));
    EXPECT_EQ(15, CodeOf(path + "rasn50.jpg"));
    EXPECT_EQ(15, CodeOf(path + "mix.jpg"));
    EXPECT_EQ(15, CodeOf(path + "raip.jpg"));
    EXPECT_EQ(10, CodeOf(path + "hi_shwrs20.jpg"));
    EXPECT_EQ(10, CodeOf(path + "shra.jpg"));
    EXPECT_EQ(14, CodeOf(path + "blizzard.jpg"));
    EXPECT_EQ(14, CodeOf(path + "ip.jpg"));
    EXPECT_EQ(13, CodeOf(path + "nra.jpg"));
    EXPECT_EQ(13, CodeOf(path + "fzra.jpg"));
    EXPECT_EQ(13, CodeOf(path + "RA60"));
    EXPECT_EQ(6, CodeOf(path + "ovc.jpg"));
    EXPECT_EQ(5, CodeOf(path + "nbkn.jpg"));
    EXPECT_EQ(4, CodeOf(path + "sctfg.jpg"));
    EXPECT_EQ(1, CodeOf(path + "few.jpg"));
    EXPECT_EQ(0, CodeOf(path + "skc.jpg"));
    EXPECT_EQ(3, CodeOf(path + "smoke.jpg"));
    EXPECT_EQ(3, CodeOf(path + "hazy.jpg"));
    EXPECT_EQ(2, CodeOf(path + "nfg.jpg"));
    EXPECT_EQ(9, CodeOf(path + "wind.jpg"));
    EXPECT_EQ(7, CodeOf(path + "cold.jpg"));
    EXPECT_EQ(8, CodeOf("hot"));
    EXPECT_EQ(8, CodeOf("HOT123"));
    // Digits are taken off the end only: "ra" stays hidden inside "r4a".
    EXPECT_EQ(-1, CodeOf("r4a"));
    EXPECT_EQ(-1, CodeOf(path + "blank.jpg"));
    EXPECT_EQ(-1, CodeOf("12345"));
    EXPECT_EQ(-1, CodeOf(""));
    // The whole link counts, path included.
    EXPECT_EQ(13, CodeOf("http://graphical.weather.gov/images/blank.png"));
}

TEST(NoaaDwml, CountsNestingAsTheParserReadsMarkup) {
    EXPECT_EQ(0, NoaaDwml::NestingDepth("", 256));
    EXPECT_EQ(1, NoaaDwml::NestingDepth("<r/>", 256));
    EXPECT_EQ(3, NoaaDwml::NestingDepth("<a><b><c/></b><b><c>x</c></b></a>", 256));
    // Markup inside attribute values, comments, CDATA, declarations and document types.
    EXPECT_EQ(2, NoaaDwml::NestingDepth("<a x=\"/>\" y='</a>'><b/></a>", 256));
    EXPECT_EQ(1, NoaaDwml::NestingDepth("<r><!-- <a><a><a> --></r>", 256));
    EXPECT_EQ(1, NoaaDwml::NestingDepth("<r><![CDATA[<a><a><a>]]></r>", 256));
    EXPECT_EQ(1, NoaaDwml::NestingDepth(
                     "<?xml version=\"1.0\"?><!DOCTYPE d [<!ELEMENT a (b)>]><r><?pi <a>?></r>", 256));
    // Quotes in element and attribute names are names, not values.
    EXPECT_EQ(3, NoaaDwml::NestingDepth("<a\"b p\"q='1'><c><d/></c></a\"b>", 256));
    EXPECT_EQ(3, NoaaDwml::NestingDepth("<a p\"q='\"'><b x='\"'><c/></b></a>", 256));
    // Counting stops just past the limit.
    std::string deep;
    for (int i = 0; i < 1000; ++i) {
        deep += "<a>";
    }
    EXPECT_EQ(11, NoaaDwml::NestingDepth(deep, 10));
}

TEST(NoaaDwml, RefusesDocumentsNestedTooDeeply) {
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) {
            text += "<a k='v'>";
        }
        for (int i = 0; i < depth; ++i) {
            text += "</a>";
        }
        return text;
    };
    // 256 levels are parsed (and then lack their data), 257 are not.
    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (164)", FailureOf(nested(NoaaDwml::MaxNesting)));
    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (158)", FailureOf(nested(NoaaDwml::MaxNesting + 1)));
    // Far deeper than any stack, and unfinished.
    std::string bomb;
    for (int i = 0; i < 500000; ++i) {
        bomb += "<x>";
    }
    EXPECT_EQ(L"NoaaDwml::Parse12HourlyForecast (158)", FailureOf(bomb));
}
