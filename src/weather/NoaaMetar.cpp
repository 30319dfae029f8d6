#include "weather/NoaaMetar.h"

#include "core/ApplicationException.h"
#include "core/RegEx.h"
#include "core/Util.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr std::string_view Separators = " \r\n\t";

bool IsSeparator(char c) {
    return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}
bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The patterns only run on groups that pass these checks, which every text they match passes
// too: most groups of a report are thus turned away without running a pattern.
bool CouldBePhenomena(std::string_view group) {
    if (!group.empty() && (group[0] == '+' || group[0] == '-')) {
        group.remove_prefix(1);
    }
    if (group.size() < 2 || group.size() % 2 != 0) {
        return false;
    }
    for (char c : group) {
        if (!IsUpper(c)) {
            return false;
        }
    }
    return true;
}
bool CouldBeTemprature(std::string_view group) {
    return !group.empty() && (group[0] == 'M' || IsDigit(group[0])) && group.size() <= 10 &&
           group.find('/') != std::string_view::npos;
}
bool CouldBeDayHourMinute(std::string_view group) {
    return group.size() == 7 && group[6] == 'Z';
}

// "M" marks a negative value: "M05" is -5.
Nullable<float> ReadDegrees(std::string_view part) {
    std::string text(part);
    for (char& c : text) {
        if (c == 'M') {
            c = '-';
        }
    }
    return Nullable<float>(static_cast<float>(Util::ParseInt(text)));
}

// The date (and time) at the front of the text; the rest of the header line and the separators
// after it are cut off. An impossible date fails the form.
bool TakeHeader(std::string& text, bool withTime, Nullable<DateTime>& time) {
    const int hour = withTime ? static_cast<int>(Util::ParseDigits(text, 11, 2)) : 0;
    const int minute = withTime ? static_cast<int>(Util::ParseDigits(text, 14, 2)) : 0;
    const DateTime value(static_cast<int>(Util::ParseDigits(text, 0, 4)),
                         static_cast<int>(Util::ParseDigits(text, 5, 2)),
                         static_cast<int>(Util::ParseDigits(text, 8, 2)), hour, minute, 0);
    const size_t rest = text.find_first_not_of(Separators, withTime ? 17 : 11);
    text.erase(0, rest);
    time = value;
    return true;
}

} // namespace

bool NoaaMetar::ParseHeaderDateTime(std::string& text, Nullable<DateTime>& time) {
    static const RegEx dateAndTime("^\\d\\d\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d");
    static const RegEx dateOnly("^\\d\\d\\d\\d/\\d\\d/\\d\\d");
    // The end of the text does not count as a separator: a header with nothing after it is
    // not a complete date and time.
    const bool forms[] = {true, false};
    for (bool withTime : forms) {
        const size_t end = withTime ? 16 : 10;
        const RegEx& pattern = withTime ? dateAndTime : dateOnly;
        if (text.size() <= end || !IsSeparator(text[end]) || !pattern.Match(text)) {
            continue;
        }
        try {
            return TakeHeader(text, withTime, time);
        } catch (const ApplicationException&) {
        } catch (const std::out_of_range&) {
        }
    }
    return false;
}

bool NoaaMetar::ParsePhenomena(std::string_view group, Nullable<EnumWeatherCode>& code) {
    static const RegEx presentWeather(
        "^[+\\-]?((MI)|(PR)|(BC)|(DR)|(BL)|(SH)|(TS)|(FZ)|(DZ)|(RA)|(SN)|(SG)|(IC)|"
        "(PL)|(GR)|(GS)|(UP)|(BR)|(FG)|(FU)|(VA)|(DU)|(SA)|(HZ)|(PY)|(PO)|(SQ)|(FC)|"
        "(SS)|(DS))+$");
    if (!CouldBePhenomena(group) || !presentWeather.Match(std::string(group))) {
        return false;
    }
    struct Rule {
        std::string_view parts[8];
        EnumWeatherCode code;
    };
    // First match wins, so the order is the meaning: drizzle counts as rain showers, mist as
    // fog, and a funnel cloud without "+" names no weather.
    static constexpr Rule rules[] = {
        {{"+FC"}, EnumWeatherCode::Tornado},
        {{"TS"}, EnumWeatherCode::Thunderstorms},
        {{"SHGR", "SHGS"}, EnumWeatherCode::HailShowers},
        {{"SHSN", "SHIC", "SHSG", "SHPL"}, EnumWeatherCode::SnowShowers},
        {{"SHRA", "DZ"}, EnumWeatherCode::RainShowers},
        {{"GR", "GS"}, EnumWeatherCode::Hail},
        {{"SN", "IC", "SG", "PL"}, EnumWeatherCode::Snow},
        {{"RA"}, EnumWeatherCode::Rain},
        {{"FG", "BR"}, EnumWeatherCode::Fog},
        {{"FU", "DU", "VA", "SA", "HZ", "SS", "DS", "PO"}, EnumWeatherCode::Haze},
    };
    for (const Rule& rule : rules) {
        for (std::string_view part : rule.parts) {
            if (!part.empty() && Contains(group, part)) {
                code = rule.code;
                return true;
            }
        }
    }
    return true;
}

