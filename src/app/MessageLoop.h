#pragma once
#include <windows.h>

// The main thread's one message loop. Modeless dialogs and frames with shortcuts register
// themselves so that their keyboard navigation works while the loop runs.
namespace MessageLoop {
// Runs until WM_QUIT; answers its exit code.
int Run();
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);
// A frame's keyboard shortcuts, translated while the frame is the active window.
void AddAccelerators(HWND frame, HACCEL table);
void RemoveAccelerators(HWND frame);
} // namespace MessageLoop
