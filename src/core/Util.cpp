#include "core/Util.h"

#include "core/ApplicationException.h"
#include "core/Encoding.h"
#include "core/OutputFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view View(const char* text) {
    return text != nullptr ? std::string_view(text, std::strlen(text)) : std::string_view();
}

// Large enough for "%.3f" of any double, so that no value is cut short.
constexpr size_t FixedBufferSize = 400;

bool FormatFixed(double value, char (&buffer)[FixedBufferSize], std::string_view& text) {
    const auto [end, error] =
        std::to_chars(buffer, buffer + FixedBufferSize, value, std::chars_format::fixed, 3);
    if (error != std::errc() || end == buffer) {
        return false;
    }
    text = std::string_view(buffer, static_cast<size_t>(end - buffer));
    return true;
}
} // namespace

int Util::ParseInt(const char* text) {
    if (text == nullptr) {
        ThrowArgumentNullException("Util::ParseInt (373)");
    }
    return ParseIntText(View(text));
}

int Util::ParseInt(const std::string& text) {
    return ParseIntText(text);
}

int Util::ParseIntText(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr uint64_t Beyond = 0x80000001u; // past every 32-bit magnitude; saturates there
    uint64_t magnitude = 0;
    bool sawDigit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsBlank(c)) {
            continue;
        }
        if (!IsDigit(c)) {
            ThrowArgumentException("Util::ParseInt (412)");
        }
        sawDigit = true;
        magnitude = std::min<uint64_t>(magnitude * 10 + static_cast<uint64_t>(c - '0'), Beyond);
    }
    if (!sawDigit) {
        ThrowArgumentException("Util::ParseInt (421)");
    }
    // A settings value out of range must not come back as some other number.
    if (magnitude > (negative ? 0x80000000u : 0x7FFFFFFFu)) {
        ThrowOverflowException("Util::ParseInt (418)");
    }
    const int64_t value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    return static_cast<int>(value);
}

double Util::ParseDouble(const char* text) {
    if (text == nullptr) {
        ThrowArgumentNullException("Util::ParseDouble (434)");
    }
    return ParseDoubleText(View(text));
}

double Util::ParseDouble(const std::string& text) {
    return ParseDoubleText(text);
}

double Util::ParseDoubleText(std::string_view text) {
    const size_t n = text.size();
    size_t i = 0;
    while (i < n && IsBlank(text[i])) {
        ++i;
    }
    const size_t start = i;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t mantissa = i;
    size_t digits = 0;
    for (; i < n && IsDigit(text[i]); ++i) {
        ++digits;
    }
    if (i < n && text[i] == '.') {
        for (++i; i < n && IsDigit(text[i]); ++i) {
            ++digits;
        }
    }
    // The grammar is checked here and only decimal text reaches from_chars, which ignores the
    // locale: no "inf", "nan" or hexadecimal slips through.
    size_t end = start;
    double value = 0;
    bool usable = true;
    if (digits > 0) {
        end = i;
        if (end < n && (text[end] == 'e' || text[end] == 'E')) {
            size_t j = end + 1;
            if (j < n && (text[j] == '-' || text[j] == '+')) {
                ++j;
            }
            if (j < n && IsDigit(text[j])) {
                while (j < n && IsDigit(text[j])) {
                    ++j;
                }
                end = j;
            }
        }
        const auto result = std::from_chars(text.data() + mantissa, text.data() + end, value);
        usable = result.ec == std::errc() && result.ptr == text.data() + end && std::isfinite(value);
        if (negative) {
            value = -value;
        }
    }
    if (!usable || (value == 0 && (start == n || text[start] != '0'))) {
        ThrowArgumentException("Util::ParseDouble (442)");
    }
    for (i = end; i < n; ++i) {
        if (!IsBlank(text[i])) {
            ThrowArgumentException("Util::ParseDouble (448)");
        }
    }
    return value;
}

unsigned int Util::ParseDigits(const std::string& text, int position, int count) {
    if (position < 0 || static_cast<size_t>(position) > text.size()) {
        throw std::out_of_range("Util::ParseDigits: position outside the text");
    }
    // Nine digits always fit; a longer field is a caller's mistake, not a wrapped value.
    if (count < 0 || count > 9) {
        throw std::out_of_range("Util::ParseDigits: count outside 0..9");
    }
    unsigned int value = 0;
    for (int k = 0; k < count; ++k) {
        const size_t index = static_cast<size_t>(position) + static_cast<size_t>(k);
        // The end of the text reads as its NUL, a non-digit.
        const char c = index < text.size() ? text[index] : '\0';
        if (!IsDigit(c)) {
            ThrowApplicationException("Util::ParseDigits (462)");
        }
        value = value * 10 + static_cast<unsigned int>(c - '0');
    }
    return value;
}

void Util::Parse(const char* text, bool& value) {
    Parse(std::string(View(text)), value);
}

void Util::Parse(const std::string& text, bool& value) {
    if (text == "true") {
        value = true;
    } else if (text == "false") {
        value = false;
    } else {
        ThrowApplicationException("Util::Parse (187)");
    }
}

void Util::Parse(const char* text, uint32_t& colour) {
    Parse(std::string(View(text)), colour);
}

