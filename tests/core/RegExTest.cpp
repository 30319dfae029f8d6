#include "core/RegEx.h"
#include "ThrowLocation.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

using namespace std::string_literals;

namespace {
struct Case {
    const char* Pattern;
    std::vector<std::string> Matching;
    std::vector<std::string> Other;
};

void ExpectAnswers(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const RegEx pattern(c.Pattern);
        for (const std::string& text : c.Matching) {
            EXPECT_TRUE(pattern.Match(text)) << c.Pattern << " should match \"" << text << "\"";
        }
        for (const std::string& text : c.Other) {
            EXPECT_FALSE(pattern.Match(text)) << c.Pattern << " should not match \"" << text << "\"";
        }
    }
}
} // namespace

TEST(RegEx, LiteralsSearchAndAnchors) {
    ExpectAnswers({
        {"abc", {"abc", "xxabcxx"}, {"ab", "ABC", "acb", ""}},
        {"^abc", {"abc", "abcd"}, {"xabc"}},
        {"abc$", {"abc", "xabc"}, {"abcx", "abc\n"}},
        {"^$", {""}, {"a"}},
        {"", {"", "anything"}, {}},
        {"a^b", {"a^b"}, {"ab"}},   // "^" is special only at the very start
        {"a$b", {}, {"ab", "a$b"}}, // "$" is always the end of the text
        {".", {"x", "\n", " "}, {""}},
        {"^a.c$", {"abc", "a.c"}, {"ac", "abbc"}},
    });
}

TEST(RegEx, SetsAndEscapes) {
    ExpectAnswers({
        {"^[a-c]$", {"a", "b", "c"}, {"d", "A", "-"}},
        {"^[^a-c]$", {"d", "-", "\n"}, {"a", "c", ""}},
        {"^[+\\-]$", {"+", "-"}, {",", "\\"}},
        {"^[-a]$", {"-", "a"}, {"b"}},
        {"^[a-]$", {"-", "a"}, {"b"}},
        {"^[.^$(]$", {".", "^", "$", "("}, {"x"}},
        {"^[\\]]$", {"]"}, {"\\"}},
        {"^\\.$", {"."}, {"x"}},
        {"^\\t$", {"t"}, {"\t"}}, // not an abbreviation letter: the letter itself
        {"^\\(\\)\\*\\+\\?\\|\\[\\$\\^\\\\$", {"()*+?|[$^\\"}, {}},
    });
}

TEST(RegEx, QuantifiersGroupsAndAlternation) {
    ExpectAnswers({
        {"^ab?c$", {"ac", "abc"}, {"abbc"}},
        {"^ab*c$", {"ac", "abc", "abbbc"}, {"adc"}},
        {"^ab+c$", {"abc", "abbbc"}, {"ac"}},
        {"^(ab)+$", {"ab", "abab"}, {"", "aba"}},
        {"^a(b|cd)e$", {"abe", "acde"}, {"ae", "abcde"}},
        {"^ab|cd$", {"abx", "cd"}, {"xab", "xcd", "cdx"}}, // the anchor holds for every branch
        {"^(a|)$", {"a", ""}, {"b"}},
        {"^(a*)*$", {"", "aaa"}, {"b"}},
        {"^a+?$", {"", "aaa"}, {"b"}}, // stacked quantifiers: "+" then "?" is "*"
        {"^(a?)+b$", {"b", "aab"}, {"c"}},
        {"^x$?", {"x", "xy"}, {"y"}},
    });
}

TEST(RegEx, Abbreviations) {
    ExpectAnswers({
        {"^\\a$", {"a", "Z", "5"}, {"_", "", "ab"}},
        {"^\\b$", {" ", "\t"}, {"\n", "b"}},
        {"^\\c$", {"q", "Q"}, {"1"}},
        {"^\\d$", {"0", "9"}, {"a", "12"}},
        {"^\\h$", {"0", "f", "F", "9"}, {"g", "G"}},
        {"^\\n$", {"\r", "\n", "\r\n"}, {"\n\r", "n", ""}},
        {"^\\q$", {"\"a b\"", "''", "'it'"}, {"\"a'", "'", "q"}},
        {"^\\w$", {"abc", "Z"}, {"", "a1"}},
        {"^\\z$", {"0", "123"}, {"", "1a"}},
        // One abbreviation is one item: what follows "\q" is not taken into its alternation.
        {"^\\q$", {}, {"\"x\" tail"}},
        {"^a\\qb$", {"a'x'b", "a\"\"b"}, {"a'x'"}},
        {"^\\d+\\w$", {"12ab"}, {"12"}},
    });
}

