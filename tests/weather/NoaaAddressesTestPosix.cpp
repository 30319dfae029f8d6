#include "weather/NoaaAddresses.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(NoaaAddresses, ReadsTheEnvironmentNatively) {
    setenv(NoaaAddresses::ObservationUrlTemplateVariable, "http://127.0.0.1:9/stations/%s.TXT", 1);
    setenv(NoaaAddresses::ForecastEndpointVariable, "not an address", 1);
    const NoaaAddresses addresses = NoaaAddresses::Read(L"Software\\CloudPane");
    unsetenv(NoaaAddresses::ObservationUrlTemplateVariable);
    unsetenv(NoaaAddresses::ForecastEndpointVariable);
    EXPECT_EQ(L"http://127.0.0.1:9/stations/%s.TXT", addresses.ObservationUrlTemplate);
    EXPECT_EQ(NoaaAddresses::DefaultForecastEndpoint, addresses.ForecastEndpoint);

    const NoaaAddresses unset = NoaaAddresses::Read(L"Software\\CloudPane");
    EXPECT_EQ(NoaaAddresses::DefaultObservationUrlTemplate, unset.ObservationUrlTemplate);
}
