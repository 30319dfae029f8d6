#include "FakeNoaa.h"

#include "weather/Http.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace {

// The port file holds one line per listener, in the order of FakeNoaaPort.
int Port(FakeNoaaPort port) {
    static const std::array<int, 3> ports = [] {
        const char* file = std::getenv("ORBIMETEO_FAKE_NOAA_PORT_FILE");
        if (file == nullptr) {
            throw std::runtime_error(
                "ORBIMETEO_FAKE_NOAA_PORT_FILE is not set: run these tests through ctest");
        }
        std::ifstream in(file);
        std::array<int, 3> values{};
        for (int& value : values) {
            if (!(in >> value) || value <= 0 || value > 65535) {
                throw std::runtime_error(std::string("no three ports in ") + file);
            }
        }
        return values;
    }();
    return ports[static_cast<size_t>(port)];
}

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

} // namespace

std::wstring FakeNoaaUrl(const std::string& path, FakeNoaaPort port) {
    const wchar_t* scheme = port == FakeNoaaPort::Http ? L"http" : L"https";
    return scheme + std::wstring(L"://127.0.0.1:") + std::to_wstring(Port(port)) + Wide(path);
}

NoaaAddresses FakeNoaaAddresses(const std::string& token, const std::string& mode, FakeNoaaPort port) {
    NoaaAddresses addresses;
    addresses.ObservationUrlTemplate = FakeNoaaUrl("/data/observations/metar/stations/%s.TXT", port);
    addresses.ForecastEndpoint = FakeNoaaUrl("/soap/" + token + "/" + mode + "/ndfdXMLserver.php", port);
    return addresses;
}

std::string FakeNoaaCaFile() {
#ifdef ORBIMETEO_FAKE_NOAA_CA_FILE
    return ORBIMETEO_FAKE_NOAA_CA_FILE;
#else
    return std::string();
#endif
}

std::string FakeNoaaLastForecastRequest(const std::string& token) {
    CHttpClient client;
    return UtilHttp::DownloadHttp(client, FakeNoaaUrl("/__last-soap/" + token));
}
