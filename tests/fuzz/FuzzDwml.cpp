#include "core/ApplicationException.h"
#include "core/Clock.h"
#include "weather/NoaaDwml.h"

#include <rapidxml/rapidxml.hpp>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace {

int DepthOf(const rapidxml::xml_node<char>* node) {
    int deepest = 0;
    for (const auto* child = node->first_node(); child != nullptr; child = child->next_sibling()) {
        if (child->type() == rapidxml::node_element) {
            deepest = std::max(deepest, DepthOf(child));
        }
    }
    return deepest + 1;
}

} // namespace

// Any reply either decodes or fails with the program's, the parser's or the date parser's
// exception. The nesting count that guards the parser's stack must never fall short of the
// nesting the parser really builds.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FixedClock clock(DateTime(2008, 1, 8, 1, 0, 0));
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        CForecast forecast;
        NoaaDwml::Parse12HourlyForecast(text, forecast);
        for (const CForecastItem& item : forecast.Items) {
            if (item.WeatherCode.HasValue() &&
                static_cast<int>(item.WeatherCode.Value()) >= WeatherCodeCount) {
                std::abort();
            }
        }
    } catch (const ApplicationException&) {
    } catch (const std::exception&) {
    }

    const int counted = NoaaDwml::NestingDepth(text, NoaaDwml::MaxNesting);
    if (counted > NoaaDwml::MaxNesting) {
        return 0;
    }
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    try {
        rapidxml::xml_document<char> document;
        document.parse<rapidxml::parse_default>(buffer.data());
        if (DepthOf(&document) - 1 > counted) {
            std::abort();
        }
    } catch (const rapidxml::parse_error&) {
    }
    return 0;
}
