#include "FakeNoaa.h"
#include "core/ApplicationException.h"
#include "weather/Http.h"
#include "weather/WeatherTestData.h"

#include <gtest/gtest.h>

namespace {

const std::string Klax = "/data/observations/metar/stations/KLAX.TXT";

std::string Download(const std::wstring& url) {
    CHttpClient client(HttpLimits(), FakeNoaaCaFile());
    return UtilHttp::DownloadHttp(client, url);
}

bool Fails(const std::wstring& url) {
    try {
        Download(url);
    } catch (const ApplicationException& e) {
        return e.Location == L"Util::DownloadHttp (18)";
    }
    return false;
}

std::string PercentEncoded(const std::wstring& url) {
    std::string text;
    for (wchar_t c : url) {
        if (c == L':' || c == L'/') {
            text += c == L':' ? "%3A" : "%2F";
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

} // namespace

TEST(HttpsDownload, FollowsRedirectsFromHttpUpToHttps) {
    const std::string klax = ReadWeatherData("stations/KLAX.TXT");
    for (int status : {301, 302, 303, 307, 308}) {
        EXPECT_EQ(klax, Download(FakeNoaaUrl("/to-https/" + std::to_string(status) + Klax))) << status;
    }
    // Up and on: https to https after the step up.
    EXPECT_EQ(klax, Download(FakeNoaaUrl("/to-https/301/redirect/302/2" + Klax)));
}

TEST(HttpsDownload, NeverFollowsARedirectDownToHttp) {
    for (int status : {301, 302, 307, 308}) {
        EXPECT_TRUE(Fails(FakeNoaaUrl("/to-http/" + std::to_string(status) + Klax, FakeNoaaPort::Https)))
            << status;
    }
    EXPECT_TRUE(Fails(FakeNoaaUrl("/redirect-to/" + PercentEncoded(FakeNoaaUrl(Klax)), FakeNoaaPort::Https)));
    // Not after a step up either.
    EXPECT_TRUE(Fails(FakeNoaaUrl("/to-https/301/to-http/302" + Klax)));
    // The same address over plain http is fine.
    EXPECT_EQ(ReadWeatherData("stations/KLAX.TXT"), Download(FakeNoaaUrl("/to-http/302" + Klax)));
}

TEST(HttpsDownload, RefusesACertificateFromAnUnknownAuthority) {
    EXPECT_TRUE(Fails(FakeNoaaUrl(Klax, FakeNoaaPort::Untrusted)));
    // Reached through a redirect just the same.
    EXPECT_TRUE(
        Fails(FakeNoaaUrl("/redirect-to/" + PercentEncoded(FakeNoaaUrl(Klax, FakeNoaaPort::Untrusted)))));
    // A client that trusts only the system's authorities knows neither test authority.
    CHttpClient system;
    EXPECT_THROW(UtilHttp::DownloadHttp(system, FakeNoaaUrl(Klax, FakeNoaaPort::Untrusted)),
                 ApplicationException);
#ifndef _WIN32
    EXPECT_THROW(UtilHttp::DownloadHttp(system, FakeNoaaUrl(Klax, FakeNoaaPort::Https)),
                 ApplicationException);
#endif
}

TEST(HttpsDownload, RefusesACertificateForAnotherHost) {
    // The certificate names 127.0.0.1, not localhost, which leads to the same server.
    const std::wstring plain = FakeNoaaUrl(Klax);
    const std::wstring secure = FakeNoaaUrl(Klax, FakeNoaaPort::Https);
    ASSERT_EQ(ReadWeatherData("stations/KLAX.TXT"),
              Download(L"http://localhost" + plain.substr(plain.rfind(L':'))));
    EXPECT_TRUE(Fails(L"https://localhost" + secure.substr(secure.rfind(L':'))));
}
