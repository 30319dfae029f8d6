#pragma once
#include "core/Nullable.h"

#include <string>

template <> struct NullableLocation<float> {
    static constexpr const char* Value = "Nullable<float>::Value (20)";
};

// Temperatures are held in degrees Celsius and shown in Fahrenheit unless metric is asked for.
// The shown value is rounded half away from zero: 2.5 gives 3, -2.5 gives -3.
Nullable<int> TempratureInUnit(const Nullable<float>& celsius, bool metric);

// "21°": the number followed by the degree sign.
std::wstring DegreesText(int degrees);
