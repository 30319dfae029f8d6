#include "render/LayerBlend.h"

#include <gtest/gtest.h>
#include <vector>

TEST(LayerBlend, NightOverDayByItsAlpha) {
    const std::vector<uint32_t> day{0xFF2080F0u, 0xFF2080F0u, 0xFF2080F0u, 0xFFFFFFFFu};
    // Transparent, opaque, half and nearly transparent.
    const std::vector<uint32_t> night{0x00FFFFFFu, 0xFF101020u, 0x80000080u, 0x01000000u};
    std::vector<uint32_t> out(4);
    BlendOver(day.data(), 4, night.data(), 4, out.data(), 4, 4, 1);
    EXPECT_EQ(0xFF2080F0u, out[0]);
    EXPECT_EQ(0xFF101020u, out[1]);
    // 0x20 x 127 / 255 = 15.9; 0x80 x 127 / 255 = 63.7; (0x80 x 128 + 0xF0 x 127) / 255 = 183.8.
    EXPECT_EQ(0xFF1040B8u, out[2]);
    EXPECT_EQ(0xFFFEFEFEu, out[3]);

    // Every alpha over every under value: the rounded quotient.
    for (uint32_t a = 0; a < 256; ++a) {
        for (uint32_t u = 0; u < 256; u += 3) {
            const uint32_t c = 255 - a / 2;
            const uint32_t pixel[1] = {a << 24 | c};
            const uint32_t under[1] = {0xFF000000u | u};
            uint32_t result[1];
            BlendOver(under, 1, pixel, 1, result, 1, 1, 1);
            const uint32_t exact = (c * a + u * (255 - a) + 127) / 255;
            EXPECT_EQ(exact, result[0] & 0xFF) << a << " " << u;
        }
    }
}

TEST(LayerBlend, BottomUpRowsAndInPlace) {
    // Two rows stored bottom-up: the row pointers start at the last stored row.
    std::vector<uint32_t> day{0xFF000000u, 0xFFFFFFFFu};
    const std::vector<uint32_t> night{0xFF0000FFu, 0x00000000u};
    BlendOver(day.data() + 1, -1, night.data(), 1, day.data() + 1, -1, 1, 2);
    EXPECT_EQ(0xFF0000FFu, day[1]);
    EXPECT_EQ(0xFF000000u, day[0]);
}
