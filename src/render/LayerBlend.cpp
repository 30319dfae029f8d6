#include "render/LayerBlend.h"

namespace {
// x / 255 rounded, exact for every product of two bytes.
inline uint32_t DivideBy255(uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

void BlendRow(const uint32_t* under, const uint32_t* over, uint32_t* out, int width) {
    for (int j = 0; j < width; ++j) {
        const uint32_t o = over[j];
        const uint32_t u = under[j];
        const uint32_t keep = 255 - (o >> 24);
        const uint32_t r = ((o >> 16) & 0xFF) + DivideBy255(((u >> 16) & 0xFF) * keep);
        const uint32_t g = ((o >> 8) & 0xFF) + DivideBy255(((u >> 8) & 0xFF) * keep);
        const uint32_t b = (o & 0xFF) + DivideBy255((u & 0xFF) * keep);
        // A premultiplied channel never exceeds its alpha, so the sums stay within a byte.
        out[j] = 0xFF000000u | (r > 255 ? 255 : r) << 16 | (g > 255 ? 255 : g) << 8 | (b > 255 ? 255 : b);
    }
}
} // namespace

void BlendPremultipliedOver(const uint32_t* under, std::ptrdiff_t underStride, const uint32_t* over,
                            std::ptrdiff_t overStride, uint32_t* out, std::ptrdiff_t outStride, int width,
                            int height) {
    if (under == nullptr || over == nullptr || out == nullptr || width <= 0 || height <= 0) {
        return;
    }
    for (int i = 0; i < height; ++i) {
        BlendRow(under + i * underStride, over + i * overStride, out + i * outStride, width);
    }
}
