#include "ThrowLocation.h"
#include "core/Util.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace std::string_literals;

TEST(UtilParseInt, AcceptsSignsAndBlanks) {
    EXPECT_EQ(-42, Util::ParseInt(" -42"));
    EXPECT_EQ(7, Util::ParseInt("+7"));
    EXPECT_EQ(42, Util::ParseInt("4 2"));
    EXPECT_EQ(12, Util::ParseInt("12 "));
    EXPECT_EQ(-5, Util::ParseInt("\t- 5\t"));
    EXPECT_EQ(0, Util::ParseInt("000"));
    EXPECT_EQ(2147483647, Util::ParseInt("2147483647"));
    EXPECT_EQ(-2147483647 - 1, Util::ParseInt("-2147483648"));
    EXPECT_EQ(12, Util::ParseInt("0000000000000000000012"));
}

TEST(UtilParseInt, RejectsWithTheTextOfEachCause) {
    EXPECT_EQ(L"Util::ParseInt (373)", ThrowLocation<ArgumentNullException>([] { Util::ParseInt(nullptr); }));
    for (const char* text : {"--1", "1-", "1.0", "+-1", "1x", "x", "1\r"}) {
        EXPECT_EQ(L"Util::ParseInt (412)", ThrowLocation<ArgumentException>([&] { Util::ParseInt(text); }))
            << text;
    }
    for (const char* text : {"", "-", "+", "  ", " - "}) {
        EXPECT_EQ(L"Util::ParseInt (421)", ThrowLocation<ArgumentException>([&] { Util::ParseInt(text); }))
            << text;
    }
    // A whole string is read, so a NUL inside it is no end.
    EXPECT_EQ(L"Util::ParseInt (412)", ThrowLocation<ArgumentException>([] { Util::ParseInt("12\0x"s); }));
}

TEST(UtilParseInt, OutOfRangeIsNotWrappedAround) {
    for (const char* text : {"2147483648", "-2147483649", "4294967296", "99999999999999999999999"}) {
        EXPECT_EQ(L"Util::ParseInt (418)", ThrowLocation<OverflowException>([&] { Util::ParseInt(text); }))
            << text;
    }
}

TEST(UtilParseDouble, AcceptsDecimalNumbers) {
    EXPECT_EQ(0.0, Util::ParseDouble("0"));
    EXPECT_EQ(0.0, Util::ParseDouble("000"));
    EXPECT_EQ(0.0, Util::ParseDouble("0.0"));
    EXPECT_EQ(3.25, Util::ParseDouble("  3.25  "));
    EXPECT_EQ(1000.0, Util::ParseDouble("1e3"));
    EXPECT_EQ(0.5, Util::ParseDouble(".5"));
    EXPECT_EQ(-0.5, Util::ParseDouble("-0.5"));
    EXPECT_EQ(2.0, Util::ParseDouble("+2."));
    EXPECT_EQ(-118.4, Util::ParseDouble("-118.4"));
    EXPECT_EQ(0.0125, Util::ParseDouble("1.25E-2"));
}

TEST(UtilParseDouble, RejectsWithTheTextOfEachCause) {
    EXPECT_EQ(L"Util::ParseDouble (434)",
              ThrowLocation<ArgumentNullException>([] { Util::ParseDouble(nullptr); }));
    // Also no infinity, NaN or value out of range.
    for (const char* text :
         {".0", "-0", "+0", "x", "", "  ", "-", ".", "e5", "inf", "nan", "1e400", "1e-400"}) {
        EXPECT_EQ(L"Util::ParseDouble (442)",
                  ThrowLocation<ArgumentException>([&] { Util::ParseDouble(text); }))
            << text;
    }
    for (const char* text : {"3.25x", "1 2", "1e", "1e+", "0x10", "1.5.2"}) {
        EXPECT_EQ(L"Util::ParseDouble (448)",
                  ThrowLocation<ArgumentException>([&] { Util::ParseDouble(text); }))
            << text;
    }
}

TEST(UtilParseDigits, ReadsFixedPositions) {
    const std::string text = "2024-02-29T13:05:09";
    EXPECT_EQ(2024u, Util::ParseDigits(text, 0, 4));
    EXPECT_EQ(29u, Util::ParseDigits(text, 8, 2));
    EXPECT_EQ(9u, Util::ParseDigits(text, 17, 2));
    EXPECT_EQ(0u, Util::ParseDigits(text, 19, 0));
    EXPECT_EQ(999999999u, Util::ParseDigits("999999999", 0, 9));
}

