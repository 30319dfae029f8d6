#include "FakeNoaa.h"

#include "weather/Http.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace {

int Port() {
    static const int port = [] {
        const char* file = std::getenv("ORBIMETEO_FAKE_NOAA_PORT_FILE");
        if (file == nullptr) {
            throw std::runtime_error(
                "ORBIMETEO_FAKE_NOAA_PORT_FILE is not set: run these tests through ctest");
        }
        std::ifstream in(file);
        int value = 0;
        if (!(in >> value) || value <= 0 || value > 65535) {
            throw std::runtime_error(std::string("no port in ") + file);
        }
        return value;
    }();
    return port;
}

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

} // namespace

std::wstring FakeNoaaUrl(const std::string& path) {
    return L"http://127.0.0.1:" + std::to_wstring(Port()) + Wide(path);
}

NoaaAddresses FakeNoaaAddresses(const std::string& token, const std::string& mode) {
    NoaaAddresses addresses;
    addresses.ObservationUrlTemplate = FakeNoaaUrl("/pub/data/observations/metar/stations/%s.TXT");
    addresses.ForecastEndpoint = FakeNoaaUrl("/soap/" + token + "/" + mode + "/ndfdXMLserver.php");
    return addresses;
}

std::string FakeNoaaLastForecastRequest(const std::string& token) {
    CHttpClient client;
    return UtilHttp::DownloadHttp(client, FakeNoaaUrl("/__last-soap/" + token));
}
