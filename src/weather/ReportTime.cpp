#include "weather/ReportTime.h"

namespace {
constexpr int64_t RecentTicks = 3 * TimeSpan::TicksPerHour;
} // namespace

DateTime NoReportYet() {
    return DateTime(1990, 1, 1, 0, 0, 0);
}

bool IsRecentReport(const DateTime& reportTime) {
    // Plain tick arithmetic: the sum stays far inside 64 bits for every valid DateTime, and
    // the kind bits play no part.
    return DateTime::UtcNow().Ticks() < reportTime.Ticks() + RecentTicks;
}