TEST(UtilParseDigits, RejectsNonDigitsAndBadPositions) {
    const std::string text = "12a4";
    for (int position : {1, 2, 3, 4}) {
        EXPECT_EQ(L"Util::ParseDigits (462)",
                  ThrowLocation<ApplicationException>([&] { Util::ParseDigits(text, position, 2); }))
            << position;
    }
    EXPECT_EQ(L"Util::ParseDigits (462)",
              ThrowLocation<ApplicationException>([] { Util::ParseDigits("1 3", 0, 3); }));
    EXPECT_THROW(Util::ParseDigits(text, -1, 1), std::out_of_range);
    EXPECT_THROW(Util::ParseDigits(text, 5, 1), std::out_of_range);
    EXPECT_THROW(Util::ParseDigits(text, 0, -1), std::out_of_range);
    EXPECT_THROW(Util::ParseDigits("1234567890", 0, 10), std::out_of_range);
}

TEST(UtilParse, BooleanIsExactlyTrueOrFalse) {
    bool value = false;
    Util::Parse("true", value);
    EXPECT_TRUE(value);
    Util::Parse("false", value);
    EXPECT_FALSE(value);
    for (const char* text : {"True", " true", "true ", "1", "", "falsey"}) {
        EXPECT_EQ(L"Util::Parse (187)",
                  ThrowLocation<ApplicationException>([&] { Util::Parse(text, value); }))
            << text;
    }
    EXPECT_EQ(L"Util::Parse (187)", ThrowLocation<ApplicationException>(
                                        [&] { Util::Parse(static_cast<const char*>(nullptr), value); }));
}

TEST(UtilParse, Colour) {
    uint32_t colour = 0;
    Util::Parse("10,20,30", colour);
    EXPECT_EQ(0xFF0A141Eu, colour);
    Util::Parse("300,0,0", colour);
    EXPECT_EQ(0xFF2C0000u, colour);
    Util::Parse("1,2,3,4", colour);
    EXPECT_EQ(0xFF010203u, colour);
    Util::Parse(" 255, -1 ,0", colour);
    EXPECT_EQ(0xFFFFFF00u, colour);

    for (const char* text : {"1,2", "", "1"}) {
        EXPECT_EQ(L"Util::Parse (196)",
                  ThrowLocation<ApplicationException>([&] { Util::Parse(text, colour); }))
            << text;
    }
    EXPECT_EQ(L"Util::ParseInt (412)",
              ThrowLocation<ArgumentException>([&] { Util::Parse("1,x,3", colour); }));
    EXPECT_EQ(L"Util::ParseInt (421)",
              ThrowLocation<ArgumentException>([&] { Util::Parse("1,,3", colour); }));
}

TEST(UtilParse, FontKeepsAFamilyThatIsNotInstalled) {
    const FontValue arial = Util::ParseFont("Arial,12.000,1");
    EXPECT_EQ(L"Arial", arial.Family);
    EXPECT_EQ(12.0, arial.Size);
    EXPECT_EQ(FontValue::Bold, arial.Style);

    const FontValue missing = Util::ParseFont("No Such Family Here,9.5,3,extra");
    EXPECT_EQ((FontValue{L"No Such Family Here", 9.5, FontValue::Bold | FontValue::Italic}), missing);

    EXPECT_EQ(L"Util::ParseFont (225)",
              ThrowLocation<ApplicationException>([] { Util::ParseFont("Arial,12"); }));
    EXPECT_EQ(L"Util::ParseDouble (448)",
              ThrowLocation<ArgumentException>([] { Util::ParseFont("Arial,12pt,0"); }));
}

TEST(UtilSplitCommas, KeepsEmptyFieldsUntrimmed) {
    EXPECT_EQ((std::vector<std::string>{"a"}), Util::SplitCommas("a"));
    EXPECT_EQ((std::vector<std::string>{""}), Util::SplitCommas(""));
    EXPECT_EQ((std::vector<std::string>{"", " b ", "", ""}), Util::SplitCommas(", b ,,"));
}

TEST(UtilToString, DecimalAndThreeDecimals) {
    EXPECT_EQ("-2147483648", Util::ToString(-2147483647 - 1));
    EXPECT_EQ("0", Util::ToString(0));
    EXPECT_EQ("3.142", Util::ToString(3.14159));
    EXPECT_EQ("-0.500", Util::ToString(-0.5));
    EXPECT_EQ("12.000", Util::ToString(12.0));
    // Large values are written whole, not cut at a buffer's end.
    EXPECT_EQ("100000000000000000000.000", Util::ToString(1e20));
    EXPECT_EQ(309u + 4u, Util::ToString(1.7e308).size());
}
