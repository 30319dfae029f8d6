#include "ui/LocalWeatherLayout.h"

#include "weather/Forecast.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace LocalWeatherLayout;

namespace {
CForecastItem PeriodStarting(int hour) {
    CForecastItem item;
    item.Start = DateTime(2024, 6, 21, hour, 0);
    return item;
}

Large LayoutOf(int periods, bool firstIsDay, RowHeights rows = {}) {
    return LargeLayout(Forecast{ColumnCount(periods, firstIsDay), firstIsDay, rows.Day, rows.Night});
}
} // namespace

TEST(LocalWeatherSizes, FixedModes) {
    EXPECT_EQ((Size{290, 73}), NoHomeCitySize());
    EXPECT_EQ((Size{210, 160}), IconOnlySize());
    EXPECT_EQ((Size{290, 160}), SmallSize());
}

TEST(LocalWeatherSizes, LargeWithoutForecastIsTheSmallWindow) {
    const Large layout = LargeLayout(Forecast{});
    EXPECT_EQ(SmallSize(), layout.Bitmap);
    EXPECT_EQ((PictureRect{0, 75, 290, 73}), layout.Panel);
    EXPECT_EQ(270, layout.ContentWidth);
    EXPECT_EQ(53, layout.ContentHeight);
    EXPECT_EQ(0, ColumnCount(0, true));
    EXPECT_EQ(0, ColumnCount(0, false));
}

TEST(LocalWeatherSizes, FourteenPeriods) {
    const Large byDay = LayoutOf(14, true);
    EXPECT_EQ(7, ColumnCount(14, true));
    EXPECT_EQ(501, byDay.ContentWidth);
    EXPECT_EQ(521, byDay.Panel.Width);
    EXPECT_EQ(521, byDay.Bitmap.Width);
    // 5-pixel rows: 5 + 5 + 155 high, the panel 20 more from y 75.
    EXPECT_EQ(165, byDay.ContentHeight);
    EXPECT_EQ(185, byDay.Panel.Height);
    EXPECT_EQ(260, byDay.Bitmap.Height);

    const Large byNight = LayoutOf(14, false);
    EXPECT_EQ(8, ColumnCount(14, false));
    EXPECT_EQ(569, byNight.ContentWidth);
    EXPECT_EQ(589, byNight.Bitmap.Width);
}

TEST(LocalWeatherSizes, FewColumnsKeepTheMinimumWidth) {
    EXPECT_EQ(295, LayoutOf(1, true).ContentWidth);
    EXPECT_EQ(295, LayoutOf(5, true).ContentWidth);
    // Fractions of the measured rows are dropped.
    EXPECT_EQ(12 + 40 + 155, LayoutOf(2, true, {12.9f, 40.2f}).ContentHeight);
}

TEST(LocalWeatherColumns, StartingByDay) {
    EXPECT_EQ(3, ColumnCount(5, true));
    const ColumnItems first = ItemsOfColumn(0, 5, true);
    EXPECT_EQ(0, first.Day);
    EXPECT_EQ(1, first.Night);
    const ColumnItems last = ItemsOfColumn(2, 5, true);
    EXPECT_EQ(4, last.Day);
    EXPECT_EQ(-1, last.Night);
}

TEST(LocalWeatherColumns, StartingByNight) {
    EXPECT_EQ(8, ColumnCount(14, false));
    const ColumnItems first = ItemsOfColumn(0, 14, false);
    EXPECT_EQ(-1, first.Day);
    EXPECT_EQ(0, first.Night);
    const ColumnItems second = ItemsOfColumn(1, 14, false);
    EXPECT_EQ(1, second.Day);
    EXPECT_EQ(2, second.Night);
    const ColumnItems last = ItemsOfColumn(7, 14, false);
    EXPECT_EQ(13, last.Day);
    EXPECT_EQ(-1, last.Night);
    // A lone night period is one column.
    EXPECT_EQ(1, ColumnCount(1, false));
    EXPECT_EQ(0, ItemsOfColumn(0, 1, false).Night);
}

