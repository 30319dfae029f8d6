#pragma once
#include "core/DateTime.h"

#include <string>
#include <vector>

// What the subcommands of orbimeteo-inspect share: reading their arguments and writing the
// pieces of their JSON answers.

using Args = std::vector<std::string>;

// A command line that does not fit: main prints the usage and exits with 2.
struct UsageError {};

double ParseNumber(const std::string& text);
int ParseCount(const std::string& text, int max);
// YYYY-MM-DD; a well-formed but impossible date throws the date's own error.
DateTime ParseDate(const std::string& text);
// YYYY-MM-DDTHH:MM:SS[.fffffff]Z
DateTime ParseInstant(const std::string& text);

// "YYYY-MM-DDTHH:MM:SS.fffffffZ"
std::string Iso(const DateTime& value);
// The text quoted and escaped as a JSON string; bytes from 0x80 on pass unchanged.
std::string JsonString(const std::string& text);
// Location texts are plain ASCII.
std::string Narrow(const std::wstring& text);
