#pragma once
#include "core/DateTime.h"
#include "core/Nullable.h"
#include "weather/CurrentWeather.h"
#include "weather/WeatherCode.h"

#include <string>
#include <string_view>

// Decoder of NOAA's METAR station files: an optional header line with the report time
// ("2008/01/07 18:53") and the report, blank-separated groups. It is coarse on purpose: only
// the report time, the present weather, the cloud layers and the temperature group are read;
// wind, visibility, pressure and remarks are passed over.
//
// Stateless apart from its compiled patterns, which are built on first use (thread-safe) and
// only read afterwards, so decoding may run on several threads at once.
class NoaaMetar {
public:
    // The whole station file. Throws ApplicationException "Nullable<class DateTime>::Value (20)"
    // when neither a header nor a day-hour-minute group gives a time. A report without present
    // weather or clouds is Clear.
    static CCurrentWeather ParseCurrentWeather(std::string text, const std::string& station);

    // A leading "YYYY/MM/DD HH:MM" or "YYYY/MM/DD" followed by a blank, tab, CR or LF: sets the
    // time and removes the header and the separators after it from the text. Otherwise false,
    // and the text is unchanged.
    static bool ParseHeaderDateTime(std::string& text, Nullable<DateTime>& time);
    // True when the group is a present-weather group; the code is set only when the group names
    // weather with a code of its own (so "UP" is recognised and leaves the code empty).
    static bool ParsePhenomena(std::string_view group, Nullable<EnumWeatherCode>& code);
    // CLR, SKC, FEW..., SCT..., BKN..., OVC...; false for anything else (VV001, NSC).
    static bool ParseCloudLayer(std::string_view group, EnumWeatherCode& code);
    // "18/09", "M02/M03", "12/", "12///": whole degrees Celsius; the dew point may be missing.
    // Outputs are written only on success.
    static bool ParseTemprature(std::string_view group, Nullable<float>& temprature,
                                Nullable<float>& dewPoint);
};
