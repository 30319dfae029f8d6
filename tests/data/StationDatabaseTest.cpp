#include "core/ThrowLocation.h"
#include "data/Data.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {
// ENOENT and ERROR_FILE_NOT_FOUND share the value.
constexpr uint32_t FileNotFound = 2;

std::vector<std::wstring> Names(const std::vector<CityRecord>& records) {
    std::vector<std::wstring> names;
    for (const CityRecord& record : records) {
        names.push_back(record.DisplayName());
    }
    return names;
}

std::vector<std::wstring> Load(const TempFolder& folder, const std::string& bytes) {
    folder.Write(L"CityRecords.txt", bytes);
    Data::LoadData(folder.File(L"CityRecords.txt"));
    return Names(Data::GetCityRecords(folder.File(L"CityRecords.txt")));
}

std::string Line(int id, const std::string& name, const std::string& details = "") {
    return std::to_string(id) + ";ICAO;Country;" + name + ";" + details + ";1.5;-2.25";
}
} // namespace

TEST(StationDatabase, ReadsLinesInFileOrder) {
    TempFolder folder;
    using Expected = std::vector<std::wstring>;
    EXPECT_EQ((Expected{L"A", L"B", L"C"}),
              Load(folder, Line(1, "A") + "\n" + Line(2, "B") + "\n" + Line(3, "C")));
    EXPECT_EQ((Expected{L"A", L"B"}), Load(folder, Line(1, "A") + "\r\n" + Line(2, "B") + "\r\n"));
    EXPECT_EQ(Expected{}, Load(folder, ""));

    folder.Write(L"one.txt", "7;EDDF;Germany;Frankfurt;Main;50.033;8.567\n");
    Data::LoadData(folder.File(L"one.txt"));
    const CityRecord& frankfurt = Data::GetCityRecords(L"")[0];
    EXPECT_EQ(7, frankfurt.Id);
    EXPECT_EQ(L"EDDF", frankfurt.Icao);
    EXPECT_EQ(L"Main", frankfurt.Details);
    EXPECT_EQ(8.567f, frankfurt.Longitude);
}

// A line that does not read ends the load; what came before stays, and is not loaded again.
TEST(StationDatabase, StopsAtABlankLine) {
    TempFolder folder;
    folder.Write(L"CityRecords.txt", Line(1, "A") + "\n\n" + Line(3, "C") + "\n");
    EXPECT_EQ(L"Util::ParseInt (421)",
              ThrowLocation<ArgumentException>([&] { Data::LoadData(folder.File(L"CityRecords.txt")); }));
    EXPECT_EQ(std::vector<std::wstring>{L"A"}, Names(Data::GetCityRecords(folder.File(L"CityRecords.txt"))));
}

TEST(StationDatabase, SkipsOverLongLines) {
    TempFolder folder;
    const std::string longest =
        Line(2, "Longest", std::string(Data::MaxLineLength - Line(2, "Longest").size(), 'x'));
    ASSERT_EQ(Data::MaxLineLength, longest.size());
    const std::string tooLong = Line(3, "TooLong", std::string(Data::MaxLineLength, 'y'));
    const std::vector<std::wstring> names =
        Load(folder, Line(1, "A") + "\n" + longest + "\n" + tooLong + "\n" + Line(4, "D") + "\n" + tooLong);
    EXPECT_EQ((std::vector<std::wstring>{L"A", L"Longest", L"D"}), names);
}

TEST(StationDatabase, MissingFileFailsAndLoadsNothing) {
    TempFolder folder;
    Load(folder, Line(1, "A") + "\n");
    try {
        Data::LoadData(folder.File(L"CityRecords.txt.missing"));
        FAIL() << "no exception";
    } catch (const ApplicationException& e) {
        EXPECT_EQ(L"Data::LoadData (29)", e.Location);
        EXPECT_EQ(FileNotFound, e.LastError);
    }
    EXPECT_EQ(L"Data::LoadData (29)", ThrowLocation<ApplicationException>([&] {
                  Data::GetCityRecords(folder.File(L"CityRecords.txt.missing"));
              }));
    // The list is empty, so the next request tries again.
    EXPECT_EQ(std::vector<std::wstring>{L"A"}, Names(Data::GetCityRecords(folder.File(L"CityRecords.txt"))));
}
