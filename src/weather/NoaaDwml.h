#pragma once
#include "core/DateTime.h"
#include "core/Nullable.h"
#include "weather/Forecast.h"
#include "weather/WeatherCode.h"

#include <string>
#include <utility>
#include <vector>

namespace rapidxml {
template <class Ch> class xml_node;
}

// Decoder of the DWML document (NOAA's Digital Weather Markup Language) that the forecast
// service returns for 12-hourly periods. Only the time layouts, the daily maximum and minimum
// temperatures, the weather summaries and the condition icons are read.
class NoaaDwml {
public:
    // Calendar dates (midnight) with the temperature of that date in degrees Celsius; empty for
    // a nil value.
    using DatedTempratures = std::vector<std::pair<DateTime, Nullable<float>>>;

    // A document nested deeper than this is refused before it is parsed: the XML parser
    // descends recursively, one level of the stack per level of nesting.
    static constexpr int MaxNesting = 256;

    // Fills the forecast from the whole document. Throws ApplicationException for a missing
    // required element or attribute and for a document nested too deeply, the XML parser's
    // rapidxml::parse_error for text that is not well-formed, and the date parser's errors for
    // a malformed period time; the forecast is then left reset.
    static void Parse12HourlyForecast(const std::string& text, CForecast& forecast);
    // One "temperature" element read against its time layout: each value (in Fahrenheit) is
    // paired with the date of the layout's start time at the same position. A pair whose value
    // or time cannot be read is left out.
    static void ReadTemperatures(const rapidxml::xml_node<char>* temperature,
                                 const rapidxml::xml_node<char>* layout, DatedTempratures& list);
    // The condition an icon link stands for ("http://.../tsra90.jpg" is Thunderstorms); empty
    // when the link names nothing known.
    static Nullable<EnumWeatherCode> IconLinkToWeatherCode(const std::string& link);
    // The deepest element nesting the XML parser would reach in the text, counted the way it
    // reads markup, comments, CDATA, declarations and document types; counting stops once
    // it passes the limit.
    static int NestingDepth(const std::string& text, int limit);
};
