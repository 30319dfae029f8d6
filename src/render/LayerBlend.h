#pragma once
#include <cstddef>
#include <cstdint>

// Lays a 32-bit ARGB layer (straight alpha) over an opaque 32-bit layer of the same size,
// writing opaque pixels: each channel becomes (over x alpha + under x (255 - alpha)) / 255,
// rounded. Strides are in pixels and may be negative for bottom-up bitmaps; out may be under.
void BlendOver(const uint32_t* under, std::ptrdiff_t underStride, const uint32_t* over,
               std::ptrdiff_t overStride, uint32_t* out, std::ptrdiff_t outStride, int width, int height);
