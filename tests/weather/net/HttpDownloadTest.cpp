#include "FakeNoaa.h"
#include "core/ApplicationException.h"
#include "weather/Http.h"
#include "weather/WeatherTestData.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

const std::string Stations = "/data/observations/metar/stations/";
const std::wstring Failed = L"Util::DownloadHttp (18)";

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

HttpLimits ShortWaits() {
    HttpLimits limits;
    limits.TimeoutMs = 1000;
    return limits;
}

// The same downloads over plain http and over https with the test authority's certificate.
class HttpDownload : public testing::TestWithParam<FakeNoaaPort> {
protected:
    std::wstring Url(const std::string& path) const { return FakeNoaaUrl(path, GetParam()); }

    std::string Download(const std::string& path, const HttpLimits& limits = HttpLimits()) const {
        CHttpClient client(limits, FakeNoaaCaFile());
        return UtilHttp::DownloadHttp(client, Url(path));
    }

    // The location text of the download's failure, or "no exception".
    std::wstring FailureOf(const std::string& path, const HttpLimits& limits = HttpLimits()) const {
        try {
            Download(path, limits);
        } catch (const ApplicationException& e) {
            return e.Location;
        }
        return L"no exception";
    }

    // A POST of the body through Exchange: the final reply's body, or "failed".
    std::string Post(const std::string& path, const std::string& body) const {
        CHttpClient client(HttpLimits(), FakeNoaaCaFile());
        HttpRequest request;
        EXPECT_TRUE(UtilHttp::SplitUrl(Url(path), request.Url));
        request.Post = true;
        request.Headers = {"Content-Type: text/xml; charset=utf-8", "SOAPAction: \"urn:x#y\""};
        request.Body = body;
        HttpReply reply;
        return UtilHttp::Exchange(client, request, reply) ? reply.Body : "failed";
    }
};

std::string SchemeName(const testing::TestParamInfo<FakeNoaaPort>& info) {
    return info.param == FakeNoaaPort::Http ? "Http" : "Https";
}

} // namespace

// How test names and failures show the scheme.
void PrintTo(FakeNoaaPort port, std::ostream* out) {
    *out << (port == FakeNoaaPort::Http ? "http" : "https");
}

namespace {

INSTANTIATE_TEST_SUITE_P(Scheme, HttpDownload, testing::Values(FakeNoaaPort::Http, FakeNoaaPort::Https),
                         SchemeName);

} // namespace

TEST_P(HttpDownload, ReturnsTheBodyByteForByte) {
    EXPECT_EQ(ReadWeatherData("stations/KLAX.TXT"), Download(Stations + "KLAX.TXT"));
    // Every byte value, NUL, CR and LF included, with no line-ending or character-set change.
    EXPECT_EQ(Pattern(70000), Download("/bytes/70000"));
    EXPECT_EQ("", Download("/empty"));
    // Chunked transfer coding is removed, chunk extensions and all.
    EXPECT_EQ(ReadWeatherData("stations/KORD.TXT"), Download("/chunked" + Stations + "KORD.TXT"));
    EXPECT_EQ(Pattern(200000), Download("/chunked/bytes/200000"));
}

TEST_P(HttpDownload, SucceedsForTheSuccessStatusesOnly) {
    for (int status : {200, 201, 202, 203, 205, 206, 305}) {
        EXPECT_EQ("status " + std::to_string(status) + "\n", Download("/status/" + std::to_string(status)));
    }
    EXPECT_EQ("", Download("/status/204"));
    EXPECT_EQ("", Download("/status/304"));
    for (int status : {207, 226, 300, 400, 401, 403, 404, 407, 410, 500, 502, 503}) {
        EXPECT_EQ(Failed, FailureOf("/status/" + std::to_string(status))) << status;
    }
    // An unknown station is a 404 like any other.
    EXPECT_EQ(Failed, FailureOf(Stations + "XXXX.TXT"));
}

TEST_P(HttpDownload, FollowsRedirectsWithGet) {
    const std::string klax = ReadWeatherData("stations/KLAX.TXT");
    for (int status : {301, 302, 303, 307, 308}) {
        EXPECT_EQ(klax, Download("/redirect/" + std::to_string(status) + "/0" + Stations + "KLAX.TXT"))
            << status;
    }
    // A GET stays a GET whatever the redirect.
    EXPECT_EQ(0u, Download("/redirect/307/1/echo").find("GET /echo HTTP/1.1\r\n"));
    EXPECT_EQ(klax, Download("/redirect-absolute/2" + Stations + "KLAX.TXT"));
    EXPECT_EQ(klax, Download("/old/KLAX.TXT"));
    // Ten redirects are followed, the eleventh is not.
    EXPECT_EQ(klax, Download("/redirect/308/9" + Stations + "KLAX.TXT"));
    EXPECT_EQ(Failed, FailureOf("/redirect/303/10" + Stations + "KLAX.TXT"));
    HttpLimits none;
    none.MaxRedirects = 0;
    EXPECT_EQ(Failed, FailureOf("/redirect/302/0" + Stations + "KLAX.TXT", none));
    EXPECT_EQ(Failed, FailureOf("/redirect-loop"));
    // Nowhere to go: no Location, another scheme, a port nobody listens on.
    for (int status : {301, 302, 303, 307, 308}) {
        EXPECT_EQ(Failed, FailureOf("/status/" + std::to_string(status))) << status;
    }
    EXPECT_EQ(Failed, FailureOf("/redirect-to/ftp%3A%2F%2F127.0.0.1%2Fx"));
    EXPECT_EQ(Failed, FailureOf("/redirect-to/https%3A%2F%2F127.0.0.1%3A1%2Fx"));
}

