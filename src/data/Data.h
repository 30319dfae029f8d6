#pragma once
#include "data/CityRecord.h"

#include <string>
#include <vector>

// The station database "CityRecords.txt" of the installation folder, loaded whole into one
// process-wide list on the main thread.
class Data {
public:
    Data() = delete;

    // A line of the database holds at most this many characters before its LF.
    static constexpr size_t MaxLineLength = 5119;

    // Reloads the list from the file, in file order. Lines end at LF (a CR before it is
    // tolerated); an over-long line is skipped. A line that does not read ends the load with the
    // parser's exception and keeps the records before it. A file that cannot be read throws
    // "Data::LoadData (29)".
    static void LoadData(const std::wstring& fileName);
    // The list, loading it first while it is empty.
    static const std::vector<CityRecord>& GetCityRecords(const std::wstring& fileName);
};
