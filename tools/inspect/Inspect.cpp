// orbimeteo-inspect: answers questions about the sun and the day/night mask, and decodes or
// fetches weather, one JSON object per answer on stdout. Bad command lines print the usage to
// stderr and exit with 2; computations that throw print {"error": "<location text>"} and exit
// with 1 (the weather commands answer every input and exit with 1 if any failed).
#include "InspectSupport.h"
#include "InspectWeather.h"
#include "core/ApplicationException.h"
#include "core/DateTime.h"
#include "render/DayNightMask.h"
#include "render/Sun.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

struct Command {
    const char* name;
    const char* arguments;
    int (*run)(const Args& args);
};

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
    {"metar", "[--station ICAO] [--now YYYY-MM-DDTHH:MM:SSZ] FILE...", InspectMetar},
    {"dwml", "[--now YYYY-MM-DDTHH:MM:SSZ] FILE...", InspectDwml},
    {"fetch", "ICAO [--server http[s]://HOST[:PORT]] [--ca-file CA.pem] [--now YYYY-MM-DDTHH:MM:SSZ]",
     InspectFetch},
    {"forecast", "LAT LON [--server http[s]://HOST[:PORT]] [--ca-file CA.pem] [--now YYYY-MM-DDTHH:MM:SSZ]",
     InspectForecast},
};

int Usage() {
    std::fprintf(stderr, "usage:\n");
    for (const Command& command : Commands) {
        std::fprintf(stderr, "  orbimeteo-inspect %s %s\n", command.name, command.arguments);
    }
    std::fprintf(stderr, "Latitudes north and longitudes east are positive; dates and times are UTC.\n");
    std::fprintf(stderr,
                 "metar takes the station from the file's name unless given; --now fixes the current\n"
                 "time the decoders use. fetch and forecast ask the server's NOAA paths, or NOAA's\n"
                 "own addresses (ORBIMETEO_OBSERVATION_URL_TEMPLATE, ORBIMETEO_FORECAST_ENDPOINT);\n"
                 "--ca-file trusts the authorities of that file instead of the system's.\n");
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
