#include "InspectSupport.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

int Digits(const std::string& text, size_t position, size_t count) {
    int value = 0;
    for (size_t i = position; i < position + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') {
            throw UsageError();
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

void Expect(const std::string& text, size_t position, char c) {
    if (position >= text.size() || text[position] != c) {
        throw UsageError();
    }
}

} // namespace

// ---- Reading arguments ----------------------------------------------------------------------

double ParseNumber(const std::string& text) {
    if (text.empty()) {
        throw UsageError();
    }
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value)) {
        throw UsageError();
    }
    return value;
}

int ParseCount(const std::string& text, int max) {
    if (text.empty() || text.size() > 9) {
        throw UsageError();
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            throw UsageError();
        }
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > max) {
        throw UsageError();
    }
    return value;
}

// YYYY-MM-DD; a well-formed but impossible date throws the date's own error.
DateTime ParseDate(const std::string& text) {
    if (text.size() != 10) {
        throw UsageError();
    }
    Expect(text, 4, '-');
    Expect(text, 7, '-');
    return DateTime(Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2), 0, 0);
}

// YYYY-MM-DDTHH:MM:SS[.fffffff]Z
DateTime ParseInstant(const std::string& text) {
    if (text.size() < 20 || text.back() != 'Z') {
        throw UsageError();
    }
    Expect(text, 10, 'T');
    Expect(text, 13, ':');
    Expect(text, 16, ':');
    DateTime date = ParseDate(text.substr(0, 10));
    int64_t fraction = 0;
    size_t end = text.size() - 1;
    if (end > 19) {
        Expect(text, 19, '.');
        size_t digits = end - 20;
        if (digits < 1 || digits > 7) {
            throw UsageError();
        }
        fraction = Digits(text, 20, digits);
        for (size_t i = digits; i < 7; ++i) {
            fraction *= 10;
        }
    } else if (end != 19) {
        throw UsageError();
    }
    int64_t time = DateTime::TimeToTicks(Digits(text, 11, 2), Digits(text, 14, 2), Digits(text, 17, 2));
    return date + TimeSpan(time + fraction);
}

// ---- Writing answers ------------------------------------------------------------------------

std::string Iso(const DateTime& value) {
    int64_t time = value.TimeOfDay().Ticks();
    int64_t seconds = time / TimeSpan::TicksPerSecond;
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%07dZ", value.Year(), value.Month(),
                  value.Day(), static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60), static_cast<int>(time % TimeSpan::TicksPerSecond));
    return text;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// Location texts are plain ASCII.
std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}
