#include "weather/NoaaDwml.h"

#include "core/ApplicationException.h"
#include "core/Encoding.h"
#include "core/Util.h"
#include "weather/ReportTime.h"

#include <rapidxml/rapidxml.hpp>

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace {

using Node = rapidxml::xml_node<char>;
using Attribute = rapidxml::xml_attribute<char>;

// ---- The parser's reading of markup, for counting its nesting ----------------------------------
// The character classes are the parser's own; where it would fail, counting stops too, as the
// parser descends no further.

bool IsXmlSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}
bool IsNameCharacter(char c) {
    return c != '\0' && !IsXmlSpace(c) && c != '/' && c != '>' && c != '?';
}
bool IsAttributeNameCharacter(char c) {
    return c != '\0' && !IsXmlSpace(c) && c != '/' && c != '<' && c != '>' && c != '=' && c != '?' &&
           c != '!';
}

const char* SkipSpace(const char* text) {
    while (IsXmlSpace(*text)) {
        ++text;
    }
    return text;
}

// Past the terminator, or null at the end of the text.
const char* SkipPast(const char* text, const char* terminator) {
    const char* found = std::strstr(text, terminator);
    return found != nullptr ? found + std::strlen(terminator) : nullptr;
}

const char* SkipPast(const char* text, char terminator) {
    const char* found = std::strchr(text, terminator);
    return found != nullptr ? found + 1 : nullptr;
}

// After "<!DOCTYPE ": to the ">", passing over bracketed internal subsets however nested.
const char* SkipDoctype(const char* text) {
    while (*text != '>') {
        if (*text == '\0') {
            return nullptr;
        }
        if (*text++ == '[') {
            for (int depth = 1; depth > 0; ++text) {
                if (*text == '\0') {
                    return nullptr;
                }
                depth += *text == '[' ? 1 : *text == ']' ? -1 : 0;
            }
        }
    }
    return text + 1;
}

// After "<!": comments, CDATA, document types and unknown declarations.
const char* SkipDeclaration(const char* text) {
    if (text[1] == '-' && text[2] == '-') {
        return SkipPast(text + 3, "-->");
    }
    if (std::strncmp(text + 1, "[CDATA[", 7) == 0) {
        return SkipPast(text + 8, "]]>");
    }
    if (std::strncmp(text + 1, "DOCTYPE", 7) == 0 && IsXmlSpace(text[8])) {
        return SkipDoctype(text + 9);
    }
    return SkipPast(text + 1, '>');
}

// After the element's name: its attributes and the end of the tag. Null where the parser would
// fail; otherwise past the tag, with selfClosing telling "/>" from ">".
const char* SkipTag(const char* text, bool& selfClosing) {
    text = SkipSpace(text);
    while (IsAttributeNameCharacter(*text)) {
        while (IsAttributeNameCharacter(*text)) {
            ++text;
        }
        text = SkipSpace(text);
        if (*text != '=') {
            return nullptr;
        }
        text = SkipSpace(text + 1);
        const char quote = *text;
        if (quote != '\'' && quote != '"') {
            return nullptr;
        }
        text = SkipPast(text + 1, quote);
        if (text == nullptr) {
            return nullptr;
        }
        text = SkipSpace(text);
    }
    selfClosing = text[0] == '/';
    if (selfClosing) {
        ++text;
    }
    return *text == '>' ? text + 1 : nullptr;
}

// ---- Reading the document ---------------------------------------------------------------------

std::string_view ValueOf(const Node* node) {
    return std::string_view(node->value(), node->value_size());
}
std::string_view ValueOf(const Attribute* attribute) {
    return std::string_view(attribute->value(), attribute->value_size());
}

Nullable<float> TempratureOn(const NoaaDwml::DatedTempratures& list, const DateTime& date) {
    for (const auto& [day, temprature] : list) {
        if (day == date) {
            return temprature;
        }
    }
    return {};
}

bool HasNothing(const CForecastItem& item) {
    return item.WeatherSummary.empty() && !item.WeatherCode.HasValue() && !item.TempratureMin.HasValue() &&
           !item.TempratureMax.HasValue();
}

} // namespace