TEST(LocalWeatherColumns, DayPeriodsStartBeforeNoon) {
    EXPECT_TRUE(IsDayPeriod(PeriodStarting(0)));
    EXPECT_TRUE(IsDayPeriod(PeriodStarting(6)));
    EXPECT_TRUE(IsDayPeriod(PeriodStarting(11)));
    EXPECT_FALSE(IsDayPeriod(PeriodStarting(12)));
    EXPECT_FALSE(IsDayPeriod(PeriodStarting(18)));
}

TEST(LocalWeatherRows, HeightsOfTheSummaries) {
    // Without summaries both rows are 5 high.
    const RowHeights none = SummaryRowHeights({0, 0, 0}, true);
    EXPECT_EQ(5, none.Day);
    EXPECT_EQ(5, none.Night);
    EXPECT_EQ(5, SummaryRowHeights({}, false).Day);

    // Even positions are the day row when the forecast starts by day, the night row otherwise.
    const RowHeights byDay = SummaryRowHeights({30, 14, 45, 2}, true);
    EXPECT_EQ(45, byDay.Day);
    EXPECT_EQ(14, byDay.Night);
    const RowHeights byNight = SummaryRowHeights({30, 14, 45, 2}, false);
    EXPECT_EQ(14, byNight.Day);
    EXPECT_EQ(45, byNight.Night);

    // A summary of many lines is cut at 100; a failed measurement raises nothing.
    const RowHeights tall = SummaryRowHeights({350, std::nanf(""), 99}, true);
    EXPECT_EQ(100, tall.Day);
    EXPECT_EQ(5, tall.Night);
}

TEST(LocalWeatherBoxes, ColumnsAndLabels) {
    EXPECT_EQ(30, ColumnLeft(0));
    EXPECT_EQ(30 + 68 * 6, ColumnLeft(6));
    EXPECT_EQ((PictureRect{10, 170, 20, 42}), DayLabelBox(12));
    EXPECT_EQ((PictureRect{10, 212, 20, 50}), NightLabelBox(12, 20));
}

TEST(LocalWeatherPosition, RedrawKeepsPartOfTheWindowOnTheScreen) {
    const Point origin{0, 0};
    const Size large{521, 260};
    // On the screen nothing moves, even over the right or bottom edge.
    EXPECT_EQ((Point{40, 50}), PositionOnRedraw({40, 50}, large, Mode::Large, origin, 1));
    EXPECT_EQ((Point{3000, 50}), PositionOnRedraw({3000, 50}, large, Mode::Large, origin, 1));
    // Partly off the left with enough visible: unchanged.
    EXPECT_EQ((Point{-300, 50}), PositionOnRedraw({-300, 50}, large, Mode::Large, origin, 1));
    // Too far off the left or top: 100 pixels stay visible.
    EXPECT_EQ((Point{100 - 521, 50}), PositionOnRedraw({-500, 50}, large, Mode::Large, origin, 1));
    EXPECT_EQ((Point{40, 100 - 260}), PositionOnRedraw({40, -250}, large, Mode::Large, origin, 1));
    EXPECT_EQ((Point{100 - 210, 80 - 160}),
              PositionOnRedraw({-200, -150}, {210, 160}, Mode::IconOnly, origin, 1));
    // At 150 % the visible part is 150 pixels.
    EXPECT_EQ((Point{150 - 781, 50}), PositionOnRedraw({-700, 50}, {781, 390}, Mode::Small, origin, 1.5));
}

TEST(LocalWeatherPosition, AMonitorLeftOfThePrimaryIsScreen) {
    const Point origin{-1920, -200};
    EXPECT_EQ((Point{-1500, -100}), PositionOnRedraw({-1500, -100}, {290, 160}, Mode::Small, origin, 1));
    EXPECT_EQ((Point{-1920 + 100 - 290, -100}),
              PositionOnRedraw({-2200, -100}, {290, 160}, Mode::Small, origin, 1));
    EXPECT_EQ((Point{-1500, -100}), InScreenBounds({-1500, -100}, origin));
    EXPECT_EQ((Point{-1920, -200}), InScreenBounds({-2000, -300}, origin));
}

