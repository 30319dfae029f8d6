#include "ThrowLocation.h"
#include "core/OutputFile.h"
#include "core/Util.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {
// Writes through a real file and hands back its bytes.
template <class Write> std::string Written(Write&& write) {
    TempFolder folder;
    const std::wstring name = folder.File(L"Options.txt.temp");
    OutputFile file;
    EXPECT_TRUE(file.Create(name));
    write(file);
    EXPECT_TRUE(file.Commit());
    return folder.Read(L"Options.txt.temp");
}
} // namespace

TEST(UtilWrite, Values) {
    EXPECT_EQ("truefalse", Written([](OutputFile& f) {
                  Util::WriteToFileAscii(f, true);
                  Util::WriteToFileAscii(f, false);
              }));
    EXPECT_EQ("-2147483648", Written([](OutputFile& f) { Util::WriteToFileAscii(f, -2147483647 - 1); }));
    EXPECT_EQ("3.142|-0.001", Written([](OutputFile& f) {
                  Util::WriteToFileAscii(f, 3.14159);
                  Util::WriteToFileAscii(f, "|");
                  Util::WriteToFileAscii(f, -0.0005);
              }));
    // The terminating NUL of a wide string is not written.
    EXPECT_EQ("Z\xFCrich",
              Written([](OutputFile& f) { Util::WriteToFileAscii(f, std::wstring(L"Z\u00FCrich")); }));
    EXPECT_EQ("10,20,30", Written([](OutputFile& f) { Util::WriteColourToFileAscii(f, 0x800A141Eu); }));
    EXPECT_EQ("Arial,12.000,1", Written([](OutputFile& f) {
                  Util::WriteToFileAscii(f, FontValue{L"Arial", 12.0, FontValue::Bold});
              }));
}

TEST(UtilWrite, SettingsLines) {
    const std::string text = Written([](OutputFile& f) {
        Util::WriteLineToFileAscii(f, "ShowLocalWeather", true);
        Util::WriteLineToFileAscii(f, "Transparency", 128);
        Util::WriteLineToFileAscii(f, "HomeCity", std::wstring(L"Los Angeles"));
        Util::WriteLineToFileAscii(f, "Caption", L"x=y");
        Util::WriteLineToFileAscii(f, "CityFont", FontValue{L"Tahoma", 8.25, FontValue::Regular});
        Util::WriteColourLineToFileAscii(f, "CityColor", 0xFFFFFF00u);
    });
    EXPECT_EQ("ShowLocalWeather=true\r\nTransparency=128\r\nHomeCity=Los Angeles\r\nCaption=x=y\r\n"
              "CityFont=Tahoma,8.250,0\r\nCityColor=255,255,0\r\n",
              text);
}

TEST(UtilWrite, WrittenValuesReadBack) {
    uint32_t colour = 0;
    Util::Parse(Written([](OutputFile& f) { Util::WriteColourToFileAscii(f, 0x800A141Eu); }), colour);
    EXPECT_EQ(0xFF0A141Eu, colour); // alpha is not kept

    const FontValue font{L"Courier New", 10.5, FontValue::Italic | FontValue::Underline};
    EXPECT_EQ(font, Util::ParseFont(Written([&](OutputFile& f) { Util::WriteToFileAscii(f, font); })));
}

TEST(UtilWrite, FailedWritesThrowWithTheWritersText) {
    OutputFile closed; // every write to it fails
    auto at = [&](auto write) { return ThrowLocation<ApplicationException>([&] { write(closed); }); };
    EXPECT_EQ(L"Util::WriteToFileAscii (57)", at([](OutputFile& f) { Util::WriteToFileAscii(f, "x"); }));
    EXPECT_EQ(L"Util::WriteToFileAscii (57)", at([](OutputFile& f) { Util::WriteToFileAscii(f, true); }));
    EXPECT_EQ(L"Util::WriteToFileAscii (57)", at([](OutputFile& f) { Util::WriteToFileAscii(f, 5); }));
    EXPECT_EQ(L"Util::WriteToFileAscii (57)", at([](OutputFile& f) { Util::WriteToFileAscii(f, 5.0); }));
    EXPECT_EQ(L"Util::WriteToFileAscii (57)", at([](OutputFile& f) { Util::WriteColourToFileAscii(f, 0u); }));
    EXPECT_EQ(L"Util::WriteToFileAscii (67)", at([](OutputFile& f) { Util::WriteToFileAscii(f, L"x"); }));
    EXPECT_EQ(L"Util::WriteToFileAscii (67)",
              at([](OutputFile& f) { Util::WriteToFileAscii(f, FontValue{}); }));
    EXPECT_EQ(L"Util::WriteToFileAscii (57)",
              at([](OutputFile& f) { Util::WriteLineToFileAscii(f, "Key", std::wstring(L"v")); }));
}

TEST(OutputFile, CommitClosesAndReportsFailure) {
    TempFolder folder;
    OutputFile file;
    EXPECT_FALSE(file.Create(folder.File(L"missing") + L"/x.txt"));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Commit());

    ASSERT_TRUE(file.Create(folder.File(L"a.txt")));
    EXPECT_TRUE(file.Write("abc", 3));
    EXPECT_TRUE(file.Commit());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Write("d", 1));
    EXPECT_EQ("abc", folder.Read(L"a.txt"));
}

#ifndef _WIN32
TEST(UtilWrite, FullDiskCarriesTheSystemError) {
    OutputFile full;
    ASSERT_TRUE(full.Create(L"/dev/full"));
    try {
        Util::WriteToFileAscii(full, "x");
        FAIL() << "no exception";
    } catch (const ApplicationException& e) {
        EXPECT_EQ(L"Util::WriteToFileAscii (57)", e.Location);
        EXPECT_EQ(static_cast<uint32_t>(ENOSPC), e.LastError);
    }
}
#endif
