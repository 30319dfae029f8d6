#pragma once
#include "render/GraphicsWin32.h"

#include <chrono>
#include <map>
#include <string>
#include <vector>

// The command line of a verb: positional arguments, and "--name value" or "--flag" options.
class RenderArguments {
public:
    // Options named in flags take no value.
    RenderArguments(int argc, wchar_t** argv, const std::vector<std::wstring>& flags);

    const std::vector<std::wstring>& Positional() const { return positional_; }
    bool Has(const std::wstring& name) const { return options_.count(name) != 0; }
    std::wstring Text(const std::wstring& name, const std::wstring& fallback) const;
    double Number(const std::wstring& name, double fallback) const;
    // "WxH"; throws std::invalid_argument for anything else.
    static void ParseSize(const std::wstring& text, int& width, int& height);

private:
    std::vector<std::wstring> positional_;
    std::map<std::wstring, std::wstring> options_;
};

// The folder of this program with a trailing backslash: the build places it beside the
// installation data.
std::wstring ProgramFolder();

// Writes the bitmap as a PNG file; false on failure.
bool SavePng(const CBitmap& bitmap, const std::wstring& path);

double MillisecondsSince(std::chrono::steady_clock::time_point start);

// The text in UTF-8, for printing.
std::string Utf8(const std::wstring& text);
