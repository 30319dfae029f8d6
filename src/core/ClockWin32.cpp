#include "core/Clock.h"

#include <windows.h>

namespace {
int64_t FromFileTime(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<int64_t>(value.QuadPart);
}
} // namespace

int64_t Clock::SystemUtcFileTime() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return FromFileTime(now);
}

bool Clock::SystemLocalFileTime(int64_t& fileTime) {
    SYSTEMTIME parts;
    GetLocalTime(&parts);
    FILETIME local;
    if (!SystemTimeToFileTime(&parts, &local)) {
        return false;
    }
    fileTime = FromFileTime(local);
    return true;
}
