#include "weather/NoaaAddresses.h"

#include "core/RegistryWin32.h"

namespace {

// The current user's value when it is usable, else the machine's; empty keeps the default.
std::wstring ReadUserOrMachine(const std::wstring& key, const wchar_t* name,
                               bool (*usable)(const std::wstring&)) {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        std::wstring value = Registry::ReadString(root, key, name);
        if (usable(value)) {
            return value;
        }
    }
    return {};
}

} // namespace

NoaaAddresses NoaaAddresses::Read(const std::wstring& registryKey) {
    return From(ReadUserOrMachine(registryKey, ObservationUrlTemplateName, IsUsableObservationUrlTemplate),
                ReadUserOrMachine(registryKey, ForecastEndpointName, IsUsableForecastEndpoint));
}
