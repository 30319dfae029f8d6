#include "weather/NoaaAddresses.h"

#include "core/Encoding.h"

#include <cstdlib>

namespace {
// Natively there is no registry: the environment holds the settings, read as Windows-1252 like
// every other 8-bit text of the program.
std::wstring Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? FromAnsi(value) : std::wstring();
}
} // namespace

NoaaAddresses NoaaAddresses::Read(const std::wstring&) {
    return From(Variable(ObservationUrlTemplateVariable), Variable(ForecastEndpointVariable));
}
