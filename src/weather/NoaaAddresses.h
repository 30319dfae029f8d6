#pragma once
#include <string>

// Where NOAA's two services answer. They are settings rather than constants because NOAA has
// moved both more than once; a value that is missing or unusable keeps its default.
struct NoaaAddresses {
    static constexpr const wchar_t* DefaultObservationUrlTemplate =
        L"https://tgftp.nws.noaa.gov/data/observations/metar/stations/%s.TXT";
    static constexpr const wchar_t* DefaultForecastEndpoint =
        L"https://digital.weather.gov/xml/SOAP_server/ndfdXMLserver.php";
    // Names of the settings: registry values beside the program's own, or, natively,
    // environment variables.
    static constexpr const wchar_t* ObservationUrlTemplateName = L"ObservationUrlTemplate";
    static constexpr const wchar_t* ForecastEndpointName = L"ForecastEndpoint";
    static constexpr const char* ObservationUrlTemplateVariable = "ORBIMETEO_OBSERVATION_URL_TEMPLATE";
    static constexpr const char* ForecastEndpointVariable = "ORBIMETEO_FORECAST_ENDPOINT";

    // An http or https address of the station file with "%s" where the station goes.
    std::wstring ObservationUrlTemplate = DefaultObservationUrlTemplate;
    // The http or https address the forecast request is posted to.
    std::wstring ForecastEndpoint = DefaultForecastEndpoint;

    // A template must be an http or https address holding "%s" exactly once and no other "%";
    // an endpoint an http or https address.
    static bool IsUsableObservationUrlTemplate(const std::wstring& text);
    static bool IsUsableForecastEndpoint(const std::wstring& text);

    // The defaults with every usable value put in their place.
    static NoaaAddresses From(const std::wstring& observationUrlTemplate,
                              const std::wstring& forecastEndpoint);

    // The settings as stored: under the registry key (for example "Software\CloudPane"), the
    // current user's value when usable, else the machine's; natively the environment variables.
    static NoaaAddresses Read(const std::wstring& registryKey);

    // The template with the station put in place of "%s", as stored (no case change, no
    // escaping).
    std::wstring ObservationUrl(const std::wstring& icao) const;
};
