#include "render/DayNightMask.h"

#include "render/Sun.h"

#include <cmath>

namespace {
constexpr int Steps = 50;
constexpr uint8_t Night = 255;

// Walks in from both ends of [first, last] over bytes still at full night. Bytes set by an
// earlier, smaller zenith stop the walks, so each step only adds the new twilight rims.
void FillSegment(uint8_t* row, int first, int last, uint8_t alpha) {
    int x = first;
    while (x <= last && row[x] == Night) {
        row[x++] = alpha;
    }
    x = last;
    while (x >= first && row[x] == Night) {
        row[x--] = alpha;
    }
}

class MaskBuilder {
public:
    MaskBuilder(int width, int height, const DateTime& date)
        : width_(width), height_(height), date_(date.Date()),
          mask_(static_cast<size_t>(width) * static_cast<size_t>(height), Night),
          startColumn_(static_cast<size_t>(height), 0), done_(static_cast<size_t>(height), false),
          columnsPerTick_(static_cast<float>(width) / static_cast<float>(TimeSpan::TicksPerDay)) {
        // Every row is at longitude 0, so the solar-noon terms are shared by all rows and steps.
        const double longitude = 0;
        noon_ = CSun::NoonAt(CSun::JulianDay(date_.Year(), date_.Month(), date_.Day()), -longitude);
    }

    std::vector<uint8_t> Build() {
        for (int f = 0; f < Steps; ++f) {
            double zenith =
                CSun::OfficialZenith + (CSun::NauticalZenith - CSun::OfficialZenith) * f / (Steps - 1);
            double cosZenith = std::cos(CSun::DegToRad(zenith));
            auto alpha = static_cast<uint8_t>(255 * f / (Steps - 1));
            // From the equator outwards, so that at the first row without a crossing the trend
            // of the day length tells polar day from polar night.
            WalkHalf(height_ / 2, -1, -1, cosZenith, alpha);
            WalkHalf(height_ / 2 + 1, 1, height_, cosZenith, alpha);
        }
        return std::move(mask_);
    }

private:
    uint8_t* Row(int r) { return mask_.data() + static_cast<size_t>(r) * static_cast<size_t>(width_); }

    int Column(double minutes) {
        int64_t timeOfDay = (date_ + TimeSpan::FromMinutes(minutes)).TimeOfDay().Ticks();
        auto x = static_cast<int>(static_cast<float>(timeOfDay) * columnsPerTick_);
        return x < 0 ? 0 : (x > width_ - 1 ? width_ - 1 : x);
    }

    void WalkHalf(int firstRow, int step, int endRow, double cosZenith, uint8_t alpha) {
        int previousLength = width_ - 1;
        bool growing = false;
        for (int r = firstRow; r != endRow; r += step) {
            if (done_[r]) {
                continue;
            }
            float latitude = 90.0f - static_cast<float>(r) * 180.0f / static_cast<float>(height_);
            CSun::CrossingMinutes crossing = CSun::CrossingsAt(noon_, latitude, cosZenith);
            if (!crossing.Crosses) {
                if (growing) {
                    FillToPole(r, step, endRow, alpha);
                }
                return;
            }
            int xRise = Column(crossing.Rise);
            int xSet = Column(crossing.Set);
            uint8_t* row = Row(r);
            int length;
            if (xSet < xRise) {
                // Daylight wraps over the row's ends; the night between starts after the set.
                int start = xSet + 1 < width_ - 1 ? xSet + 1 : width_ - 1;
                if (start >= startColumn_[r]) {
                    startColumn_[r] = start;
                }
                FillSegment(row, 0, xSet, alpha);
                FillSegment(row, xRise, width_ - 1, alpha);
                length = xSet + width_ - xRise - 2;
            } else {
                FillSegment(row, xRise, xSet, alpha);
                length = xSet - xRise;
            }
            growing = previousLength < length;
            previousLength = length;
        }
    }

    // Polar day from this row to the pole: everything still at full night gets this step's alpha.
    void FillToPole(int firstRow, int step, int endRow, uint8_t alpha) {
        for (int r = firstRow; r != endRow; r += step) {
            if (!done_[r]) {
                FillSegment(Row(r), startColumn_[r], width_ - 1, alpha);
                done_[r] = true;
            }
        }
    }

    int width_;
    int height_;
    DateTime date_;
    std::vector<uint8_t> mask_;
    std::vector<int> startColumn_;
    std::vector<bool> done_;
    float columnsPerTick_;
    CSun::NoonTerms noon_{};
};

// Two contiguous runs per row instead of a wrap test per pixel; plain loops the compiler vectorises.
void ApplySpan(uint32_t* __restrict pixels, const uint8_t* __restrict alpha, int count) {
    for (int j = 0; j < count; ++j) {
        pixels[j] = (pixels[j] & 0x00FFFFFFu) | (static_cast<uint32_t>(alpha[j]) << 24);
    }
}
} // namespace

std::vector<uint8_t> BuildDayNightMask(int width, int height, const DateTime& dateUtc) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    return MaskBuilder(width, height, dateUtc).Build();
}

void ApplyDayNightMask(const std::vector<uint8_t>& mask, uint32_t* pixels, int width, int height,
                       std::ptrdiff_t stride, TimeSpan timeOfDayUtc) {
    if (pixels == nullptr || width <= 0 || height <= 0 ||
        mask.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return;
    }
    // Rows closer together than one row of pixels would overlap.
    if (stride < width && -stride < width) {
        return;
    }
    int64_t ticks = timeOfDayUtc.Ticks() % TimeSpan::TicksPerDay;
    if (ticks < 0) {
        ticks += TimeSpan::TicksPerDay;
    }
    // Column j of the overlay takes mask column j + shift, wrapped once around the row.
    auto shift = static_cast<int>(
        std::trunc((static_cast<double>(ticks) / static_cast<double>(TimeSpan::TicksPerDay) - 0.5) * width));
    int s = shift < 0 ? shift + width : shift;
    if (s >= width) {
        s -= width;
    }
    for (int i = 0; i < height; ++i) {
        uint32_t* row = pixels + i * stride;
        const uint8_t* alpha = mask.data() + static_cast<size_t>(i) * static_cast<size_t>(width);
        ApplySpan(row, alpha + s, width - s);
        ApplySpan(row + (width - s), alpha, s);
    }
}