TEST(RegEx, PatternsOfTheWeatherDecoder) {
    ExpectAnswers({
        {"^\\d\\d\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d",
         {"2024/03/01 17:53\nKLAX"},
         {"2024/03/01", "24/03/01 17:53"}},
        {"^\\d\\d\\d\\d/\\d\\d/\\d\\d", {"2024/03/01", "2024/03/01 17:53"}, {"2024-03-01"}},
        {"^\\d\\d\\d\\d\\d\\dZ$", {"011753Z"}, {"011753", "011753Z ", "01175Z", "x011753Z"}},
        {"^[+\\-]?((MI)|(PR)|(BC)|(DR)|(BL)|(SH)|(TS)|(FZ)|(DZ)|(RA)|(SN)|(SG)|(IC)|(PL)|(GR)|(GS)|(UP)|(BR)|"
         "(FG)|(FU)|(VA)|(DU)|(SA)|(HZ)|(PY)|(PO)|(SQ)|(FC)|(SS)|(DS))+$",
         {"RA", "-SHRA", "+TSRAGR", "FZDZ", "BR"},
         {"", "-", "R", "RAIN", "ra", "++RA", "SHRA-"}},
        {"^M?[0-9][0-9]/((M?[0-9][0-9])|(/)|(//)|(///))?$",
         {"12/08", "M05/M10", "15/", "15//", "15///", "M01/"},
         {"12/8", "5/08", "12/08/", "12/////", "A1/02"}},
    });
}

TEST(RegEx, MalformedPatternsDoNotCompile) {
    for (const char* pattern : {"(", "(a", ")", "a)", "(a))", "[abc", "[", "[]", "[^]", "[z-a]", "*", "a|*b",
                                "(+a)", "^*", "\\", "ab\\", "[a\\", "[\\d]", "[a-\\w]"}) {
        EXPECT_EQ(L"RegEx::RegEx (11)", ThrowLocation<ApplicationException>([&] { RegEx compiled(pattern); }))
            << pattern;
    }
    EXPECT_EQ(L"RegEx::RegEx (11)", ThrowLocation<ApplicationException>([] { RegEx compiled(nullptr); }));
    // Deep nesting is refused instead of exhausting the stack.
    const std::string deep = std::string(100000, '(') + "a" + std::string(100000, ')');
    EXPECT_EQ(L"RegEx::RegEx (11)",
              ThrowLocation<ApplicationException>([&] { RegEx compiled(deep.c_str()); }));
    const std::string nested = std::string(50, '(') + "a" + std::string(50, ')');
    EXPECT_TRUE(RegEx(nested.c_str()).Match("a"));
}

TEST(RegEx, TextEndsAtItsSizeOrNul) {
    const RegEx pattern("^a.b$");
    EXPECT_TRUE(pattern.Match("a\0b"s));
    EXPECT_FALSE(pattern.Match("a\0b"));
    EXPECT_FALSE(pattern.Match(static_cast<const char*>(nullptr)));
    EXPECT_TRUE(RegEx("^$").Match(static_cast<const char*>(nullptr)));
}

TEST(RegEx, HostileInputsTakeLinearTime) {
    const std::string letters(100000, 'a');
    EXPECT_FALSE(RegEx("(\\w)+\\w*$").Match(letters + "1"));
    EXPECT_TRUE(RegEx("(\\w)+\\w*$").Match(letters));
    EXPECT_FALSE(RegEx("(a|aa)*b").Match(letters));
    EXPECT_FALSE(RegEx("^((a+)+)+c").Match(letters));
    EXPECT_FALSE(RegEx("(a*)*(a*)*(a*)*x$").Match(letters));
    EXPECT_TRUE(RegEx("(a|aa)*b").Match(letters + "b"));
}

TEST(RegEx, OneCompiledPatternServesSeveralThreads) {
    const RegEx pattern("^\\d\\d\\d\\d\\d\\dZ$");
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (size_t t = 0; t < wrong.size(); ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 2000; ++i) {
                const bool good = (i + static_cast<int>(t)) % 2 == 0;
                if (pattern.Match(good ? "011753Z" : "01175Z") != good) {
                    ++wrong[t];
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), wrong);
}
