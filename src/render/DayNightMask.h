#pragma once
#include "core/DateTime.h"
#include "core/TimeSpan.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The day/night mask: one byte per pixel of a width x height night image, row-major. Column x
// stands for the time of day x / width x 24 h at longitude 0, row r for latitude
// 90 - r x 180 / height. A byte is the alpha the night overlay takes there: 0 where the sun is up,
// 255 in full night, and steps between across twilight. Only the UTC date of dateUtc is used.
// Returns an empty mask for a size without pixels.
std::vector<uint8_t> BuildDayNightMask(int width, int height, const DateTime& dateUtc);

// Gives every 32-bit ARGB pixel the mask's alpha for the UTC time of day, keeping its colour.
// stride is the distance between rows in pixels and may be negative for bottom-up bitmaps. Does
// nothing unless the mask holds exactly width x height bytes.
void ApplyDayNightMask(const std::vector<uint8_t>& mask, uint32_t* pixels, int width, int height,
                       std::ptrdiff_t stride, TimeSpan timeOfDayUtc);
