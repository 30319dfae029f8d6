#pragma once
#include <windows.h>

// The About box, "Feedback" and "Web Page", shared by every menu of the program and the options
// dialog. Each takes the window that owns what it shows, and none lets an error escape.
namespace WebLinks {
void About(HWND owner);
void Feedback(HWND owner);
void WebPage(HWND owner);
// The menu commands of the three, the same in every menu; false for any other command.
bool HandleCommand(HWND owner, int command);
} // namespace WebLinks
