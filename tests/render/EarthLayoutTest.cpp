#include "render/EarthLayout.h"

#include <gtest/gtest.h>

namespace {
const EarthRegion& Region(const wchar_t* name) {
    for (const EarthRegion& region : GetAllRegions()) {
        if (region.Name == name) {
            return region;
        }
    }
    throw std::logic_error("no such region");
}
} // namespace

TEST(EarthLayout, EveryRegionMapsItsCornersOntoThePictureCorners) {
    const PixelRect picture{10, 20, 1920, 1080};
    for (const EarthRegion& region : GetAllRegions()) {
        SCOPED_TRACE(std::string(region.Name.begin(), region.Name.end()));
        EXPECT_EQ((PixelPoint{10, 20}), ProjectToPicture(region, region.West, region.North, picture));
        EXPECT_EQ((PixelPoint{1930, 1100}), ProjectToPicture(region, region.East, region.South, picture));
        const PixelPoint centre = ProjectToPicture(region, (region.West + region.East) / 2.0,
                                                   (region.North + region.South) / 2.0, picture);
        EXPECT_EQ((PixelPoint{10 + 960, 20 + 540}), centre);
    }
}

TEST(EarthLayout, PlacesLandWhereTheRegionPutsThem) {
    const PixelRect picture{0, 0, 3100, 1700}; // 10 pixels a degree on "Earth (Default)"
    // Greenwich on the equator: 145 degrees east of the left edge, 90 below the top.
    EXPECT_EQ((PixelPoint{1450, 900}), ProjectToPicture(Region(L"Earth (Default)"), 0, 0, picture));
    // Truncated, not rounded; west of the left edge lies outside the picture.
    EXPECT_EQ((PixelPoint{1450, 899}), ProjectToPicture(Region(L"Earth (Default)"), 0.09, 0.01, picture));
    EXPECT_LT(ProjectToPicture(Region(L"Earth (Default)"), -150, 0, picture).X, 0);
    // Paris in Europe (63 x 47 degrees onto 630 x 470).
    EXPECT_EQ((PixelPoint{154, 262}), ProjectToPicture(Region(L"Europe"), 2.45, 48.733, {0, 0, 630, 470}));
    // Sydney near Australia's lower right.
    EXPECT_EQ((PixelPoint{571, 429}),
              ProjectToPicture(Region(L"Australia"), 151.183, -33.95, {0, 0, 860, 680}));
}

TEST(EarthLayout, RegionSourceRectanglesInAWorldImage) {
    EXPECT_EQ((PixelRect{0, 0, 4096, 2048}), RegionSourceRect(Region(L"Earth (Complete)"), 4096, 2048));
    // 35 degrees off the left, 15 off the right, 10 off the bottom; corners rounded.
    EXPECT_EQ((PixelRect{398, 0, 3527, 1934}), RegionSourceRect(Region(L"Earth (Default)"), 4096, 2048));
    EXPECT_EQ((PixelRect{1900, 171, 717, 534}), RegionSourceRect(Region(L"Europe"), 4096, 2048));
    EXPECT_EQ((PixelRect{0, 0, 0, 0}), RegionSourceRect(Region(L"Africa"), 0, 0));
}

TEST(EarthLayout, IconCentredAndScaled) {
    EXPECT_EQ((PixelRect{68, 168, 64, 64}), MarkerIconAt({100, 200}, true, 64, 64, 100).Rect);
    // 70 % of 64 is 44.8, truncated; the halves are whole pixels.
    const MarkerIcon scaled = MarkerIconAt({100, 200}, true, 64, 48, 70);
    EXPECT_EQ((PixelRect{78, 184, 44, 33}), scaled.Rect);
    EXPECT_DOUBLE_EQ(0.7, scaled.Scale);
    // No icon: a 1 x 1 anchor at the pixel, at scale 1.
    const MarkerIcon none = MarkerIconAt({100, 200}, false, 64, 64, 70);
    EXPECT_EQ((PixelRect{100, 200, 1, 1}), none.Rect);
    EXPECT_DOUBLE_EQ(1.0, none.Scale);
}

TEST(EarthLayout, TextLineCoversTheIconsLowerQuarterAtMost) {
    const MarkerIcon icon = MarkerIconAt({100, 200}, true, 64, 64, 100);
    const int iconBottom = icon.Rect.Y + icon.Rect.Height;
    // Texts taller than a quarter of the icon start 16 pixels above its bottom edge.
    MarkerTextLine line = MarkerTextLineAt({100, 200}, icon, {40, 20}, {20, 24});
    EXPECT_FLOAT_EQ(iconBottom - 16.0f, line.Name.Y);
    EXPECT_FLOAT_EQ(24, line.Name.Height);
    EXPECT_FLOAT_EQ(line.Name.Y, line.Temperature.Y);
    // Shorter texts start higher by less: their own height above the bottom edge.
    line = MarkerTextLineAt({100, 200}, icon, {40, 10}, {20, 12});
    EXPECT_FLOAT_EQ(iconBottom - 12.0f, line.Name.Y);

    // One line centred on the city: the name ends where the temperature begins.
    const float total = 60;
    EXPECT_FLOAT_EQ(100 - total / 2 + 40, line.Name.X + line.Name.Width);
    EXPECT_FLOAT_EQ(100 - total / 2 + 40, line.Temperature.X);
    EXPECT_EQ(BoxAlign::Far, line.Name.Horizontal);
    EXPECT_EQ(BoxAlign::Near, line.Temperature.Horizontal);
    EXPECT_EQ(BoxAlign::Center, line.Name.Vertical);
    EXPECT_EQ(BoxAlign::Center, line.Temperature.Vertical);

    // At 70 % the quarter is of the icon as drawn (44 pixels: 11).
    const MarkerIcon small = MarkerIconAt({100, 200}, true, 64, 64, 70);
    line = MarkerTextLineAt({100, 200}, small, {40, 20}, {20, 24});
    EXPECT_FLOAT_EQ(200 + 22 - 11.0f, line.Name.Y);
}

TEST(EarthLayout, LoneTextAndStaleName) {
    const MarkerIcon icon = MarkerIconAt({100, 200}, true, 64, 64, 100);
    EXPECT_EQ((TextBox{-400, 216, 1000, 1000, BoxAlign::Center, BoxAlign::Near}),
              LoneMarkerTextAt({100, 200}, icon));
    // Without an icon the quarter of 1 pixel is 0: the text starts at the city.
    EXPECT_EQ(200, LoneMarkerTextAt({100, 200}, MarkerIconAt({100, 200}, false, 0, 0, 70)).Y);
    EXPECT_EQ((TextBox{-400, 200, 1000, 1000, BoxAlign::Center, BoxAlign::Near}),
              StaleCityNameAt({100, 200}));
}
