#pragma once
#include <string>

// The user's entry that starts the program when Windows starts: a value under
// HKCU\Software\Microsoft\Windows\CurrentVersion\Run. Natively there is no such list; an
// in-process stand-in lets the portable code be tested.
namespace StartupEntry {
// Creates or replaces the named entry. The program file is stored in quotes, so that a folder
// with blanks in its name cannot make Windows start some other program.
void Set(const std::wstring& name, const std::wstring& programFile);
// Removes the named entry; a missing entry is not an error. Throws
// "Util::RemoveStartupItem (572)" when the list cannot be opened.
void Remove(const std::wstring& name);
// The stored command; false when there is no such entry.
bool Get(const std::wstring& name, std::wstring& command);
} // namespace StartupEntry
