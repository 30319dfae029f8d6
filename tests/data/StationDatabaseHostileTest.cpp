// Station databases a damaged installation leaves: the loader keeps what reads before the
// damage and never reads past its buffer.
#include "core/ApplicationException.h"
#include "data/Data.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

using namespace std::string_literals;

namespace {
std::string Line(int id, const std::string& name) {
    return std::to_string(id) + ";ICAO;Country;" + name + ";;1.5;-2.25\n";
}

// Loads the bytes; a parser's exception is what a damaged line gives, and the records before it
// stay.
size_t Loaded(const TempFolder& folder, const std::string& bytes) {
    folder.Write(L"CityRecords.txt", bytes);
    try {
        Data::LoadData(folder.File(L"CityRecords.txt"));
    } catch (const ApplicationException&) {
    }
    return Data::GetCityRecords(folder.File(L"CityRecords.txt")).size();
}
} // namespace

TEST(StationDatabaseHostile, NoiseNulBytesAndHugeFilesLoadWhatReadsFirst) {
    TempFolder folder;
    std::mt19937 generator(20);
    std::string noise(1 << 20, '\0');
    for (char& c : noise) {
        c = static_cast<char>(generator() & 0xFF);
    }
    const std::string good = Line(1, "A") + Line(2, "B");
    EXPECT_GE(Loaded(folder, good + noise), 2u);
    // A NUL ends a line's text where it stands; the next line is still found.
    EXPECT_EQ(3u, Loaded(folder, good + "3;ICAO;Country;C;;1;2\0junk\n\0\0\0"s));
    // 50 MB of lines far over the length limit: each is skipped, the good one after them reads.
    std::string huge = good;
    const std::string tooLong(Data::MaxLineLength + 1, 'x');
    while (huge.size() < 50u << 20) {
        huge += tooLong + "\n";
    }
    EXPECT_EQ(3u, Loaded(folder, huge + Line(3, "C")));
}

TEST(StationDatabaseHostile, AFolderOfThatNameIsAFileThatCannotBeRead) {
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / L"CityRecords.txt");
    try {
        Data::LoadData(folder.File(L"CityRecords.txt"));
        FAIL() << "no exception";
    } catch (const ApplicationException& e) {
        EXPECT_EQ(L"Data::LoadData (29)", e.Location);
    }
}
