#include "render/DayNightMask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

DateTime Utc(int year, int month, int day) {
    return DateTime::FromTicks(DateTime(year, month, day, 0, 0).Ticks(), DateTimeKind::Utc);
}

TimeSpan At(int hour, int minute = 0, int second = 0) {
    return TimeSpan(hour, minute, second);
}

const uint8_t* Row(const std::vector<uint8_t>& mask, int width, int r) {
    return mask.data() + static_cast<size_t>(r) * static_cast<size_t>(width);
}

// Around the circle of a row the alpha falls to one minimum and rises to one maximum: night
// deepens steadily away from noon, with no stray bright or dark columns.
bool IsUnimodal(const uint8_t* row, int width) {
    std::vector<uint8_t> runs;
    for (int x = 0; x < width; ++x) {
        if (runs.empty() || runs.back() != row[x]) {
            runs.push_back(row[x]);
        }
    }
    while (runs.size() > 1 && runs.front() == runs.back()) {
        runs.pop_back();
    }
    size_t n = runs.size();
    if (n < 3) {
        return true;
    }
    int turns = 0;
    for (size_t i = 0; i < n; ++i) {
        bool up = runs[(i + 1) % n] > runs[i];
        bool nextUp = runs[(i + 2) % n] > runs[(i + 1) % n];
        turns += up != nextUp;
    }
    return turns == 2;
}

} // namespace

TEST(DayNightMask, OneBytePerPixel) {
    EXPECT_EQ(2097152u, BuildDayNightMask(2048, 1024, Utc(2024, 6, 21)).size());
    EXPECT_EQ(21u, BuildDayNightMask(7, 3, Utc(2024, 6, 21)).size());
    EXPECT_TRUE(BuildDayNightMask(0, 10, Utc(2024, 6, 21)).empty());
    EXPECT_TRUE(BuildDayNightMask(10, -1, Utc(2024, 6, 21)).empty());
}

TEST(DayNightMask, SolsticesLightOnePoleAndDarkenTheOther) {
    const int w = 360, h = 180;
    std::vector<uint8_t> june = BuildDayNightMask(w, h, Utc(2024, 6, 21));
    std::vector<uint8_t> december = BuildDayNightMask(w, h, Utc(2024, 12, 21));
    // Rows 0-9 are latitudes 90 to 81, rows 170-179 latitudes -80 to -89.
    for (int r : {0, 1, 5, 9}) {
        EXPECT_EQ(w, std::count(Row(june, w, r), Row(june, w, r) + w, 0)) << "row " << r;
        EXPECT_EQ(w, std::count(Row(december, w, r), Row(december, w, r) + w, 255)) << "row " << r;
    }
    for (int r : {170, 175, 179}) {
        EXPECT_EQ(w, std::count(Row(june, w, r), Row(june, w, r) + w, 255)) << "row " << r;
        EXPECT_EQ(w, std::count(Row(december, w, r), Row(december, w, r) + w, 0)) << "row " << r;
    }
}

TEST(DayNightMask, EveryRowDarkensSteadilyFromNoon) {
    std::set<int> alphas;
    for (int f = 0; f < 50; ++f) {
        alphas.insert(255 * f / 49);
    }
    const int w = 240, h = 120;
    for (DateTime date : {Utc(2024, 3, 20), Utc(2024, 6, 21), Utc(2024, 8, 1), Utc(2024, 12, 21)}) {
        std::vector<uint8_t> mask = BuildDayNightMask(w, h, date);
        for (uint8_t a : mask) {
            ASSERT_TRUE(alphas.count(a)) << int(a);
        }
        for (int r = 0; r < h; ++r) {
            EXPECT_TRUE(IsUnimodal(Row(mask, w, r), w)) << date.ToXsdDateString() << " row " << r;
        }
    }
}

TEST(DayNightMask, EquatorAtTheEquinoxHasTwelveHoursOfDayAndShortTwilight) {
    // One column per minute; the equator is row 360.
    const int w = 1440, h = 720;
    std::vector<uint8_t> mask = BuildDayNightMask(w, h, Utc(2024, 3, 20));
    const uint8_t* equator = Row(mask, w, h / 2);
    EXPECT_EQ(0, equator[w / 2]);
    EXPECT_EQ(255, equator[0]);
    EXPECT_EQ(255, equator[w - 1]);
    // Official sunrise to sunset lasts a few minutes over 12 hours; the sun drops from 0.83 to 12
    // degrees below the horizon in about 45 minutes on each side.
    auto day = std::count(equator, equator + w, 0);
    auto twilight = std::count_if(equator, equator + w, [](uint8_t a) { return a != 0 && a != 255; });
    EXPECT_NEAR(727, day, 5);
    EXPECT_NEAR(90, twilight, 6);
}

