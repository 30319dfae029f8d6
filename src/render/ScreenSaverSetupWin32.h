#pragma once
#include <string>

// Makes the file the user's screen saver ("SCRNSAVE.EXE" under "Control Panel\Desktop", its
// short path) and activates it. Throws "Util::SetScreenSaver (189)" when the short path cannot
// be had in 520 characters, "(191)" when the value cannot be written, "(198)" when the system
// refuses to activate it. Util::SetScreenSaver answers the same as true or false.
void InstallScreenSaverFile(const std::wstring& path);

// The options dialog's button: the screen saver file of this name from the system folder, or
// else from the installation folder, installed; then a message box with the caption tells how
// it went. Answers whether it is installed.
bool InstallScreenSaver(const std::wstring& screenSaverFileName, const std::wstring& installationFolder,
                        const wchar_t* caption);
