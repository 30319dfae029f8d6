#pragma once
#include <string>
#include <string_view>

// Splitting of Windows paths as text; nothing here touches the file system.
namespace PathText {
// "C:\x\cloud-pane.exe" gives "C:\x\"; a path without a backslash gives "".
std::wstring FolderOf(std::wstring_view path);
// "C:\x\cloud-pane.exe" gives "cloud-pane.exe".
std::wstring FileNameOf(std::wstring_view path);
// The extension (from the last ".") replaced, or added when there is none.
std::wstring WithExtension(std::wstring_view fileName, std::wstring_view extension);
} // namespace PathText