TEST(DayNightMask, AppliedAtNoonUtcTheOverlayIsClearAtGreenwichAndDarkAtTheDateLine) {
    const int w = 360, h = 180;
    std::vector<uint8_t> mask = BuildDayNightMask(w, h, Utc(2024, 3, 20));
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h, 0x00123456u);
    ApplyDayNightMask(mask, pixels.data(), w, h, w, At(12));
    for (int r : {60, 90, 120}) {
        EXPECT_EQ(0x00123456u, pixels[static_cast<size_t>(r) * w + w / 2]) << "row " << r;
        EXPECT_EQ(0xFF123456u, pixels[static_cast<size_t>(r) * w]) << "row " << r;
        EXPECT_EQ(0xFF123456u, pixels[static_cast<size_t>(r) * w + w - 1]) << "row " << r;
    }
    // At 18:00 UTC it is noon at longitude -90 and midnight at longitude 90.
    ApplyDayNightMask(mask, pixels.data(), w, h, w, At(18));
    EXPECT_EQ(0x00123456u, pixels[90 * w + w / 4]);
    EXPECT_EQ(0xFF123456u, pixels[90 * w + w / 4 * 3]);
}

TEST(DayNightMask, ApplyWrapsTheShiftAroundEachRow) {
    // Columns carry their own index as alpha, rows differ by an offset; odd width, padded rows.
    const int w = 7, h = 3, stride = 9;
    std::vector<uint8_t> mask(static_cast<size_t>(w) * h);
    for (int i = 0; i < h; ++i) {
        for (int k = 0; k < w; ++k) {
            mask[static_cast<size_t>(i) * w + k] = static_cast<uint8_t>(10 * i + k);
        }
    }
    struct Case {
        TimeSpan time;
        int shift; // trunc((time / day - 0.5) * w)
    };
    for (Case c :
         {Case{At(12), 0}, Case{At(0), -3}, Case{At(18), 1}, Case{At(6), -1}, Case{At(23, 59, 59), 3},
          Case{TimeSpan(TimeSpan::TicksPerDay + At(18).Ticks()), 1}, Case{TimeSpan(-At(6).Ticks()), 1}}) {
        std::vector<uint32_t> pixels(static_cast<size_t>(stride) * h, 0xAABBCCDDu);
        ApplyDayNightMask(mask, pixels.data(), w, h, stride, c.time);
        for (int i = 0; i < h; ++i) {
            for (int j = 0; j < w; ++j) {
                int k = ((c.shift + j) % w + w) % w;
                uint32_t expected = 0x00BBCCDDu | static_cast<uint32_t>(10 * i + k) << 24;
                EXPECT_EQ(expected, pixels[static_cast<size_t>(i) * stride + j])
                    << "shift " << c.shift << " row " << i << " column " << j;
            }
            EXPECT_EQ(0xAABBCCDDu, pixels[static_cast<size_t>(i) * stride + w]) << "padding of row " << i;
        }
    }
}

TEST(DayNightMask, ApplyFollowsBottomUpRows) {
    const int w = 4, h = 2;
    std::vector<uint8_t> mask = {1, 2, 3, 4, 5, 6, 7, 8};
    std::vector<uint32_t> pixels(8, 0x00FFFFFFu);
    // The first row lies last in memory.
    ApplyDayNightMask(mask, pixels.data() + 4, w, h, -w, At(12));
    EXPECT_EQ((std::vector<uint32_t>{0x05FFFFFF, 0x06FFFFFF, 0x07FFFFFF, 0x08FFFFFF, 0x01FFFFFF, 0x02FFFFFF,
                                     0x03FFFFFF, 0x04FFFFFF}),
              pixels);
}

TEST(DayNightMask, ApplyLeavesPixelsAloneOnSizeMismatch) {
    std::vector<uint8_t> mask(12, 0);
    std::vector<uint32_t> pixels(16, 0x80FFFFFFu);
    const std::vector<uint32_t> before = pixels;
    ApplyDayNightMask(mask, pixels.data(), 4, 4, 4, At(12));
    ApplyDayNightMask(mask, pixels.data(), 3, 3, 3, At(12));
    ApplyDayNightMask(mask, pixels.data(), 4, 3, 3, At(12)); // rows would overlap
    ApplyDayNightMask(std::vector<uint8_t>(), pixels.data(), 0, 0, 0, At(12));
    ApplyDayNightMask(mask, nullptr, 4, 3, 4, At(12));
    EXPECT_EQ(before, pixels);
}
