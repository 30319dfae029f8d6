#pragma once
#include <string>

// A weather station of the database, or the station part of a favourite. Id is the key by which
// records and cities are matched everywhere.
class CityRecord {
public:
    CityRecord() = default;
    CityRecord(int id, std::wstring icao, std::wstring country, std::wstring displayName,
               std::wstring details, float latitude, float longitude);

    int Id = 0;
    std::wstring Country;
    std::wstring Details; // usually the airport; may be empty
    float Latitude = 0;   // degrees, north positive
    float Longitude = 0;  // degrees, east positive
    std::wstring Icao;    // names the station's METAR file

    const std::wstring& DisplayName() const { return displayName_; }
    // The user may rename a favourite, but not to nothing.
    void DisplayName(const std::wstring& name);

    // The city line: "Id;Icao;Country;DisplayName;Details;Latitude;Longitude", 8-bit text in the
    // ANSI code page, ending at CR, LF or the end of the text; an eighth field is ignored. The
    // record is changed only when the whole line reads; otherwise the parser's exception passes
    // through ("Tokenize (58)" for fewer than seven fields).
    static void Parse(const std::string& line, CityRecord& record);
    // The same over a writable line, which is cut in place; for the station database.
    static void ParseInPlace(char* line, CityRecord& record);
    // The line of a record, written "%i;%s;%s;%s;%s;%f;%f". Nothing is escaped: a ";" or line
    // break in a text does not survive.
    static std::wstring ToLine(const CityRecord& record);

private:
    std::wstring displayName_;
};
