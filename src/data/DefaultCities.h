#pragma once
#include "data/City.h"

// The places in force while "Options.txt" (the home city) or "Cities.txt" (the favourites) does
// not exist, the same for both editions: Los Angeles at home and 17 cities around the world.
CPtr<City> CreateDefaultHomeCity();
CPtr<std::vector<City>> CreateDefaultCities();
