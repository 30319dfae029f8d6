#include "data/Options.h"

#include "data/DefaultCities.h"

COptions::COptions(OptionsEdition edition, const OptionsSite& site)
    : ShowWeather(edition == OptionsEdition::CloudPane), HomeCity(CreateDefaultHomeCity()),
      Cities(CreateDefaultCities()), Region(DefaultRegion()), Background(DefaultBackground(site.EarthFolder)),
      site_(site) {}

City* COptions::FindCity(int id) {
    return const_cast<City*>(static_cast<const COptions&>(*this).FindCity(id));
}

const City* COptions::FindCity(int id) const {
    if (!HomeCity.IsEmpty() && HomeCity->Id == id) {
        return HomeCity.Get();
    }
    return Cities.IsEmpty() ? nullptr : FindById(*Cities, id);
}

bool COptions::UpdateWeather(const CWeatherReport& report) {
    City* city = FindCity(report.CityId);
    if (city == nullptr) {
        return false;
    }
    city->UpdateWeather(report);
    return true;
}

void COptions::CopyWeatherFrom(const COptions& other) {
    auto takeOver = [&other](City& city) {
        try {
            if (const City* match = other.FindCity(city.Id)) {
                city.TakeNewerWeather(match->CurrentWeather, match->Forecast);
            }
        } catch (...) {
            // This city keeps its weather; the others are still tried.
        }
    };
    if (!HomeCity.IsEmpty()) {
        takeOver(*HomeCity);
    }
    if (!Cities.IsEmpty()) {
        for (City& city : *Cities) {
            takeOver(city);
        }
    }
}
