#pragma once
#include "app/AppMode.h"

#include <string_view>

// What the program file's own name says: the edition, and whether it is the screen saver.
struct ProgramFileRole {
    EnumAppKind Kind;
    bool ScreenSaver;
};

// "cloud-pane.exe", "GLOBE-GLOW.SCR" and so on, without regard to case. Any other base name or
// extension throws: a renamed copy must not start as some edition by accident.
ProgramFileRole ParseProgramFileName(std::wstring_view fileName);

// The role a screen-saver start asks for and the window handle given with /c or /p (0 when none).
struct ScreenSaverStart {
    EnumAppMode Mode;
    int ParentWindow;
};

// The switches Windows passes to a screen saver ("/s", "/c:1234", "-P 1234"), as 8-bit text.
// No recognised switch means configuration without owner; a handle that is not a number throws.
ScreenSaverStart ParseScreenSaverCommandLine(std::string_view commandLine);
