#pragma once
#include <string>
#include <windows.h>

// Reading the program's registry values. A missing key or value, a value that is not a
// string, or one that cannot be read all read as empty: callers decide what empty means.
namespace Registry {
// The string value (REG_EXPAND_SZ values come expanded).
std::wstring ReadString(HKEY root, const std::wstring& subKey, const wchar_t* valueName);
// The current user's value, or the machine's when the user's is empty.
std::wstring ReadUserOrMachineString(const std::wstring& subKey, const wchar_t* valueName);
} // namespace Registry
