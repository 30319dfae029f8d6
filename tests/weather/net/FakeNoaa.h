#pragma once
#include "weather/NoaaAddresses.h"

#include <string>

// The fake NOAA server that ctest starts for these tests (tests/weather/fake_noaa.py).

// "http://127.0.0.1:PORT" followed by the path.
std::wstring FakeNoaaUrl(const std::string& path);
// The station files of the server, and its forecast service answering in the given mode ("ok",
// "fault", ...); the token names the request so that a test can read back what it sent.
NoaaAddresses FakeNoaaAddresses(const std::string& token = "default", const std::string& mode = "ok");
// What the forecast request with that token sent: the SOAPAction line, a blank line, the body.
std::string FakeNoaaLastForecastRequest(const std::string& token);
