#include "core/Encoding.h"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(Encoding, AnsiRoundTrip) {
    EXPECT_EQ(L"", FromAnsi(""));
    EXPECT_EQ("", ToAnsi(L""));
    EXPECT_EQ(L"S\u00E3o Paulo", FromAnsi("S\xE3o Paulo"));
    EXPECT_EQ("S\xE3o Paulo", ToAnsi(L"S\u00E3o Paulo"));
    const std::string withNul("a\0b", 3);
    EXPECT_EQ(withNul, ToAnsi(FromAnsi(withNul)));
}

#ifndef _WIN32
// Natively the code page is Windows-1252, undefined bytes included, so every byte survives.
TEST(Encoding, EveryByteSurvivesNatively) {
    std::string all;
    for (int c = 1; c < 256; ++c) {
        all.push_back(static_cast<char>(c));
    }
    EXPECT_EQ(all, ToAnsi(FromAnsi(all)));
    EXPECT_EQ(L"\u20AC\u0081\u0178", FromAnsi("\x80\x81\x9F"));
    EXPECT_THROW(ToAnsi(L"\u0100"), std::range_error);
    EXPECT_THROW(ToAnsi(L"a\u4E2D"), std::range_error);
}
#endif

TEST(Encoding, Utf8) {
    EXPECT_EQ("Z\xC3\xBCrich \xE2\x82\xAC", ToUtf8(L"Z\u00FCrich \u20AC"));
    EXPECT_EQ("\xF0\x9F\x98\x80", ToUtf8(L"\U0001F600"));
    EXPECT_THROW(ToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), std::range_error);
    EXPECT_THROW(ToUtf8(std::wstring(1, static_cast<wchar_t>(0xDC00)) + L"x"), std::range_error);
}
