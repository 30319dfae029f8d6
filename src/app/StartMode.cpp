#include "app/StartMode.h"

#include "core/ApplicationException.h"
#include "core/Util.h"

#include <string>
#include <vector>

namespace {
// Only ASCII matters here: the names and switches compared are ASCII.
template <class Char> std::basic_string<Char> LowerAscii(std::basic_string_view<Char> text) {
    std::basic_string<Char> lower(text);
    for (Char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<Char>(c - 'A' + 'a');
        }
    }
    return lower;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Runs of delimiters count as one, so "/c:1234", "/c 1234" and "-C  1234" split alike.
std::vector<std::string> Tokens(std::string_view text) {
    constexpr std::string_view Delimiters = " :\r\n\t";
    std::vector<std::string> tokens;
    size_t start = text.find_first_not_of(Delimiters);
    while (start != std::string_view::npos) {
        const size_t end = text.find_first_of(Delimiters, start);
        tokens.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        start = text.find_first_not_of(Delimiters, end);
    }
    return tokens;
}

int HandleAfter(const std::vector<std::string>& tokens, size_t index) {
    return index + 1 < tokens.size() ? Util::ParseInt(tokens[index + 1].c_str()) : 0;
}
} // namespace

ProgramFileRole ParseProgramFileName(std::wstring_view fileName) {
    const std::wstring name = LowerAscii(fileName);
    // The extension is the last four characters, the whole name when it is that short.
    const size_t split = name.size() > 4 ? name.size() - 4 : 0;
    const std::wstring_view base = std::wstring_view(name).substr(0, split);
    const std::wstring_view extension = std::wstring_view(name).substr(split);

    ProgramFileRole role{};
    if (base == L"globe-glow") {
        role.Kind = EnumAppKind::GlobeGlow;
    } else if (base == L"cloud-pane") {
        role.Kind = EnumAppKind::CloudPane;
    } else {
        ThrowApplicationException("Program::DetermineAppMode (1169)");
    }
    if (extension == L".exe") {
        role.ScreenSaver = false;
    } else if (extension == L".scr") {
        role.ScreenSaver = true;
    } else {
        ThrowApplicationException("Program::DetermineAppMode (1178)");
    }
    return role;
}

ScreenSaverStart ParseScreenSaverCommandLine(std::string_view commandLine) {
    const std::vector<std::string> tokens = Tokens(LowerAscii(Trimmed(commandLine)));
    for (size_t i = 0; i < tokens.size(); ++i) {
        const size_t first = tokens[i].find_first_not_of("\\/-");
        if (first == std::string::npos) {
            continue;
        }
        switch (tokens[i][first]) {
        case 's':
            return {EnumAppMode::SS_SS, 0};
        case 'c':
            return {EnumAppMode::SS_Configure, HandleAfter(tokens, i)};
        case 'p':
            return {EnumAppMode::SS_Preview, HandleAfter(tokens, i)};
        default:
            break;
        }
    }
    return {EnumAppMode::SS_Configure, 0};
}
