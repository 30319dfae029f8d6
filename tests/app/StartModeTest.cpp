#include "app/StartMode.h"

#include "core/ThrowLocation.h"

#include <gtest/gtest.h>

namespace {
void ExpectStart(const char* commandLine, EnumAppMode mode, int parent) {
    const ScreenSaverStart start = ParseScreenSaverCommandLine(commandLine);
    EXPECT_EQ(start.Mode, mode) << "command line: " << commandLine;
    EXPECT_EQ(start.ParentWindow, parent) << "command line: " << commandLine;
}
} // namespace

TEST(ProgramFileName, EditionFromBaseNameRoleFromExtensionWithoutRegardToCase) {
    const ProgramFileRole screenSaver = ParseProgramFileName(L"CLOUD-PANE.SCR");
    EXPECT_EQ(screenSaver.Kind, EnumAppKind::CloudPane);
    EXPECT_TRUE(screenSaver.ScreenSaver);

    const ProgramFileRole desktop = ParseProgramFileName(L"Globe-Glow.exe");
    EXPECT_EQ(desktop.Kind, EnumAppKind::GlobeGlow);
    EXPECT_FALSE(desktop.ScreenSaver);

    EXPECT_EQ(ParseProgramFileName(L"globe-glow.scr").Kind, EnumAppKind::GlobeGlow);
    EXPECT_FALSE(ParseProgramFileName(L"cloud-pane.EXE").ScreenSaver);
}

TEST(ProgramFileName, OtherBaseNamesDoNotStart) {
    // A copy renamed by the shell, a short name (all of it counts as extension), no name.
    for (const wchar_t* name : {L"cloud-pane (2).exe", L"cloudpane.exe", L"cloud-pane.exe.scr", L".exe",
                                L"exe", L"a.scr", L"", L"cloud-pane"}) {
        EXPECT_EQ(ThrowLocation<ApplicationException>([&] { ParseProgramFileName(name); }),
                  L"Program::DetermineAppMode (1169)");
    }
}

TEST(ProgramFileName, OtherExtensionsDoNotStart) {
    for (const wchar_t* name : {L"cloud-pane.com", L"globe-glow.bat", L"cloud-pane.ex_", L"cloud-pane_exe"}) {
        EXPECT_EQ(ThrowLocation<ApplicationException>([&] { ParseProgramFileName(name); }),
                  L"Program::DetermineAppMode (1178)");
    }
}

TEST(ScreenSaverCommandLine, SwitchesInTheirUsualSpellings) {
    ExpectStart("/s", EnumAppMode::SS_SS, 0);
    ExpectStart("/S", EnumAppMode::SS_SS, 0);
    ExpectStart("-s", EnumAppMode::SS_SS, 0);
    ExpectStart("/screensaver", EnumAppMode::SS_SS, 0);
    ExpectStart("/p:1234", EnumAppMode::SS_Preview, 1234);
    ExpectStart("-P 1234", EnumAppMode::SS_Preview, 1234);
    ExpectStart("  /p\t1234\r\n", EnumAppMode::SS_Preview, 1234);
    ExpectStart("/c", EnumAppMode::SS_Configure, 0);
    ExpectStart("/c:5678", EnumAppMode::SS_Configure, 5678);
    ExpectStart("\\C::5678", EnumAppMode::SS_Configure, 5678);
    ExpectStart("//--c 5678", EnumAppMode::SS_Configure, 5678);
}

TEST(ScreenSaverCommandLine, NothingRecognisedMeansConfigurationWithoutOwner) {
    ExpectStart("", EnumAppMode::SS_Configure, 0);
    ExpectStart("   \t ", EnumAppMode::SS_Configure, 0);
    ExpectStart("/x /y 99", EnumAppMode::SS_Configure, 0);
    ExpectStart("/ - \\", EnumAppMode::SS_Configure, 0);
}

TEST(ScreenSaverCommandLine, FirstRecognisedSwitchWins) {
    // Unknown tokens are passed over; the first s, c or p decides and ends the look.
    ExpectStart("/x /p 42 /s", EnumAppMode::SS_Preview, 42);
    ExpectStart("/s /p 42", EnumAppMode::SS_SS, 0);
    // A number after /s is not a handle and is not looked at.
    ExpectStart("/s:abc", EnumAppMode::SS_SS, 0);
}

TEST(ScreenSaverCommandLine, HandleWithoutNumberIsZeroAndAMalformedOneThrows) {
    // No handle: the preview then refuses to start, so the program ends quietly.
    ExpectStart("/p", EnumAppMode::SS_Preview, 0);
    ExpectStart("/p:", EnumAppMode::SS_Preview, 0);
    ExpectStart("/c ", EnumAppMode::SS_Configure, 0);

    EXPECT_EQ(ThrowLocation<ArgumentException>([] { ParseScreenSaverCommandLine("/p:12ab"); }),
              L"Util::ParseInt (412)");
    EXPECT_EQ(ThrowLocation<ArgumentException>([] { ParseScreenSaverCommandLine("/c /s"); }),
              L"Util::ParseInt (412)");
    EXPECT_EQ(ThrowLocation<ArgumentException>([] { ParseScreenSaverCommandLine("/p -"); }),
              L"Util::ParseInt (421)");
}

TEST(ScreenSaverCommandLine, HandlesKeepTheirSign) {
    // Windows hands out handles as 32-bit numbers; the sign is kept for sign extension.
    ExpectStart("/p -1234", EnumAppMode::SS_Preview, -1234);
    ExpectStart("/p:+77", EnumAppMode::SS_Preview, 77);
}
