#pragma once
#include <windows.h>

// The main thread's one message loop. Modeless dialogs register themselves so that their
// keyboard navigation works while the loop runs.
namespace MessageLoop {
// Runs until WM_QUIT; answers its exit code.
int Run();
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);
} // namespace MessageLoop
