#include "weather/NoaaAddresses.h"

#include "weather/Http.h"

bool NoaaAddresses::IsUsableObservationUrlTemplate(const std::wstring& text) {
    const size_t marker = text.find(L"%s");
    if (marker == std::wstring::npos || text.find(L'%', marker + 2) != std::wstring::npos ||
        text.find(L'%') != marker) {
        return false;
    }
    // Checked with a sample station in place of the marker.
    HttpUrl url;
    return UtilHttp::SplitUrl(text.substr(0, marker) + L"KLAX" + text.substr(marker + 2), url);
}

bool NoaaAddresses::IsUsableForecastEndpoint(const std::wstring& text) {
    HttpUrl url;
    return UtilHttp::SplitUrl(text, url);
}

NoaaAddresses NoaaAddresses::From(const std::wstring& observationUrlTemplate,
                                  const std::wstring& forecastEndpoint) {
    NoaaAddresses addresses;
    if (IsUsableObservationUrlTemplate(observationUrlTemplate)) {
        addresses.ObservationUrlTemplate = observationUrlTemplate;
    }
    if (IsUsableForecastEndpoint(forecastEndpoint)) {
        addresses.ForecastEndpoint = forecastEndpoint;
    }
    return addresses;
}

std::wstring NoaaAddresses::ObservationUrl(const std::wstring& icao) const {
    std::wstring url = ObservationUrlTemplate;
    const size_t marker = url.find(L"%s");
    if (marker != std::wstring::npos) {
        url.replace(marker, 2, icao);
    }
    return url;
}