int NoaaDwml::NestingDepth(const std::string& input, int limit) {
    // The parser reads to the first NUL, as does this.
    const char* text = input.c_str();
    if (static_cast<unsigned char>(text[0]) == 0xEF && static_cast<unsigned char>(text[1]) == 0xBB &&
        static_cast<unsigned char>(text[2]) == 0xBF) {
        text += 3;
    }
    int depth = 0;
    int deepest = 0;
    while (text != nullptr && (text = std::strchr(text, '<')) != nullptr) {
        ++text;
        if (*text == '/') {
            depth = std::max(depth - 1, 0);
            text = SkipPast(text, '>');
        } else if (*text == '?') {
            text = SkipPast(text + 1, "?>");
        } else if (*text == '!') {
            text = SkipDeclaration(text);
        } else {
            const char* name = text;
            while (IsNameCharacter(*text)) {
                ++text;
            }
            if (text == name) {
                break;
            }
            deepest = std::max(deepest, ++depth);
            if (deepest > limit) {
                break;
            }
            bool selfClosing = false;
            text = SkipTag(text, selfClosing);
            if (selfClosing) {
                --depth;
            }
        }
    }
    return deepest;
}

Nullable<EnumWeatherCode> NoaaDwml::IconLinkToWeatherCode(const std::string& text) {
    std::string link = text;
    for (char& c : link) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    // A probability ends the icon's name ("ra60" is rain at 60 percent); a link ending in a file
    // extension keeps its digits.
    while (!link.empty() && link.back() >= '0' && link.back() <= '9') {
        link.pop_back();
    }
    struct Rule {
        std::string_view parts[5];
        EnumWeatherCode code;
    };
    // First match wins; the tests run on the whole link, path included.
    static constexpr Rule rules[] = {
        {{"ts"}, EnumWeatherCode::Thunderstorms},
        {{"rasn", "mix", "raip"}, EnumWeatherCode::RainAndSnow},
        {{"shra", "shwrs"}, EnumWeatherCode::RainShowers},
        {{"sn", "blizzard", "ip"}, EnumWeatherCode::Snow},
        {{"ra"}, EnumWeatherCode::Rain},
        {{"ovc"}, EnumWeatherCode::Cloudy},
        {{"bkn"}, EnumWeatherCode::MostlyCloudy},
        {{"sct"}, EnumWeatherCode::PartlyCloudy},
        {{"few"}, EnumWeatherCode::Fair},
        {{"skc"}, EnumWeatherCode::Clear},
        {{"smoke", "du", "hazy", "fu", "haze"}, EnumWeatherCode::Haze},
        {{"fg"}, EnumWeatherCode::Fog},
        {{"wind"}, EnumWeatherCode::Windy},
        {{"cold"}, EnumWeatherCode::Cold},
        {{"hot"}, EnumWeatherCode::Hot},
    };
    for (const Rule& rule : rules) {
        for (std::string_view part : rule.parts) {
            if (!part.empty() && link.find(part) != std::string::npos) {
                return Nullable<EnumWeatherCode>(rule.code);
            }
        }
    }
    return {};
}

void NoaaDwml::ReadTemperatures(const Node* temperature, const Node* layout, DatedTempratures& list) {
    list.clear();
    const Node* value = temperature->first_node("value");
    const Node* start = layout->first_node("start-valid-time");
    for (; value != nullptr && start != nullptr;
         value = value->next_sibling("value"), start = start->next_sibling("start-valid-time")) {
        try {
            Nullable<float> celsius;
            const std::string text(ValueOf(value));
            if (!text.empty()) {
                const double fahrenheit = Util::ParseDouble(text);
                // Beyond a float the value is as unreadable as a letter.
                if (!(fahrenheit >= -FLT_MAX && fahrenheit <= FLT_MAX)) {
                    continue;
                }
                const float stored = static_cast<float>(fahrenheit);
                celsius = static_cast<float>((stored - 32.0) * 5 / 9);
            }
            const DateTime date = Util::ParseDateTime(std::string(ValueOf(start))).Date();
            list.emplace_back(date, celsius);
        } catch (const ApplicationException&) {
        } catch (const std::out_of_range&) {
        }
    }
}