void Util::Parse(const std::string& text, uint32_t& colour) {
    const std::vector<std::string> fields = SplitCommas(text);
    if (fields.size() < 3) {
        ThrowApplicationException("Util::Parse (196)");
    }
    const auto red = static_cast<uint32_t>(ParseInt(fields[0])) & 0xFF;
    const auto green = static_cast<uint32_t>(ParseInt(fields[1])) & 0xFF;
    const auto blue = static_cast<uint32_t>(ParseInt(fields[2])) & 0xFF;
    colour = 0xFF000000u | red << 16 | green << 8 | blue;
}

FontValue Util::ParseFont(const char* text) {
    return ParseFont(std::string(View(text)));
}

FontValue Util::ParseFont(const std::string& text) {
    const std::vector<std::string> fields = SplitCommas(text);
    if (fields.size() < 3) {
        ThrowApplicationException("Util::ParseFont (225)");
    }
    FontValue font;
    font.Family = FromAnsi(fields[0]);
    font.Size = ParseDouble(fields[1]);
    font.Style = ParseInt(fields[2]);
    return font;
}

std::vector<std::string> Util::SplitCommas(const std::string& text) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        if (comma == std::string::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

std::string Util::ToString(int value) {
    char buffer[20];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) {
        ThrowApplicationException("Util::ToString (141)");
    }
    return std::string(buffer, end);
}

std::string Util::ToString(double value) {
    char buffer[FixedBufferSize];
    std::string_view text;
    if (!FormatFixed(value, buffer, text)) {
        ThrowApplicationException("Util::ToString (149)");
    }
    return std::string(text);
}

void Util::WriteToFileAscii(OutputFile& file, const char* text) {
    WriteToFileAscii(file, std::string(View(text)));
}

void Util::WriteToFileAscii(OutputFile& file, const std::string& bytes) {
    if (!file.Write(bytes.data(), bytes.size())) {
        ThrowApplicationException("Util::WriteToFileAscii (57)");
    }
}

void Util::WriteToFileAscii(OutputFile& file, bool value) {
    WriteToFileAscii(file, value ? "true" : "false");
}

void Util::WriteToFileAscii(OutputFile& file, int value) {
    char buffer[100];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) {
        ThrowApplicationException("Util::WriteToFileAscii (78)");
    }
    WriteToFileAscii(file, std::string(buffer, end));
}

void Util::WriteToFileAscii(OutputFile& file, double value) {
    char buffer[FixedBufferSize];
    std::string_view text;
    if (!FormatFixed(value, buffer, text)) {
        ThrowApplicationException("Util::WriteToFileAscii (90)");
    }
    WriteToFileAscii(file, std::string(text));
}

void Util::WriteToFileAscii(OutputFile& file, const std::wstring& text) {
    const std::string bytes = ToAnsi(text);
    if (!file.Write(bytes.data(), bytes.size())) {
        ThrowApplicationException("Util::WriteToFileAscii (67)");
    }
}

void Util::WriteToFileAscii(OutputFile& file, const wchar_t* text) {
    WriteToFileAscii(file, text != nullptr ? std::wstring(text) : std::wstring());
}

void Util::WriteToFileAscii(OutputFile& file, const FontValue& font) {
    WriteToFileAscii(file, font.Family);
    WriteToFileAscii(file, ",");
    WriteToFileAscii(file, font.Size);
    WriteToFileAscii(file, ",");
    WriteToFileAscii(file, font.Style);
}

void Util::WriteColourToFileAscii(OutputFile& file, uint32_t colour) {
    WriteToFileAscii(file, static_cast<int>((colour >> 16) & 0xFF));
    WriteToFileAscii(file, ",");
    WriteToFileAscii(file, static_cast<int>((colour >> 8) & 0xFF));
    WriteToFileAscii(file, ",");
    WriteToFileAscii(file, static_cast<int>(colour & 0xFF));
}

namespace {
template <class Value> void WriteLine(OutputFile& file, const char* key, const Value& value) {
    Util::WriteToFileAscii(file, key);
    Util::WriteToFileAscii(file, "=");
    Util::WriteToFileAscii(file, value);
    Util::WriteToFileAscii(file, "\r\n");
}
} // namespace

void Util::WriteLineToFileAscii(OutputFile& file, const char* key, bool value) {
    WriteLine(file, key, value);
}

void Util::WriteLineToFileAscii(OutputFile& file, const char* key, int value) {
    WriteLine(file, key, value);
}

void Util::WriteLineToFileAscii(OutputFile& file, const char* key, const std::wstring& value) {
    WriteLine(file, key, value);
}

void Util::WriteLineToFileAscii(OutputFile& file, const char* key, const wchar_t* value) {
    WriteLine(file, key, value);
}

void Util::WriteLineToFileAscii(OutputFile& file, const char* key, const FontValue& value) {
    WriteLine(file, key, value);
}

void Util::WriteColourLineToFileAscii(OutputFile& file, const char* key, uint32_t colour) {
    WriteToFileAscii(file, key);
    WriteToFileAscii(file, "=");
    WriteColourToFileAscii(file, colour);
    WriteToFileAscii(file, "\r\n");
}

std::wstring Util::AppendBackslash(const std::wstring& path) {
    if (path.empty()) {
        ThrowApplicationException("Util::AppendBackslash (91)");
    }
    return path.back() == L'\\' ? path : path + L'\\';
}
