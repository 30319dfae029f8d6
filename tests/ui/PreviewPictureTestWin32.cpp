#include "data/Options.h"
#include "render/UtilGraphicsWin32.h"
#include "ui/PreviewPictureWin32.h"

#include <gtest/gtest.h>

namespace {
const std::wstring Installation = L"" ORBIMETEO_INSTALL_DIR;

// Under Wine a child window of another process is not shown on the screen, so the preview's
// pixels are checked here, drawn by its own code, rather than through its window.
class PreviewPictureTest : public testing::Test {
protected:
    PreviewPictureTest() {
        UtilGraphics::LoadImages({Installation + L"LargeWeatherIcons/", Installation + L"SmallWeatherIcons/",
                                  Installation + L"EarthNight/",
                                  Installation + L"UI/LocalWeatherBackground.png"});
    }
    ~PreviewPictureTest() override { UtilGraphics::ReleaseImages(); }

    CBitmap Draw(bool globeGlow, COptions& options) {
        CBitmap picture(Width, Height, PixelKind::Argb32);
        CGraphics graphics(picture);
        graphics.SetPixelUnit();
        DrawPreviewPicture(graphics, RECT{0, 0, Width, Height}, globeGlow, options);
        return picture;
    }

    static constexpr int Width = 152;
    static constexpr int Height = 112;
};

TEST_F(PreviewPictureTest, CloudPaneShowsTheSkyWithTheFairIconInTheMiddle) {
    OptionsSite site;
    COptions options(OptionsEdition::CloudPane, site);
    const CBitmap picture = Draw(false, options);
    const uint32_t corner = picture.Pixel(1, 1);
    EXPECT_EQ(0xFF000000u, corner & 0xFF000000u) << "the sky covers the whole preview";
    EXPECT_EQ(0xFF000000u, picture.Pixel(Width - 2, Height - 2) & 0xFF000000u);
    int iconPixels = 0;
    for (int y = Height / 4; y < Height * 3 / 4; ++y) {
        for (int x = Width / 4; x < Width * 3 / 4; ++x) {
            iconPixels += picture.Pixel(x, y) != picture.Pixel(x, 1) ? 1 : 0;
        }
    }
    EXPECT_GT(iconPixels, Width * Height / 40) << "no icon over the sky";
}

TEST_F(PreviewPictureTest, GlobeGlowShowsTheSelectedDayImage) {
    OptionsSite site;
    site.EarthFolder = Installation + L"Earth/";
    COptions options(OptionsEdition::GlobeGlow, site);
    const CBitmap picture = Draw(true, options);
    int opaque = 0;
    for (int y = 0; y < Height; y += 4) {
        for (int x = 0; x < Width; x += 4) {
            opaque += (picture.Pixel(x, y) >> 24) == 0xFF ? 1 : 0;
        }
    }
    EXPECT_EQ((Width / 4) * (Height / 4), opaque) << "the day image covers the whole preview";
}
} // namespace
