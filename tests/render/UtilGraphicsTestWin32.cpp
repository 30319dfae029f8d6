#include "PictureTestSupportWin32.h"
#include "render/UtilGraphicsWin32.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {
Nullable<EnumWeatherCode> Code(EnumWeatherCode code) {
    return Nullable<EnumWeatherCode>(code);
}

// Every test leaves no image behind: GDI+ shuts down after the last one.
class UtilGraphicsTest : public testing::Test {
protected:
    void TearDown() override { UtilGraphics::ReleaseImages(); }
};
} // namespace

TEST_F(UtilGraphicsTest, MissingPicturesNeverStopLoadingAndDrawNothing) {
    TempFolder folder;
    const std::wstring empty = folder.Path().wstring() + L"\\";
    ASSERT_NO_THROW(UtilGraphics::LoadImages({empty, empty, empty, empty + L"LocalWeatherBackground.png"}));
    EXPECT_FALSE(UtilGraphics::Sky().HasImage());
    EXPECT_FALSE(UtilGraphics::NightImage().HasImage());
    EXPECT_FALSE(UtilGraphics::LocalWeatherShadow().HasImage());
    // A code still has its list entry, an image that draws nothing.
    const auto icon = UtilGraphics::LargeWeatherIcon(Code(EnumWeatherCode::Rain), true);
    ASSERT_NE(nullptr, icon);
    EXPECT_FALSE(icon->HasImage());
    ASSERT_NE(nullptr, UtilGraphics::SmallWeatherIcon(false, Code(EnumWeatherCode::Rain)));
    EXPECT_FALSE(UtilGraphics::NoDataIcon()->HasImage());
}

TEST_F(UtilGraphicsTest, IconsFollowTheDayAndNightTables) {
    UtilGraphics::LoadImages(InstalledImages());
    EXPECT_TRUE(UtilGraphics::Sky().HasImage());
    EXPECT_TRUE(UtilGraphics::NightImage().HasImage());

    // No code, or one outside the lists: no image at all.
    EXPECT_EQ(nullptr, UtilGraphics::LargeWeatherIcon(Nullable<EnumWeatherCode>(), true));
    EXPECT_EQ(nullptr, UtilGraphics::SmallWeatherIcon(true, Nullable<EnumWeatherCode>()));
    EXPECT_EQ(nullptr, UtilGraphics::SmallWeatherIcon(false, Code(static_cast<EnumWeatherCode>(19))));
    EXPECT_EQ(nullptr, UtilGraphics::LargeWeatherIcon(Code(static_cast<EnumWeatherCode>(-1)), false));

    // Hot shows the day's clear sky by night too; Fair has a night picture of its own.
    EXPECT_EQ(UtilGraphics::SmallWeatherIcon(true, Code(EnumWeatherCode::Clear)),
              UtilGraphics::SmallWeatherIcon(false, Code(EnumWeatherCode::Hot)));
    EXPECT_NE(UtilGraphics::SmallWeatherIcon(true, Code(EnumWeatherCode::Fair)),
              UtilGraphics::SmallWeatherIcon(false, Code(EnumWeatherCode::Fair)));
    EXPECT_EQ(UtilGraphics::LargeWeatherIcon(Code(EnumWeatherCode::Clear), true),
              UtilGraphics::LargeWeatherIcon(Code(EnumWeatherCode::Hot), false));
    for (int code = 0; code < WeatherCodeCount; ++code) {
        for (const bool daytime : {true, false}) {
            const auto small =
                UtilGraphics::SmallWeatherIcon(daytime, Code(static_cast<EnumWeatherCode>(code)));
            ASSERT_NE(nullptr, small);
            EXPECT_TRUE(small->HasImage()) << code << " " << daytime;
        }
    }
    EXPECT_TRUE(UtilGraphics::LargeWeatherIcon(Code(EnumWeatherCode::Tornado), false)->HasImage());
    EXPECT_TRUE(UtilGraphics::NoDataIcon()->HasImage());
}

// Only a few large pictures stay decoded, but one that is held stays whole.
TEST_F(UtilGraphicsTest, AHeldLargeIconOutlivesTheCache) {
    UtilGraphics::LoadImages(InstalledImages());
    const auto rain = UtilGraphics::LargeWeatherIcon(Code(EnumWeatherCode::Rain), true);
    const int width = rain->Width();
    ASSERT_GT(width, 0);
    for (const auto code : {EnumWeatherCode::Snow, EnumWeatherCode::Fog, EnumWeatherCode::Hail}) {
        EXPECT_TRUE(UtilGraphics::LargeWeatherIcon(Code(code), true)->HasImage());
    }
    EXPECT_EQ(width, rain->Width());
}

TEST_F(UtilGraphicsTest, ShadowIsBlackWithThePanelsAlpha) {
    UtilGraphics::LoadImages(InstalledImages());
    const CBitmap& shadow = UtilGraphics::LocalWeatherShadow();
    const CBitmap panel = CBitmap::FromFile(InstalledImages().LocalWeatherBackground);
    ASSERT_TRUE(shadow.HasImage());
    ASSERT_EQ(panel.Width(), shadow.Width());
    ASSERT_EQ(panel.Height(), shadow.Height());
    int translucent = 0;
    for (int y = 0; y < shadow.Height(); y += 3) {
        for (int x = 0; x < shadow.Width(); x += 3) {
            const uint32_t pixel = shadow.Pixel(x, y);
            const uint32_t source = panel.Pixel(x, y);
            EXPECT_NEAR(source >> 24, pixel >> 24, 1) << x << "," << y;
            EXPECT_EQ(0u, pixel & 0xFFFFFF) << x << "," << y;
            translucent += (pixel >> 24) > 0 && (pixel >> 24) < 255;
        }
    }
    EXPECT_GT(translucent, 0);
}

TEST_F(UtilGraphicsTest, ReleasingLeavesNoObjectBehind) {
    const int before = LiveGraphicsObjects();
    UtilGraphics::LoadImages(InstalledImages());
    UtilGraphics::LargeWeatherIcon(Code(EnumWeatherCode::Cloudy), true);
    EXPECT_GT(LiveGraphicsObjects(), before + 20);
    UtilGraphics::ReleaseImages();
    EXPECT_EQ(before, LiveGraphicsObjects());
    EXPECT_FALSE(UtilGraphics::Sky().HasImage());
    EXPECT_EQ(nullptr, UtilGraphics::SmallWeatherIcon(true, Code(EnumWeatherCode::Clear)));
}

TEST(UtilGraphicsEncoder, BmpEncoderWritesBitmapFiles) {
    TempFolder folder;
    CBitmap bitmap(5, 3, PixelKind::Rgb24);
    ASSERT_TRUE(bitmap.Save(folder.File(L"E0.bmp"), UtilGraphics::GetEncoderBmp()));
    EXPECT_EQ("BM", folder.Read(L"E0.bmp").substr(0, 2));
    const CBitmap read = CBitmap::FromFile(folder.File(L"E0.bmp"));
    EXPECT_EQ(5, read.Width());
    EXPECT_EQ(3, read.Height());
}
