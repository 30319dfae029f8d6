// orbimeteo-inspect: answers questions about the sun and the day/night mask, one JSON object per
// answer on stdout. Bad command lines print the usage to stderr and exit with 2; computations
// that throw print {"error": "<location text>"} and exit with 1.
#include "core/ApplicationException.h"
#include "core/DateTime.h"
#include "render/DayNightMask.h"
#include "render/Sun.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

struct UsageError {};

struct Command {
    const char* name;
    const char* arguments;
    int (*run)(const Args& args);
};

// ---- Reading arguments ----------------------------------------------------------------------

double ParseNumber(const std::string& text) {
    if (text.empty()) {
        throw UsageError();
    }
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value)) {
        throw UsageError();
    }
    return value;
}

int ParseCount(const std::string& text, int max) {
    if (text.empty() || text.size() > 9) {
        throw UsageError();
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            throw UsageError();
        }
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > max) {
        throw UsageError();
    }
    return value;
}

int Digits(const std::string& text, size_t position, size_t count) {
    int value = 0;
    for (size_t i = position; i < position + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') {
            throw UsageError();
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

void Expect(const std::string& text, size_t position, char c) {
    if (position >= text.size() || text[position] != c) {
        throw UsageError();
    }
}

// YYYY-MM-DD; a well-formed but impossible date throws the date's own error.
DateTime ParseDate(const std::string& text) {
    if (text.size() != 10) {
        throw UsageError();
    }
    Expect(text, 4, '-');
    Expect(text, 7, '-');
    return DateTime(Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2), 0, 0);
}

// YYYY-MM-DDTHH:MM:SS[.fffffff]Z
DateTime ParseInstant(const std::string& text) {
    if (text.size() < 20 || text.back() != 'Z') {
        throw UsageError();
    }
    Expect(text, 10, 'T');
    Expect(text, 13, ':');
    Expect(text, 16, ':');
    DateTime date = ParseDate(text.substr(0, 10));
    int64_t fraction = 0;
    size_t end = text.size() - 1;
    if (end > 19) {
        Expect(text, 19, '.');
        size_t digits = end - 20;
        if (digits < 1 || digits > 7) {
            throw UsageError();
        }
        fraction = Digits(text, 20, digits);
        for (size_t i = digits; i < 7; ++i) {
            fraction *= 10;
        }
    } else if (end != 19) {
        throw UsageError();
    }
    int64_t time = DateTime::TimeToTicks(Digits(text, 11, 2), Digits(text, 14, 2), Digits(text, 17, 2));
    return date + TimeSpan(time + fraction);
}

// ---- Writing answers ------------------------------------------------------------------------

std::string Iso(const DateTime& value) {
    int64_t time = value.TimeOfDay().Ticks();
    int64_t seconds = time / TimeSpan::TicksPerSecond;
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%07dZ", value.Year(), value.Month(),
                  value.Day(), static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60), static_cast<int>(time % TimeSpan::TicksPerSecond));
    return text;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// Location texts are plain ASCII.
std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

// ---- Subcommands ----------------------------------------------------------------------------

int Sun(const Args& args) {
    if (args.size() != 3 && args.size() != 4) {
        throw UsageError();
    }
    double latitude = ParseNumber(args[0]);
    double longitude = ParseNumber(args[1]);
    DateTime date = ParseDate(args[2]);
    double zenith = args.size() == 4 ? ParseNumber(args[3]) : CSun::OfficialZenith;
    double cosZenith = std::cos(CSun::DegToRad(zenith));

    CSun::CrossingMinutes minutes = CSun::GetSunriseSunsetMinutes(latitude, longitude, date, cosZenith);
    Nullable<DateTime> rise;
    Nullable<DateTime> set;
    CSun::GetSunriseSunset(latitude, longitude, date, cosZenith, rise, set);
    if (!minutes.Crosses || !rise.HasValue() || !set.HasValue()) {
        std::printf("{\"rise_min\": null, \"set_min\": null, \"rise_utc\": null, \"set_utc\": null}\n");
        return 0;
    }
    std::printf("{\"rise_min\": %.6f, \"set_min\": %.6f, \"rise_utc\": \"%s\", \"set_utc\": \"%s\"}\n",
                minutes.Rise, minutes.Set, Iso(rise.Value()).c_str(), Iso(set.Value()).c_str());
    return 0;
}

int Daytime(const Args& args) {
    if (args.size() != 3) {
        throw UsageError();
    }
    double latitude = ParseNumber(args[0]);
    double longitude = ParseNumber(args[1]);
    DateTime now = ParseInstant(args[2]);
    std::printf("{\"daytime\": %s}\n", CSun::IsDaytime(latitude, longitude, now) ? "true" : "false");
    return 0;
}

int Polar(const Args& args) {
    if (args.size() != 2) {
        throw UsageError();
    }
    double latitude = ParseNumber(args[0]);
    DateTime date = ParseDate(args[1]);
    std::printf("{\"polar_day\": %s}\n", CSun::IsPolarDay(date, latitude) ? "true" : "false");
    return 0;
}

int Mask(const Args& args) {
    if (args.size() != 4 || args[3].empty()) {
        throw UsageError();
    }
    int width = ParseCount(args[0], 16384);
    int height = ParseCount(args[1], 8192);
    DateTime date = ParseDate(args[2]);
    std::vector<uint8_t> mask = BuildDayNightMask(width, height, date);

    const std::string& path = args[3];
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::printf("{\"error\": %s}\n", JsonString("cannot create " + path).c_str());
        return 1;
    }
    bool written = std::fprintf(file, "P5\n%d %d\n255\n", width, height) > 0 &&
                   std::fwrite(mask.data(), 1, mask.size(), file) == mask.size();
    written = std::fclose(file) == 0 && written;
    if (!written) {
        std::printf("{\"error\": %s}\n", JsonString("cannot write " + path).c_str());
        return 1;
    }
    std::printf("{\"width\": %d, \"height\": %d, \"file\": %s}\n", width, height, JsonString(path).c_str());
    return 0;
}

const Command Commands[] = {
    {"sun", "LAT LON YYYY-MM-DD [ZENITH_DEGREES]", Sun},
    {"daytime", "LAT LON YYYY-MM-DDTHH:MM:SS[.fffffff]Z", Daytime},
    {"polar", "LAT YYYY-MM-DD", Polar},
    {"mask", "WIDTH HEIGHT YYYY-MM-DD OUT.pgm", Mask},
};

int Usage() {
    std::fprintf(stderr, "usage:\n");
    for (const Command& command : Commands) {
        std::fprintf(stderr, "  orbimeteo-inspect %s %s\n", command.name, command.arguments);
    }
    std::fprintf(stderr, "Latitudes north and longitudes east are positive; dates and times are UTC.\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    const std::string name = argv[1];
    for (const Command& command : Commands) {
        if (name != command.name) {
            continue;
        }
        try {
            return command.run(Args(argv + 2, argv + argc));
        } catch (const UsageError&) {
            return Usage();
        } catch (const ApplicationException& e) {
            std::printf("{\"error\": %s}\n", JsonString(Narrow(e.Location)).c_str());
            return 1;
        } catch (const std::exception& e) {
            std::printf("{\"error\": %s}\n", JsonString(e.what()).c_str());
            return 1;
        }
    }
    return Usage();
}
