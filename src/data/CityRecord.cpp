#include "data/CityRecord.h"

#include "core/ApplicationException.h"
#include "core/Encoding.h"
#include "core/Tokenize.h"
#include "core/Util.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {
float ParseCoordinate(const char* text) {
    const double value = Util::ParseDouble(text);
    // Narrowing a double beyond the float range is undefined; such a line is damaged.
    if (std::fabs(value) > std::numeric_limits<float>::max()) {
        ThrowArgumentException("CityRecord::Parse (71)");
    }
    return static_cast<float>(value);
}

// "%f" of the float widened to double: six decimals of the stored value, so 48.733 saves as
// 48.733002. to_chars rounds exactly and never looks at the locale.
void AppendCoordinate(std::wstring& line, float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::fixed, 6);
    const std::string text(buffer, result.ptr);
    // A place a hair west of Greenwich would print as "-0.000000", which the number reader
    // refuses, and the city would be lost on the next load.
    line += text == "-0.000000" ? L"0.000000" : std::wstring(text.begin(), text.end());
}
} // namespace

CityRecord::CityRecord(int id, std::wstring icao, std::wstring country, std::wstring displayName,
                       std::wstring details, float latitude, float longitude)
    : Id(id), Country(std::move(country)), Details(std::move(details)), Latitude(latitude),
      Longitude(longitude), Icao(std::move(icao)), displayName_(std::move(displayName)) {}

void CityRecord::DisplayName(const std::wstring& name) {
    if (name.empty()) {
        ThrowArgumentException("CityRecord::DisplayName (45)");
    }
    displayName_ = name;
}

void CityRecord::Parse(const std::string& line, CityRecord& record) {
    std::string copy(line);
    ParseInPlace(copy.data(), record);
}

void CityRecord::ParseInPlace(char* line, CityRecord& record) {
    Tokenize fields(line);
    CityRecord parsed;
    parsed.Id = Util::ParseInt(fields.Next());
    parsed.Icao = FromAnsi(fields.Next());
    parsed.Country = FromAnsi(fields.Next());
    parsed.displayName_ = FromAnsi(fields.Next());
    parsed.Details = FromAnsi(fields.Next());
    parsed.Latitude = ParseCoordinate(fields.Next());
    parsed.Longitude = ParseCoordinate(fields.Next());
    // Only the record part: the weather of a City parsed into stays as it is.
    record = std::move(parsed);
}

std::wstring CityRecord::ToLine(const CityRecord& record) {
    std::wstring line = std::to_wstring(record.Id);
    for (const std::wstring* text : {&record.Icao, &record.Country, &record.displayName_, &record.Details}) {
        line += L';';
        line += *text;
    }
    line += L';';
    AppendCoordinate(line, record.Latitude);
    line += L';';
    AppendCoordinate(line, record.Longitude);
    return line;
}
