#pragma once
#include "weather/NoaaAddresses.h"

#include <string>

// The fake NOAA server that ctest starts for these tests (tests/weather/fake_noaa.py).

// Its three listeners: plain http, https with a certificate from the test authority, and https
// with a certificate from an authority nobody trusts.
enum class FakeNoaaPort { Http, Https, Untrusted };

// "http://127.0.0.1:PORT" (or "https://") followed by the path.
std::wstring FakeNoaaUrl(const std::string& path, FakeNoaaPort port = FakeNoaaPort::Http);
// The station files of the server, and its forecast service answering in the given mode ("ok",
// "fault", ...); the token names the request so that a test can read back what it sent.
NoaaAddresses FakeNoaaAddresses(const std::string& token = "default", const std::string& mode = "ok",
                                FakeNoaaPort port = FakeNoaaPort::Http);
// What a client passes to trust the test authority: natively its file; empty on Windows, where
// the run has put it into the Root store.
std::string FakeNoaaCaFile();
// What the forecast request with that token sent: the SOAPAction line, a blank line, the body.
std::string FakeNoaaLastForecastRequest(const std::string& token);
