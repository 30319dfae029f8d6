#include "render/LayerBlend.h"

namespace {
// x / 255 rounded, exact for every sum of two byte products that stays below 65536.
inline uint32_t DivideBy255(uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

inline uint32_t Channel(uint32_t over, uint32_t under, int shift, uint32_t alpha) {
    return DivideBy255(((over >> shift) & 0xFF) * alpha + ((under >> shift) & 0xFF) * (255 - alpha));
}

void BlendRow(const uint32_t* under, const uint32_t* over, uint32_t* out, int width) {
    for (int j = 0; j < width; ++j) {
        const uint32_t o = over[j];
        const uint32_t u = under[j];
        const uint32_t alpha = o >> 24;
        out[j] = 0xFF000000u | Channel(o, u, 16, alpha) << 16 | Channel(o, u, 8, alpha) << 8 |
                 Channel(o, u, 0, alpha);
    }
}
} // namespace

void BlendOver(const uint32_t* under, std::ptrdiff_t underStride, const uint32_t* over,
               std::ptrdiff_t overStride, uint32_t* out, std::ptrdiff_t outStride, int width, int height) {
    if (under == nullptr || over == nullptr || out == nullptr || width <= 0 || height <= 0) {
        return;
    }
    for (int i = 0; i < height; ++i) {
        BlendRow(under + i * underStride, over + i * overStride, out + i * outStride, width);
    }
}
