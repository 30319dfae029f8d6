#include "core/ApplicationException.h"
#include "core/Clock.h"
#include "weather/NoaaMetar.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// Any station file either decodes to a code of the table or fails with the program's own
// exception. The decoder reads upper and lower case alike, so both spellings must agree.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A fixed "now", so that both decodes date a report group alike.
    static const FixedClock clock(DateTime(2008, 1, 8, 1, 0, 0));
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string lower = text;
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    bool decoded = false;
    CCurrentWeather weather;
    try {
        weather = NoaaMetar::ParseCurrentWeather(text, "KLAX");
        decoded = true;
        const int code = static_cast<int>(weather.WeatherCode.Value());
        if (code < 0 || code >= WeatherCodeCount) {
            std::abort();
        }
    } catch (const ApplicationException&) {
    }
    try {
        const CCurrentWeather again = NoaaMetar::ParseCurrentWeather(lower, "KLAX");
        if (!decoded || again.ReportDateTime != weather.ReportDateTime ||
            again.WeatherCode.Value() != weather.WeatherCode.Value() ||
            again.Temprature.HasValue() != weather.Temprature.HasValue() ||
            again.DewPoint.HasValue() != weather.DewPoint.HasValue()) {
            std::abort();
        }
    } catch (const ApplicationException&) {
        if (decoded) {
            std::abort();
        }
    }
    return 0;
}
