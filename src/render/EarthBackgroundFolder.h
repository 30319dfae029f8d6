#pragma once
#include <string>

// The platform side of the background list: whether a path names an existing file that is not
// a folder.
bool BackgroundFileExists(const std::wstring& path);
