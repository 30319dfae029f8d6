#pragma once
#include <string>

// A font as the settings hold it. The family is kept as written even when it is not installed
// here, so that saving the settings again keeps the user's choice; the drawing layer picks a
// fallback when it makes the real font.
struct FontValue {
    enum StyleBits { Regular = 0, Bold = 1, Italic = 2, Underline = 4, Strikeout = 8 };

    std::wstring Family;
    double Size = 0; // in points
    int Style = Regular;

    bool operator==(const FontValue&) const = default;
};
