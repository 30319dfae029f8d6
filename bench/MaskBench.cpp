// Times building the day/night mask and applying it to an overlay, with a plain copy of the same
// pixels beside it for scale. Figures only; nothing is asserted.
#include "BestOf.h"
#include "render/DayNightMask.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

DateTime Utc(int year, int month, int day) {
    return DateTime::FromTicks(DateTime(year, month, day, 0, 0).Ticks(), DateTimeKind::Utc);
}

} // namespace

int main() {
    volatile uint32_t sink = 0;
    for (auto [w, h] : {std::pair{2048, 1024}, std::pair{4096, 2048}}) {
        for (DateTime date : {Utc(2024, 3, 20), Utc(2024, 6, 21)}) {
            double ms = BestOf(5, [&] { sink = sink + BuildDayNightMask(w, h, date)[0]; });
            std::printf("build mask %5d x %-5d %s  %8.2f ms\n", w, h, date.ToXsdDateString().c_str(), ms);
        }
    }

    const int w = 4096, h = 2048;
    std::vector<uint8_t> mask = BuildDayNightMask(w, h, Utc(2024, 6, 21));
    std::vector<uint32_t> overlay(static_cast<size_t>(w) * h, 0x00204060u);
    std::vector<uint32_t> copy(overlay.size());
    const double megabytes = overlay.size() * sizeof(uint32_t) / 1e6;

    for (int hour : {12, 3, 21}) {
        TimeSpan time(hour, 17, 0);
        double ms = BestOf(20, [&] { ApplyDayNightMask(mask, overlay.data(), w, h, w, time); });
        std::printf("apply mask %d x %d at %02d:17 UTC  %8.2f ms  (%.0f MB/s of pixels)\n", w, h, hour, ms,
                    megabytes / ms * 1000);
    }
    double ms = BestOf(20, [&] {
        std::memcpy(copy.data(), overlay.data(), overlay.size() * sizeof(uint32_t));
        sink = sink + copy[copy.size() / 2];
    });
    std::printf("memcpy     %d x %d pixels      %8.2f ms  (%.0f MB/s)\n", w, h, ms, megabytes / ms * 1000);
    return sink == 0xFFFFFFFFu;
}
