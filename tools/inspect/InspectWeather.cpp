#include "InspectWeather.h"

#include "core/ApplicationException.h"
#include "core/Clock.h"
#include "core/Encoding.h"
#include "weather/Http.h"
#include "weather/NoaaDwml.h"
#include "weather/NoaaMetar.h"
#include "weather/WeatherServiceNoaa.h"

#include <rapidxml/rapidxml.hpp>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>

namespace {

struct Options {
    std::string Station;
    std::optional<DateTime> Now;
    std::string Server;
    std::string CaFile;
    Args Rest; // everything that is not an option, in order
};

// Options may stand anywhere; each takes the argument after it.
Options ReadOptions(const Args& args, bool station, bool server) {
    Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool known = (arg == "--station" && station) || arg == "--now" ||
                           ((arg == "--server" || arg == "--ca-file") && server);
        if (!known) {
            if (arg.starts_with("--")) {
                throw UsageError();
            }
            options.Rest.push_back(arg);
            continue;
        }
        if (++i == args.size() || args[i].empty()) {
            throw UsageError();
        }
        if (arg == "--station") {
            options.Station = args[i];
        } else if (arg == "--now") {
            options.Now = ParseInstant(args[i]);
        } else if (arg == "--ca-file") {
            options.CaFile = args[i];
        } else {
            options.Server = args[i];
        }
    }
    return options;
}

// Pins "the current UTC time" for the decoders while it lives, when one was given.
std::unique_ptr<FixedClock> PinClock(const Options& options) {
    if (!options.Now) {
        return nullptr;
    }
    return std::make_unique<FixedClock>(DateTime::FromTicks(options.Now->Ticks(), DateTimeKind::Utc));
}

// "KLAX" for "stations/KLAX.TXT".
std::string BaseName(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    return name.substr(0, name.find('.'));
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// The wall-clock time as written, without a zone: "2008-01-07T18:53:00".
std::string WallClock(const DateTime& value) {
    const int64_t seconds = value.TimeOfDay().Ticks() / TimeSpan::TicksPerSecond;
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", value.Year(), value.Month(),
                  value.Day(), static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60));
    return text;
}

std::string Number(const Nullable<float>& value) {
    if (!value.HasValue()) {
        return "null";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value.Value()));
    return text;
}

std::string Code(const Nullable<EnumWeatherCode>& code) {
    return code.HasValue() ? std::to_string(static_cast<int>(code.Value())) : "null";
}

std::string Observation(const CCurrentWeather& weather) {
    return "\"report_time\": " + JsonString(WallClock(weather.ReportDateTime)) +
           ", \"weather_code\": " + Code(weather.WeatherCode) +
           ", \"temperature\": " + Number(weather.Temprature) +
           ", \"dew_point\": " + Number(weather.DewPoint);
}

std::string Periods(const CForecast& forecast) {
    std::string text =
        "\"report_time\": " + JsonString(WallClock(forecast.ReportDateTime)) + ", \"items\": [";
    for (size_t i = 0; i < forecast.Items.size(); ++i) {
        const CForecastItem& item = forecast.Items[i];
        text += i == 0 ? "" : ", ";
        text += "{\"start\": " + JsonString(WallClock(item.Start)) +
                ", \"end\": " + JsonString(WallClock(item.End)) +
                ", \"summary\": " + JsonString(ToUtf8(item.WeatherSummary)) +
                ", \"code\": " + Code(item.WeatherCode) + ", \"min\": " + Number(item.TempratureMin) +
                ", \"max\": " + Number(item.TempratureMax) + "}";
    }
    return text + "]";
}

// One answer line: the subject's fields, then what the work gave or the text of its failure.
// True when the work succeeded.
template <class Work> bool Answer(const std::string& subject, Work&& work) {
    std::string result;
    try {
        result = work();
    } catch (const ApplicationException& e) {
        result = "\"error\": " + JsonString(Narrow(e.Location));
    } catch (const std::exception& e) {
        result = "\"error\": " + JsonString(e.what());
    }
    std::printf("{%s, %s}\n", subject.c_str(), result.c_str());
    std::fflush(stdout);
    return !result.starts_with("\"error\"");
}

NoaaAddresses AddressesOf(const Options& options) {
    if (options.Server.empty()) {
        return NoaaAddresses::Read(L"");
    }
    std::string server = options.Server;
    while (!server.empty() && server.back() == '/') {
        server.pop_back();
    }
    const std::wstring base = FromAnsi(server);
    NoaaAddresses addresses = NoaaAddresses::From(base + L"/data/observations/metar/stations/%s.TXT",
                                                  base + L"/xml/SOAP_server/ndfdXMLserver.php");
    if (addresses.ObservationUrlTemplate.find(base) != 0 || addresses.ForecastEndpoint.find(base) != 0) {
        throw UsageError();
    }
    return addresses;
}

// One answer per file: its decoded content, or why it could not be decoded.
template <class Decode> int AnswerEachFile(const Options& options, Decode&& decode) {
    if (options.Rest.empty()) {
        throw UsageError();
    }
    const auto clock = PinClock(options);
    bool all = true;
    for (const std::string& path : options.Rest) {
        all &= Answer("\"file\": " + JsonString(path), [&] {
            std::string text;
            if (!ReadFile(path, text)) {
                throw std::runtime_error("cannot read " + path);
            }
            return decode(path, text);
        });
    }
    return all ? 0 : 1;
}

} // namespace

int InspectMetar(const Args& args) {
    const Options options = ReadOptions(args, true, false);
    return AnswerEachFile(options, [&](const std::string& path, const std::string& text) {
        const std::string station = options.Station.empty() ? BaseName(path) : options.Station;
        return Observation(NoaaMetar::ParseCurrentWeather(text, station));
    });
}

int InspectDwml(const Args& args) {
    return AnswerEachFile(ReadOptions(args, false, false), [](const std::string&, const std::string& text) {
        CForecast forecast;
        NoaaDwml::Parse12HourlyForecast(text, forecast);
        return Periods(forecast);
    });
}

int InspectFetch(const Args& args) {
    const Options options = ReadOptions(args, false, true);
    if (options.Rest.size() != 1) {
        throw UsageError();
    }
    const NoaaAddresses addresses = AddressesOf(options);
    const auto clock = PinClock(options);
    CWeatherRequest request;
    request.Icao = FromAnsi(options.Rest[0]);
    CHttpClient client(HttpLimits(), options.CaFile);
    return Answer(
               "\"station\": " + JsonString(options.Rest[0]),
               [&] { return Observation(WeatherServiceNoaa::GetCurrentWeather(client, addresses, request)); })
               ? 0
               : 1;
}

int InspectForecast(const Args& args) {
    const Options options = ReadOptions(args, false, true);
    if (options.Rest.size() != 2) {
        throw UsageError();
    }
    const NoaaAddresses addresses = AddressesOf(options);
    const double latitude = ParseNumber(options.Rest[0]);
    const double longitude = ParseNumber(options.Rest[1]);
    if (latitude < -90 || latitude > 90 || longitude < -180 || longitude > 180) {
        throw UsageError();
    }
    CWeatherRequest request;
    request.Latitude = static_cast<float>(latitude);
    request.Longitude = static_cast<float>(longitude);
    const auto clock = PinClock(options);
    CHttpClient client(HttpLimits(), options.CaFile);
    char subject[80];
    std::snprintf(subject, sizeof subject, "\"latitude\": %.6g, \"longitude\": %.6g", latitude, longitude);
    return Answer(subject,
                  [&] { return Periods(WeatherServiceNoaa::GetForecast(client, addresses, request)); })
               ? 0
               : 1;
}
