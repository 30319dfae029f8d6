#pragma once
#include <windows.h>

// The windows that show the pictures, one of each per process, created by the start-up of
// their role and destroyed at shutdown. Main thread only.
namespace ProgramWindows {
// Each throws the location text when its window cannot be made.
void CreateScreenSaver(const char* failureLocation);
void CreatePreview(HWND parent, const RECT& bounds, const char* failureLocation);

void CreateEarthViewer(const char* failureLocation);
void ShowEarthViewer();
void HideEarthViewer();
// Paints the viewer at once while it is visible.
void RedrawEarthViewer();

void ShowScreenSaver();
void HideScreenSaver();
// Paints the full-screen saver at once; nothing when there is none.
void RedrawScreenSaver();

void DestroyAll();
} // namespace ProgramWindows
