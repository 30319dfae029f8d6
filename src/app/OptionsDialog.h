#pragma once
#include <windows.h>

// The one options dialog of the desktop program and of the screen saver's configuration role,
// made by the start-up of its role and destroyed at shutdown. Main thread only; each call does
// nothing while there is no dialog.
namespace OptionsDialog {
// Makes the dialog hidden, owned by owner (none when null); throws the location text when it
// cannot be made.
void Create(HWND owner, const char* failureLocation);
// Shows it on the page (0 General, 1 Earth Background, 2 Favorite Cities, 3 the display page;
// any other number keeps the page it showed last) and brings it to the front.
void Open(int page);
// Hides it and drops its unsaved edits.
void Discard();
void Destroy();
} // namespace OptionsDialog