TEST_P(HttpDownload, PostsKeepTheirBodyThroughRedirectsExceptSeeOther) {
    const std::string body = "<Envelope>\r\n\x01\xff</Envelope>";
    std::string echoed = Post("/echo", body);
    EXPECT_EQ(0u, echoed.find("POST /echo HTTP/1.1\r\n")) << echoed;
    EXPECT_NE(std::string::npos, echoed.find("Content-Type: text/xml; charset=utf-8\n")) << echoed;
    EXPECT_NE(std::string::npos, echoed.find("SOAPAction: \"urn:x#y\"\n")) << echoed;
    EXPECT_NE(std::string::npos, echoed.find("Content-Length: 25\n")) << echoed;
    // The body is not held back waiting for the server's leave.
    EXPECT_EQ(std::string::npos, echoed.find("Expect")) << echoed;
    EXPECT_EQ(body, echoed.substr(echoed.size() - body.size()));

    for (int status : {301, 302, 307, 308}) {
        echoed = Post("/redirect/" + std::to_string(status) + "/1/echo", body);
        EXPECT_EQ(0u, echoed.find("POST /echo HTTP/1.1\r\n")) << status << echoed;
        EXPECT_EQ(body, echoed.substr(echoed.size() - body.size())) << status;
    }
    echoed = Post("/redirect/303/0/echo", body);
    EXPECT_EQ(0u, echoed.find("GET /echo HTTP/1.1\r\n")) << echoed;
    EXPECT_EQ(std::string::npos, echoed.find("SOAPAction")) << echoed;
}

TEST_P(HttpDownload, RefusesBrokenAndOversizedBodies) {
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

TEST_P(HttpDownload, BoundsEachWaitForTheServer) {
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

TEST_P(HttpDownload, ReusesOneClientAcrossDownloadsAndFailures) {
    CHttpClient client(HttpLimits(), FakeNoaaCaFile());
    EXPECT_EQ(ReadWeatherData("stations/KLAX.TXT"),
              UtilHttp::DownloadHttp(client, Url(Stations + "KLAX.TXT")));
    EXPECT_THROW(UtilHttp::DownloadHttp(client, Url(Stations + "NONE.TXT")), ApplicationException);
    EXPECT_THROW(UtilHttp::DownloadHttp(client, Url("/truncated" + Stations + "KLAX.TXT")),
                 ApplicationException);
    EXPECT_EQ(ReadWeatherData("stations/KJFK.TXT"),
              UtilHttp::DownloadHttp(client, Url(Stations + "KJFK.TXT")));
    // The other scheme with the same client.
    EXPECT_EQ(ReadWeatherData("stations/EGLL.TXT"),
              UtilHttp::DownloadHttp(client, FakeNoaaUrl(Stations + "EGLL.TXT", FakeNoaaPort::Http)));
    EXPECT_EQ(ReadWeatherData("stations/EGLL.TXT"),
              UtilHttp::DownloadHttp(client, FakeNoaaUrl(Stations + "EGLL.TXT", FakeNoaaPort::Https)));
}

TEST_P(HttpDownload, SendsAPlainGetNamingTheProgram) {
    const std::string request = Download("/echo");
    EXPECT_EQ(0u, request.find("GET /echo HTTP/1.1\r\n")) << request;
    const std::string agent = UtilHttp::UserAgent();
    EXPECT_EQ(0u, agent.find("Orbimeteo/3.2.5")) << agent;
    EXPECT_NE(std::string::npos, request.find("User-Agent: " + agent + "\n")) << request;
    EXPECT_EQ(std::string::npos, request.find("Accept-Encoding")) << request;
}

TEST(HttpDownloadTimeout, GivesUpOnASilentServerAfterTenSeconds) {
    const auto start = std::chrono::steady_clock::now();
    CHttpClient client;
    EXPECT_THROW(UtilHttp::DownloadHttp(client, FakeNoaaUrl("/slow/12000/empty")), ApplicationException);
    const double seconds = SecondsSince(start);
    EXPECT_GT(seconds, 9.0);
    EXPECT_LT(seconds, 11.9);
}

TEST(HttpDownloadTimeout, FailsWhenNobodyListens) {
    CHttpClient client;
    EXPECT_THROW(UtilHttp::DownloadHttp(client, L"http://127.0.0.1:1/pub/KLAX.TXT"), ApplicationException);
    EXPECT_THROW(UtilHttp::DownloadHttp(client, L"https://127.0.0.1:1/pub/KLAX.TXT"), ApplicationException);
}
