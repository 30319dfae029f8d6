#include "data/Data.h"

#include "core/ApplicationException.h"
#include "core/LastError.h"
#include "core/UtilFile.h"

#include <cstring>

namespace {
std::vector<CityRecord>& Records() {
    static std::vector<CityRecord> records;
    return records;
}

// About the size of the shipped database.
constexpr size_t ExpectedRecords = 6620;
} // namespace

void Data::LoadData(const std::wstring& fileName) {
    std::vector<CityRecord>& records = Records();
    records.clear();
    records.reserve(ExpectedRecords);

    std::string text;
    try {
        text = UtilFile::ReadFileAscii(fileName);
    } catch (const ApplicationException& e) {
        SetLastErrorValue(e.LastError);
        ThrowApplicationException("Data::LoadData (29)");
    }

    char* const begin = text.data();
    char* const end = begin + text.size();
    for (char* line = begin; line < end;) {
        char* lineEnd = static_cast<char*>(std::memchr(line, '\n', static_cast<size_t>(end - line)));
        if (lineEnd == nullptr) {
            lineEnd = end;
        }
        char* const next = lineEnd < end ? lineEnd + 1 : end;
        if (static_cast<size_t>(lineEnd - line) <= MaxLineLength) {
            // The line is cut in place; the parse stops at its LF, or at the string's NUL.
            CityRecord record;
            CityRecord::ParseInPlace(line, record);
            records.push_back(std::move(record));
        }
        line = next;
    }
}

const std::vector<CityRecord>& Data::GetCityRecords(const std::wstring& fileName) {
    if (Records().empty()) {
        LoadData(fileName);
    }
    return Records();
}
