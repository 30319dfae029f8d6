#include "core/Clock.h"

#include "core/DateTime.h"

#include <atomic>

namespace {
std::atomic<const FixedClock*> installed{nullptr};

int64_t ToFileTime(const DateTime& value) {
    return value.Ticks() - static_cast<int64_t>(DateTime::FileTimeOffset);
}
} // namespace

int64_t Clock::UtcFileTime() {
    if (const FixedClock* fixed = installed.load()) {
        return fixed->utc_;
    }
    return SystemUtcFileTime();
}

bool Clock::LocalFileTime(int64_t& fileTime) {
    if (const FixedClock* fixed = installed.load()) {
        fileTime = fixed->local_;
        return true;
    }
    return SystemLocalFileTime(fileTime);
}

FixedClock::FixedClock(const DateTime& utc) : FixedClock(utc, utc) {}

FixedClock::FixedClock(const DateTime& utc, const DateTime& local)
    : utc_(ToFileTime(utc)), local_(ToFileTime(local)), previous_(installed.exchange(this)) {}

FixedClock::~FixedClock() {
    installed.store(previous_);
}

void FixedClock::Set(const DateTime& utc, const DateTime& local) {
    utc_ = ToFileTime(utc);
    local_ = ToFileTime(local);
}
