#include "weather/Temperature.h"

#include <cmath>

Nullable<int> TempratureInUnit(const Nullable<float>& celsius, bool metric) {
    if (!celsius.HasValue()) {
        return {};
    }
    const double value = celsius.Value();
    const double x = metric ? value : value * 1.8 + 32;
    // A decoded temperature is a few dozen degrees; the bound only keeps the cast defined.
    if (!(std::fabs(x) < 1e9)) {
        return {};
    }
    const double rounded = x >= 0 ? std::floor(x + 0.5) : -std::floor(0.5 - x);
    return Nullable<int>(static_cast<int>(rounded));
}

std::wstring DegreesText(int degrees) {
    return std::to_wstring(degrees) + L"\u00B0";
}
