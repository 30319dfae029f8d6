#include "render/PictureLayout.h"

#include <gtest/gtest.h>

// The large icon in the work area: whichever side runs out first decides, and the icon is
// centred along the other.
TEST(PictureLayout, IconFillsTheWorkAreaByHeightOrByWidth) {
    // A landscape work area above a 40-pixel task bar: the height decides.
    EXPECT_EQ((PictureRect{440, 0, 1040, 1040}), FitImage(256, 256, {0, 0, 1920, 1040}));
    // A portrait monitor: the width decides.
    EXPECT_EQ((PictureRect{0, 200, 800, 800}), FitImage(2048, 2048, {0, 0, 800, 1200}));
    // A wide icon in a square area, and an area that does not start at the origin.
    EXPECT_EQ((PictureRect{100, 275, 500, 250}), FitImage(400, 200, {100, 150, 500, 500}));
    EXPECT_EQ((PictureRect{1920 + 440, 30, 1040, 1040}), FitImage(256, 256, {1920, 30, 1920, 1040}));
    // A picture that failed to load draws nothing rather than dividing by zero.
    const PictureRect none = FitImage(0, 0, {10, 20, 1920, 1040});
    EXPECT_EQ(0, none.Width);
    EXPECT_EQ(0, none.Height);
}

// The name hangs under the temperature, its right edge on the last digit's; the temperature's
// box is placed in the picture itself, whatever the work area's origin.
TEST(PictureLayout, NameSitsUnderTheLastDigit) {
    const PictureRect work{1920, 0, 1920, 1040};
    EXPECT_EQ((PictureRect{-10, 10, 1920, 1040}), TemperatureBox(work));

    const PictureRect digits{1800.5f, 12, 60, 31};
    const PictureRect name = NameBox(digits);
    EXPECT_FLOAT_EQ(digits.X + digits.Width, name.X + name.Width);
    EXPECT_FLOAT_EQ(digits.Y + digits.Height - 5, name.Y);
    // Wide and tall enough for any name laid out to its left and below.
    EXPECT_GE(name.Width, 5000);
    EXPECT_GE(name.Height, 5000);
}

TEST(PictureLayout, WorkAreaMovesWithTheVirtualScreenOrigin) {
    // One monitor: the picture's and the desktop's coordinates agree.
    EXPECT_EQ((PixelRect{0, 0, 1920, 1040}), WorkAreaInPicture({0, 0, 1920, 1040}, 0, 0));
    // A second monitor left of the primary and higher: the primary's work area is shifted
    // right and down in the picture of both.
    EXPECT_EQ((PixelRect{2560, 120, 1920, 1040}), WorkAreaInPicture({0, 0, 1920, 1040}, -2560, -120));
    // A task bar at the top of the primary, the other monitor on the right.
    EXPECT_EQ((PixelRect{0, 48, 1920, 1032}), WorkAreaInPicture({0, 48, 1920, 1032}, 0, 0));
}
