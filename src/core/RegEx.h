#pragma once
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A compiled pattern (case-sensitive). Dialect: literals; "\" + a non-abbreviation character
// for that character; "." any character; "[...]" sets with ranges and a leading "^" negation;
// "^" at the very start anchors every branch; "$" the end of the text; "?", "*", "+";
// "(...)"; "|". The abbreviations \a \b \c \d \h \n \q \w \z each stand for one grouped
// expression. A pattern that does not compile throws ApplicationException.
//
// Matching simulates all paths at once, so its time is linear in the text whatever the
// pattern. The object is immutable after construction; matches from several threads at once
// are safe.
class RegEx {
public:
    explicit RegEx(const char* pattern);

    // True if the pattern matches somewhere in the text (at its start if anchored).
    bool Match(const char* text) const;
    // The whole string, embedded NULs included.
    bool Match(const std::string& text) const;

    struct Instruction {
        enum Kind : uint8_t { Char, Any, Set, Split, Jump, AssertEnd, Accept };
        Kind kind;
        unsigned char character;
        int first;  // Set: set index; Split, Jump: target
        int second; // Split: other target
    };

private:
    bool Search(std::string_view text) const;

    std::vector<Instruction> program_;
    std::vector<std::bitset<256>> sets_;
    bool anchored_ = false;
};
