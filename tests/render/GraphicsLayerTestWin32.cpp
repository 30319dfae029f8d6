#include "render/GraphicsWin32.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {
constexpr uint32_t Red = 0xFFFF0000;
constexpr uint32_t Blue = 0xFF0000FF;
} // namespace

// A picture that is not there gives an owner without an image: it says why, draws nothing, and
// the surface it was drawn on keeps the failure and goes on drawing.
TEST(GraphicsLayer, MissingPictureDrawsNothingAndKeepsItsStatus) {
    TempFolder folder;
    const CBitmap missing = CBitmap::FromFile(folder.File(L"None.png"));
    EXPECT_FALSE(missing.HasImage());
    EXPECT_NE(0, missing.LastStatus());
    EXPECT_EQ(0, missing.Width());

    folder.Write(L"Broken.png", "not a picture");
    EXPECT_FALSE(CBitmap::FromFile(folder.File(L"Broken.png")).HasImage());

    CBitmap canvas(8, 8, PixelKind::Argb32);
    {
        CGraphics graphics(canvas);
        graphics.Clear(Red);
        EXPECT_EQ(0, graphics.LastStatus());
        graphics.DrawImage(missing, PixelRect{0, 0, 8, 8});
        EXPECT_NE(0, graphics.LastStatus());
        // The failure stays while later calls succeed.
        graphics.Clear(Blue);
        EXPECT_NE(0, graphics.LastStatus());
    }
    EXPECT_EQ(Blue, canvas.Pixel(4, 4));
}

// The benchmarks' leak check rests on this count.
TEST(GraphicsLayer, LiveObjectsAreCountedUntilTheirOwnersGo) {
    const int before = LiveGraphicsObjects();
    {
        CBitmap bitmap(4, 4, PixelKind::Rgb24);
        CGraphics graphics(bitmap);
        CFont font(L"Arial", 9, FontValue::Bold);
        const CFont copy(font);
        CBrush brush(0xFFFFFFFF);
        CStringFormat format;
        CImageAttributes attributes;
        EXPECT_EQ(before + 7, LiveGraphicsObjects());
        CBitmap moved(std::move(bitmap));
        EXPECT_EQ(before + 7, LiveGraphicsObjects());
        EXPECT_FALSE(bitmap.HasImage());
    }
    EXPECT_EQ(before, LiveGraphicsObjects());
}

TEST(GraphicsLayer, FontOfAMissingFamilyFallsBackToSansSerifWithItsSizeAndStyle) {
    const CFont font(L"No Such Family Anywhere", 20, FontValue::Bold);
    EXPECT_EQ(0, font.LastStatus());
    EXPECT_FLOAT_EQ(20, font.Size());
    EXPECT_EQ(FontValue::Bold, font.Style());
    EXPECT_FALSE(font.FamilyName().empty());
    EXPECT_NE(L"No Such Family Anywhere", font.FamilyName());

    // A settings font keeps its size and style (Wine answers "Arial" with its substitute).
    const CFont arial(FontValue{L"Arial", 9, FontValue::Italic});
    EXPECT_EQ(0, arial.LastStatus());
    EXPECT_FLOAT_EQ(9, arial.Size());
    EXPECT_EQ(FontValue::Italic, arial.Style());
}

// Measuring a part of a text leaves the caller's format as it was, and the part's box lies
// inside the whole's.
TEST(GraphicsLayer, MeasuredCharactersLieInsideTheText) {
    CBitmap canvas(400, 100, PixelKind::Argb32);
    CGraphics graphics(canvas);
    graphics.SetPixelUnit();
    const CFont font(L"Arial", 20, FontValue::Bold);
    CStringFormat format;
    format.SetAlign(TextAlign::Far);
    const PictureRect box{0, 0, 400, 100};
    const PictureRect whole = graphics.MeasureCharacters(L"72\u00B0", 0, 3, font, box, format);
    const PictureRect digits = graphics.MeasureCharacters(L"72\u00B0", 0, 2, font, box, format);
    EXPECT_GT(digits.Width, 0);
    EXPECT_LT(digits.Width, whole.Width);
    EXPECT_FLOAT_EQ(whole.X, digits.X);
    // Right-aligned: the whole text ends at the box's right edge.
    EXPECT_NEAR(400, whole.X + whole.Width, 8);
    EXPECT_EQ(0, graphics.MeasureCharacters(L"72", 0, 0, font, box, format).Width);
    EXPECT_EQ(0, graphics.MeasureCharacters(L"72", 1, 5, font, box, format).Width);
}

TEST(GraphicsLayer, PixelsWrittenThroughTheLockAreInTheBitmap) {
    CBitmap bitmap(3, 2, PixelKind::Argb32);
    {
        CBitmapPixels pixels(bitmap, PixelKind::Argb32);
        ASSERT_TRUE(pixels.IsLocked());
        EXPECT_EQ(3, pixels.Width());
        EXPECT_GE(pixels.Stride(), 12);
        reinterpret_cast<uint32_t*>(pixels.Row(1))[2] = Red;
    }
    EXPECT_EQ(Red, bitmap.Pixel(2, 1));
    EXPECT_EQ(0u, bitmap.Pixel(0, 0));

    CBitmap none;
    EXPECT_FALSE(CBitmapPixels(none, PixelKind::Argb32).IsLocked());
}
