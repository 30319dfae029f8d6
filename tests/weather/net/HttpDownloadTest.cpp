#include "FakeNoaa.h"
#include "core/ApplicationException.h"
#include "weather/Http.h"
#include "weather/WeatherTestData.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

const std::string Stations = "/pub/data/observations/metar/stations/";

std::string Download(const std::string& path, const HttpLimits& limits = HttpLimits()) {
    CHttpClient client(limits);
    return UtilHttp::DownloadHttp(client, FakeNoaaUrl(path));
}

// The location text of the download's failure, or "no exception".
std::wstring FailureOf(const std::string& path, const HttpLimits& limits = HttpLimits()) {
    try {
        Download(path, limits);
    } catch (const ApplicationException& e) {
        return e.Location;
    }
    return L"no exception";
}

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i % 256);
    }
    return bytes;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

const std::wstring Failed = L"Util::DownloadHttp (18)";

HttpLimits ShortWaits() {
    HttpLimits limits;
    limits.TimeoutMs = 1000;
    return limits;
}

} // namespace

TEST(HttpDownload, ReturnsTheBodyByteForByte) {
    EXPECT_EQ(ReadWeatherData("stations/KLAX.TXT"), Download(Stations + "KLAX.TXT"));
    // Every byte value, NUL, CR and LF included, with no line-ending or character-set change.
    EXPECT_EQ(Pattern(70000), Download("/bytes/70000"));
    EXPECT_EQ("", Download("/empty"));
    // Chunked transfer coding is removed, chunk extensions and all.
    EXPECT_EQ(ReadWeatherData("stations/KORD.TXT"), Download("/chunked" + Stations + "KORD.TXT"));
    EXPECT_EQ(Pattern(200000), Download("/chunked/bytes/200000"));
}

TEST(HttpDownload, SucceedsForTheSuccessStatusesOnly) {
    for (int status : {200, 201, 202, 203, 205, 206, 305}) {
        EXPECT_EQ("status " + std::to_string(status) + "\n", Download("/status/" + std::to_string(status)));
    }
    EXPECT_EQ("", Download("/status/204"));
    EXPECT_EQ("", Download("/status/304"));
    for (int status : {207, 226, 300, 307, 308, 400, 401, 403, 404, 407, 410, 500, 502, 503}) {
        EXPECT_EQ(Failed, FailureOf("/status/" + std::to_string(status))) << status;
    }
    // An unknown station is a 404 like any other.
    EXPECT_EQ(Failed, FailureOf(Stations + "XXXX.TXT"));
}

TEST(HttpDownload, FollowsRedirectsWithGet) {
    const std::string klax = ReadWeatherData("stations/KLAX.TXT");
    for (int status : {301, 302, 303}) {
        EXPECT_EQ(klax, Download("/redirect/" + std::to_string(status) + "/0" + Stations + "KLAX.TXT"))
            << status;
    }
    EXPECT_EQ(klax, Download("/redirect-absolute/2" + Stations + "KLAX.TXT"));
    EXPECT_EQ(klax, Download("/old/KLAX.TXT"));
    // Ten redirects are followed, the eleventh is not.
    EXPECT_EQ(klax, Download("/redirect/303/9" + Stations + "KLAX.TXT"));
    EXPECT_EQ(Failed, FailureOf("/redirect/303/10" + Stations + "KLAX.TXT"));
    HttpLimits none;
    none.MaxRedirects = 0;
    EXPECT_EQ(Failed, FailureOf("/redirect/302/0" + Stations + "KLAX.TXT", none));
    EXPECT_EQ(Failed, FailureOf("/redirect-loop"));
    // Nowhere to go: no Location, another scheme, a port nobody listens on.
    EXPECT_EQ(Failed, FailureOf("/status/302"));
    EXPECT_EQ(Failed, FailureOf("/redirect-to/https%3A%2F%2F127.0.0.1%2Fx"));
    EXPECT_EQ(Failed, FailureOf("/redirect-to/http%3A%2F%2F127.0.0.1%3A1%2Fx"));
}

