#pragma once
#include <string>

// Conversions between the program's wide text and the 8-bit text of its files: the system's
// ANSI code page on Windows, Windows-1252 natively. Embedded NULs are converted like any other
// character. A failed conversion (natively: a character Windows-1252 lacks) throws
// std::range_error, the string layer's own error.
std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& text);

// UTF-8 of wide text (UTF-16 or UTF-32, whichever wchar_t holds), for native file names. An
// unpaired surrogate or a value beyond U+10FFFF throws std::range_error.
std::string ToUtf8(const std::wstring& text);