TEST(LocalWeatherPosition, InScreenBoundsMovesOnlyWhatIsOff) {
    EXPECT_EQ((Point{0, 0}), InScreenBounds({-50, -10}, {0, 0}));
    EXPECT_EQ((Point{0, 30}), InScreenBounds({-50, 30}, {0, 0}));
    EXPECT_EQ((Point{20, 0}), InScreenBounds({20, -1}, {0, 0}));
    EXPECT_EQ((Point{20, 30}), InScreenBounds({20, 30}, {0, 0}));
}

TEST(LocalWeatherScale, DevicePixels) {
    EXPECT_EQ((Size{521, 260}), ToDevice(Size{521, 260}, 1));
    EXPECT_EQ((Size{652, 325}), ToDevice(Size{521, 260}, 1.25));
    EXPECT_EQ((Size{1042, 520}), ToDevice(Size{521, 260}, 2));
    EXPECT_EQ(109, ToDevice(72.5f, 1.5));
}

TEST(LocalWeatherMode, FromOption) {
    EXPECT_EQ(Mode::Large, ModeFromOption(0));
    EXPECT_EQ(Mode::Small, ModeFromOption(1));
    EXPECT_EQ(Mode::IconOnly, ModeFromOption(2));
    EXPECT_EQ(Mode::Large, ModeFromOption(3));
    EXPECT_EQ(Mode::Large, ModeFromOption(-1));
}

TEST(LocalWeatherPanel, NineSlicesOfTheShadow) {
    // The no-home-city panel from a 100 × 80 shadow: centre, left, right, bottom, two corners,
    // top, two corners.
    const std::vector<PanelPiece> pieces = PanelPieces({0, 0, 290, 73}, 100, 80);
    ASSERT_EQ(9u, pieces.size());
    EXPECT_EQ((PixelRect{30, 30, 40, 20}), pieces[0].Source);
    EXPECT_EQ((PixelRect{30, 30, 230, 13}), pieces[0].Destination);
    EXPECT_EQ((PixelRect{70, 30, 30, 20}), pieces[2].Source);
    EXPECT_EQ((PixelRect{260, 30, 30, 13}), pieces[2].Destination);
    EXPECT_EQ((PixelRect{30, 50, 40, 30}), pieces[3].Source);
    EXPECT_EQ((PixelRect{30, 43, 230, 30}), pieces[3].Destination);
    // Corners are copied at their size.
    for (const size_t corner : {4u, 5u, 7u, 8u}) {
        EXPECT_EQ(30, pieces[corner].Destination.Width);
        EXPECT_EQ(30, pieces[corner].Destination.Height);
    }
    EXPECT_EQ((PixelRect{70, 0, 30, 30}), pieces[8].Source);
    EXPECT_EQ((PixelRect{260, 0, 30, 30}), pieces[8].Destination);
}

TEST(LocalWeatherPanel, SmallPanelsLeaveOutWhatDoesNotFit) {
    // 60 high: no centre and no side edges; 60 wide: no top and bottom edges.
    EXPECT_EQ(6u, PanelPieces({0, 75, 290, 60}, 100, 80).size());
    EXPECT_EQ(6u, PanelPieces({0, 0, 60, 100}, 100, 80).size());
    EXPECT_EQ(4u, PanelPieces({0, 0, 60, 60}, 100, 80).size());
    // 61 high but 60 wide: side edges without a centre.
    EXPECT_EQ(6u, PanelPieces({0, 0, 60, 61}, 100, 80).size());
}

TEST(LocalWeatherScale, NeighbouringRectanglesStillMeet) {
    const PixelRect left = ToDevice(PixelRect{0, 75, 30, 30}, 1.25);
    const PixelRect middle = ToDevice(PixelRect{30, 75, 230, 30}, 1.25);
    EXPECT_EQ(left.X + left.Width, middle.X);
    EXPECT_EQ((PixelRect{0, 94, 38, 37}), left);
    EXPECT_EQ((PixelRect{30, 75, 230, 30}), ToDevice(PixelRect{30, 75, 230, 30}, 1));
}
