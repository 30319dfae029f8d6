#include "render/LayerBlend.h"

#include <gtest/gtest.h>
#include <vector>

TEST(LayerBlend, NightOverDayByItsAlpha) {
    const std::vector<uint32_t> day{0xFF2080F0u, 0xFF2080F0u, 0xFF2080F0u, 0xFFFFFFFFu};
    // Transparent, opaque, half (premultiplied 0x40 of 0x80 blue) and a near-transparent dark.
    const std::vector<uint32_t> night{0x00000000u, 0xFF101020u, 0x80000040u, 0x01000000u};
    std::vector<uint32_t> out(4);
    BlendPremultipliedOver(day.data(), 4, night.data(), 4, out.data(), 4, 4, 1);
    EXPECT_EQ(0xFF2080F0u, out[0]);
    EXPECT_EQ(0xFF101020u, out[1]);
    EXPECT_EQ(0xFF1040B8u, out[2]);
    EXPECT_EQ(0xFFFEFEFEu, out[3]);

    // Every byte pair: the rounded quotient, within a byte.
    for (uint32_t a = 0; a < 256; a += 5) {
        for (uint32_t u = 0; u < 256; u += 3) {
            const uint32_t c = a / 2;
            const uint32_t pixel[1] = {a << 24 | c};
            const uint32_t under[1] = {0xFF000000u | u};
            uint32_t result[1];
            BlendPremultipliedOver(under, 1, pixel, 1, result, 1, 1, 1);
            EXPECT_EQ(c + (u * (255 - a) + 127) / 255, result[0] & 0xFF) << a << " " << u;
        }
    }
}

TEST(LayerBlend, BottomUpRowsAndInPlace) {
    // Two rows stored bottom-up: the row pointers start at the last stored row.
    std::vector<uint32_t> day{0xFF000000u, 0xFFFFFFFFu};
    const std::vector<uint32_t> night{0xFF0000FFu, 0x00000000u};
    BlendPremultipliedOver(day.data() + 1, -1, night.data(), 1, day.data() + 1, -1, 1, 2);
    EXPECT_EQ(0xFF0000FFu, day[1]);
    EXPECT_EQ(0xFF000000u, day[0]);
}
