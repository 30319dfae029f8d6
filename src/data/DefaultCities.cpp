#include "data/DefaultCities.h"

CPtr<City> CreateDefaultHomeCity() {
    return CPtr<City>(new City(348400, L"KLAX", L"USA", L"Los Angeles", L"Los Angeles International Airport",
                               33.938f, -118.389f));
}

CPtr<std::vector<City>> CreateDefaultCities() {
    CPtr<std::vector<City>> cities(new std::vector<City>{
        {358900, L"KMIA", L"USA", L"Miami", L"Miami International Airport", 25.791f, -80.316f},
        {370800, L"KJFK", L"USA", L"New York", L"Kennedy International Airport", 40.639f, -73.762f},
        {113600, L"LFPO", L"France", L"Paris", L"Orly", 48.733f, 2.400f},
        {221800, L"LEMD", L"Spain", L"Madrid", L"Barajas", 40.450f, -3.550f},
        {152100, L"LIRF", L"Italy", L"Roma", L"Fiumicino", 41.800f, 12.233f},
        {163300, L"RJAA", L"Japan", L"Tokyo", L"New Tokyo International Airport", 35.767f, 140.383f},
        {213600, L"WSSS", L"Singapore", L"Singapore", L"Changi Airport", 1.367f, 103.983f},
        {216100, L"FAJS", L"South Africa", L"Johannesburg", L"", -26.133f, 28.233f},
        {227400, L"ESSA", L"Sweden", L"Stockholm", L"Arlanda", 59.650f, 17.950f},
        {79800, L"CYVR", L"Canada", L"Vancouver", L"International Airport", 49.183f, -123.167f},
        {12100, L"YSSY", L"Australia", L"Sydney", L"", -33.950f, 151.183f},
        {86600, L"ZBAA", L"China", L"Beijing", L"", 39.933f, 116.283f},
        {133400, L"VHHH", L"Hong Kong", L"Hong Kong", L"", 22.333f, 114.183f},
        {136800, L"VIDP", L"India", L"New Delhi", L"Palam", 28.567f, 77.117f},
        {179000, L"GMMC", L"Morocco", L"Casablanca", L"", 33.567f, -7.667f},
        {23000, L"SBBR", L"Brazil", L"Brasilia", L"", -15.867f, -47.933f},
        {175100, L"MMMX", L"Mexico", L"Mexico City", L"Licenci", 19.433f, -99.100f},
    });
    return cities;
}
