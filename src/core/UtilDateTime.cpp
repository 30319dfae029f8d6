#include "core/DateTime.h"
#include "core/Nullable.h"
#include "core/RegEx.h"
#include "core/Util.h"

DateTime Util::ParseDateTime(const std::string& text) {
    int year = static_cast<int>(ParseDigits(text, 0, 4));
    int month = static_cast<int>(ParseDigits(text, 5, 2));
    int day = static_cast<int>(ParseDigits(text, 8, 2));
    int hour = static_cast<int>(ParseDigits(text, 11, 2));
    int minute = static_cast<int>(ParseDigits(text, 14, 2));
    int second = static_cast<int>(ParseDigits(text, 17, 2));
    return DateTime(year, month, day, hour, minute, second);
}

Nullable<DateTime> Util::ParseDayHourMinute(const std::string& text, const Nullable<DateTime>& reference) {
    static const RegEx pattern("^\\d\\d\\d\\d\\d\\dZ$");
    Nullable<DateTime> result;
    if (!pattern.Match(text)) {
        return result;
    }
    try {
        int day = static_cast<int>(ParseDigits(text, 0, 2));
        int hour = static_cast<int>(ParseDigits(text, 2, 2));
        int minute = static_cast<int>(ParseDigits(text, 4, 2));
        if (reference.HasValue() && reference.Value().Day() == day) {
            const DateTime& known = reference.Value();
            result = DateTime(known.Year(), known.Month(), day, hour, minute, 0);
            return result;
        }
        // Reports are at most a few days old; three hours of slack allow for a clock behind the
        // station's.
        DateTime candidate = DateTime::UtcNow() + TimeSpan(3, 0, 0);
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (candidate.Day() == day) {
                result = DateTime(candidate.Year(), candidate.Month(), day, hour, minute, 0);
                return result;
            }
            candidate = candidate - TimeSpan(24, 0, 0);
        }
    } catch (...) {
        // An impossible time or a clock out of range: no value, as for text that does not match.
    }
    return Nullable<DateTime>();
}