void NoaaDwml::Parse12HourlyForecast(const std::string& text, CForecast& forecast) {
    forecast.ReportDateTime = NoReportYet();
    forecast.Items.clear();

    if (NestingDepth(text, MaxNesting) > MaxNesting) {
        ThrowApplicationException("NoaaDwml::Parse12HourlyForecast (158)");
    }
    // The parser works in place and needs the terminating NUL.
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    rapidxml::xml_document<char> document;
    document.parse<rapidxml::parse_default>(buffer.data());

    const Node* root = document.first_node();
    if (root == nullptr) {
        ThrowApplicationException("NoaaDwml::Parse12HourlyForecast (162)");
    }
    const Node* data = root->first_node("data");
    if (data == nullptr) {
        ThrowApplicationException("NoaaDwml::Parse12HourlyForecast (164)");
    }
    const Node* parameters = data->first_node("parameters");
    if (parameters == nullptr) {
        ThrowApplicationException("NoaaDwml::Parse12HourlyForecast (166)");
    }

    std::vector<std::pair<std::string_view, const Node*>> layouts;
    for (const Node* layout = data->first_node("time-layout"); layout != nullptr;
         layout = layout->next_sibling("time-layout")) {
        const Node* key = layout->first_node("layout-key");
        if (key == nullptr) {
            ThrowApplicationException("NoaaDwml::Parse12HourlyForecast (171)");
        }
        layouts.emplace_back(ValueOf(key), layout);
    }
    // The first layout of that key, case-sensitive.
    auto findLayout = [&layouts](std::string_view key) -> const Node* {
        for (const auto& [name, layout] : layouts) {
            if (name == key) {
                return layout;
            }
        }
        return nullptr;
    };

    DatedTempratures maxima;
    DatedTempratures minima;
    for (const Node* temperature = parameters->first_node("temperature"); temperature != nullptr;
         temperature = temperature->next_sibling("temperature")) {
        const Attribute* type = temperature->first_attribute("type");
        const Attribute* layoutKey = temperature->first_attribute("time-layout");
        const Node* layout = layoutKey != nullptr ? findLayout(ValueOf(layoutKey)) : nullptr;
        if (type == nullptr || layout == nullptr) {
            continue;
        }
        if (ValueOf(type) == "maximum") {
            ReadTemperatures(temperature, layout, maxima);
        } else if (ValueOf(type) == "minimum") {
            ReadTemperatures(temperature, layout, minima);
        }
    }

    const Node* weather = parameters->first_node("weather");
    if (weather == nullptr) {
        ThrowApplicationException("NoaaDwml::Parse12HourlyForecast (197)");
    }
    const Node* icons = parameters->first_node("conditions-icon");
    if (icons == nullptr) {
        ThrowApplicationException("NoaaDwml::Parse12HourlyForecast (199)");
    }
    const Attribute* weatherLayout = weather->first_attribute("time-layout");
    if (weatherLayout == nullptr) {
        ThrowApplicationException("NoaaDwml::Parse12HourlyForecast (202)");
    }
    const Attribute* iconsLayout = icons->first_attribute("time-layout");
    if (iconsLayout == nullptr) {
        ThrowApplicationException("NoaaDwml::Parse12HourlyForecast (204)");
    }
    if (ValueOf(weatherLayout) != ValueOf(iconsLayout)) {
        ThrowApplicationException("NoaaDwml::Parse12HourlyForecast (205)");
    }
    const Node* periods = findLayout(ValueOf(weatherLayout));
    if (periods == nullptr) {
        ThrowApplicationException("NoaaDwml::Parse12HourlyForecast (208)");
    }

    std::vector<CForecastItem> items;
    const Node* conditions = weather->first_node("weather-conditions");
    const Node* link = icons->first_node("icon-link");
    const Node* start = periods->first_node("start-valid-time");
    const Node* end = periods->first_node("end-valid-time");
    for (bool first = true; conditions != nullptr && link != nullptr && start != nullptr && end != nullptr;
         first = false) {
        CForecastItem item;
        if (const Attribute* summary = conditions->first_attribute("weather-summary")) {
            item.WeatherSummary = FromAnsi(std::string(ValueOf(summary)));
        }
        item.WeatherCode = IconLinkToWeatherCode(std::string(ValueOf(link)));
        item.Start = Util::ParseDateTime(std::string(ValueOf(start)));
        item.End = Util::ParseDateTime(std::string(ValueOf(end)));
        item.TempratureMin = TempratureOn(minima, item.Start.Date());
        item.TempratureMax = TempratureOn(maxima, item.Start.Date());
        // The forecast starts with the first period that names its weather; an opening period
        // with temperatures only is dropped.
        const bool named = !item.WeatherSummary.empty() || item.WeatherCode.HasValue();
        if (first ? named : (!items.empty() || !HasNothing(item))) {
            items.push_back(std::move(item));
        }
        conditions = conditions->next_sibling("weather-conditions");
        link = link->next_sibling("icon-link");
        start = start->next_sibling("start-valid-time");
        end = end->next_sibling("end-valid-time");
    }
    while (!items.empty() && HasNothing(items.back())) {
        items.pop_back();
    }
    forecast.Items = std::move(items);
    forecast.ReportDateTime = DateTime::UtcNow();
}
