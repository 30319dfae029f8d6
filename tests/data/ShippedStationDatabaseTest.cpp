#include "data/Data.h"
#include "data/DefaultCities.h"

#include <gtest/gtest.h>
#include <set>

namespace {
const std::vector<CityRecord>& ShippedRecords() {
    const std::string path = ORBIMETEO_INSTALL_DIR "CityRecords.txt";
    const std::wstring fileName(path.begin(), path.end());
    // The list is process-wide and other tests load their own databases into it.
    Data::LoadData(fileName);
    return Data::GetCityRecords(fileName);
}

// The defaults must be found in the picker exactly as the defaults describe them.
void ExpectShipped(const CityRecord& city, const std::vector<CityRecord>& records) {
    for (const CityRecord& record : records) {
        if (record.Id == city.Id) {
            EXPECT_EQ(CityRecord::ToLine(city), CityRecord::ToLine(record));
            return;
        }
    }
    ADD_FAILURE() << "no station with the id of " << std::string(city.Icao.begin(), city.Icao.end());
}
} // namespace

TEST(ShippedStationDatabase, LoadsWholeWithUniqueIdsAndTheDefaultCities) {
    const std::vector<CityRecord>& records = ShippedRecords();
    EXPECT_GT(records.size(), 6500u);

    std::set<int> ids;
    for (const CityRecord& record : records) {
        EXPECT_TRUE(ids.insert(record.Id).second) << "id " << record.Id << " twice";
    }

    ExpectShipped(*CreateDefaultHomeCity(), records);
    const CPtr<std::vector<City>> favourites = CreateDefaultCities();
    for (const City& city : *favourites) {
        ExpectShipped(city, records);
    }
}