TEST(HttpDownload, RefusesBrokenAndOversizedBodies) {
    EXPECT_EQ(Failed, FailureOf("/truncated" + Stations + "KLAX.TXT"));
#ifndef _WIN32
    // WinHTTP as Wine implements it takes a chunked body cut short for a whole one; the body
    // still ends where the data did.
    EXPECT_EQ(Failed, FailureOf("/truncated-chunked" + Stations + "KORD.TXT"));
#endif
    // 4 MiB is the most a body may hold, announced or chunked.
    EXPECT_EQ(4194304u, Download("/bytes/4194304").size());
    EXPECT_EQ(Failed, FailureOf("/bytes/4194305"));
    EXPECT_EQ(Failed, FailureOf("/chunked/bytes/4194305"));
    HttpLimits small;
    small.MaxBodyBytes = 94;
    EXPECT_EQ(ReadWeatherData("stations/KLAX.TXT"), Download(Stations + "KLAX.TXT", small));
    EXPECT_EQ(Failed, FailureOf(Stations + "KJFK.TXT", small));
    EXPECT_EQ(Failed, FailureOf("/chunked" + Stations + "KJFK.TXT", small));
}

TEST(HttpDownload, BoundsEachWaitForTheServer) {
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Failed, FailureOf("/slow/3000/empty", ShortWaits()));
    EXPECT_LT(SecondsSince(start), 2.5);

    start = std::chrono::steady_clock::now();
    EXPECT_EQ(Failed, FailureOf("/stall/3000" + Stations + "KORD.TXT", ShortWaits()));
    EXPECT_LT(SecondsSince(start), 2.5);

    // Five pieces 400 ms apart take longer than one limit, but no single wait does.
    EXPECT_EQ(ReadWeatherData("stations/KORD.TXT"),
              Download("/trickle/400" + Stations + "KORD.TXT", ShortWaits()));
    EXPECT_EQ("", Download("/slow/300/empty", ShortWaits()));
}

TEST(HttpDownload, GivesUpOnASilentServerAfterTenSeconds) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Failed, FailureOf("/slow/12000/empty"));
    const double seconds = SecondsSince(start);
    EXPECT_GT(seconds, 9.0);
    EXPECT_LT(seconds, 11.9);
}

TEST(HttpDownload, ReusesOneClientAcrossDownloadsAndFailures) {
    CHttpClient client;
    EXPECT_EQ(ReadWeatherData("stations/KLAX.TXT"),
              UtilHttp::DownloadHttp(client, FakeNoaaUrl(Stations + "KLAX.TXT")));
    EXPECT_THROW(UtilHttp::DownloadHttp(client, FakeNoaaUrl(Stations + "NONE.TXT")), ApplicationException);
    EXPECT_THROW(UtilHttp::DownloadHttp(client, FakeNoaaUrl("/truncated" + Stations + "KLAX.TXT")),
                 ApplicationException);
    EXPECT_EQ(ReadWeatherData("stations/KJFK.TXT"),
              UtilHttp::DownloadHttp(client, FakeNoaaUrl(Stations + "KJFK.TXT")));
    EXPECT_EQ(ReadWeatherData("stations/EGLL.TXT"),
              UtilHttp::DownloadHttp(client, FakeNoaaUrl(Stations + "EGLL.TXT")));
}

TEST(HttpDownload, SendsAPlainGet) {
    const std::string request = Download("/echo");
    EXPECT_EQ(0u, request.find("GET /echo HTTP/1.1\r\n")) << request;
    EXPECT_NE(std::string::npos, request.find("User-Agent: Orbimeteo")) << request;
    EXPECT_EQ(std::string::npos, request.find("Accept-Encoding")) << request;
}

TEST(HttpDownload, FailsWhenNobodyListens) {
    CHttpClient client;
    EXPECT_THROW(UtilHttp::DownloadHttp(client, L"http://127.0.0.1:1/pub/KLAX.TXT"), ApplicationException);
}
