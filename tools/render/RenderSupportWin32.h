#pragma once
#include "render/earth/GdiplusWin32.h"
#include <string>

// The folder of this program, with its trailing separator.
std::wstring ProgramFolder();
std::wstring WithSeparator(const std::wstring& folder);
bool SavePng(Gdiplus::Image& image, const std::wstring& path);