bool NoaaMetar::ParseCloudLayer(std::string_view group, EnumWeatherCode& code) {
    if (group == "CLR" || group == "SKC") {
        code = EnumWeatherCode::Clear;
    } else if (group.starts_with("FEW")) {
        code = EnumWeatherCode::Fair;
    } else if (group.starts_with("SCT")) {
        code = EnumWeatherCode::PartlyCloudy;
    } else if (group.starts_with("BKN")) {
        code = EnumWeatherCode::MostlyCloudy;
    } else if (group.starts_with("OVC")) {
        code = EnumWeatherCode::Cloudy;
    } else {
        return false;
    }
    return true;
}

bool NoaaMetar::ParseTemprature(std::string_view group, Nullable<float>& temprature,
                                Nullable<float>& dewPoint) {
    static const RegEx pattern("^M?[0-9][0-9]/((M?[0-9][0-9])|(/)|(//)|(///))?$");
    if (!CouldBeTemprature(group) || !pattern.Match(std::string(group))) {
        return false;
    }
    try {
        const size_t slash = group.find('/');
        const Nullable<float> air = ReadDegrees(group.substr(0, slash));
        // A run of "/" is one separator; "12/" and "12///" carry no dew point.
        std::string_view rest = group.substr(slash);
        rest.remove_prefix(std::min(rest.find_first_not_of('/'), rest.size()));
        rest = rest.substr(0, rest.find('/'));
        const Nullable<float> dew = rest.empty() ? Nullable<float>() : ReadDegrees(rest);
        temprature = air;
        dewPoint = dew;
        return true;
    } catch (const ApplicationException&) {
        return false;
    }
}

CCurrentWeather NoaaMetar::ParseCurrentWeather(std::string text, const std::string& station) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    Nullable<DateTime> headerTime;
    ParseHeaderDateTime(text, headerTime);

    Nullable<DateTime> reportTime;
    Nullable<EnumWeatherCode> phenomena;
    Nullable<EnumWeatherCode> clouds;
    Nullable<float> temprature;
    Nullable<float> dewPoint;
    std::string group;
    for (size_t start = text.find_first_not_of(Separators); start != std::string::npos;
         start = text.find_first_not_of(Separators, start + group.size())) {
        group.assign(text, start, text.find_first_of(Separators, start) - start);
        if (group == station || group == "CAVOK") {
            continue;
        }
        if (!reportTime.HasValue() && CouldBeDayHourMinute(group)) {
            const Nullable<DateTime> time = Util::ParseDayHourMinute(group, headerTime);
            if (time.HasValue()) {
                reportTime = time;
                continue;
            }
        }
        if (!phenomena.HasValue() && ParsePhenomena(group, phenomena)) {
            continue;
        }
        EnumWeatherCode layer;
        if (ParseCloudLayer(group, layer)) {
            if (!clouds.HasValue() || layer > clouds.Value()) {
                clouds = layer;
            }
            continue;
        }
        if (!temprature.HasValue() && ParseTemprature(group, temprature, dewPoint)) {
            continue;
        }
        if (group == "RMK") {
            break;
        }
    }

    CCurrentWeather weather;
    const EnumWeatherCode weatherCode = phenomena.HasValue() ? phenomena.Value() : EnumWeatherCode::Clear;
    const EnumWeatherCode cloudCode = clouds.HasValue() ? clouds.Value() : EnumWeatherCode::Clear;
    weather.WeatherCode = std::max(weatherCode, cloudCode);
    // Without any time the empty value's own error is the decoder's failure.
    weather.ReportDateTime = (reportTime.HasValue() ? reportTime : headerTime).Value();
    weather.Temprature = temprature;
    weather.DewPoint = dewPoint;
    return weather;
}
