#include "RenderSupport.h"

#include "render/UtilGraphicsWin32.h"

#include <stdexcept>
#include <windows.h>

RenderArguments::RenderArguments(int argc, wchar_t** argv, const std::vector<std::wstring>& flags) {
    for (int i = 0; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument.rfind(L"--", 0) != 0) {
            positional_.push_back(argument);
            continue;
        }
        const std::wstring name = argument.substr(2);
        bool isFlag = false;
        for (const std::wstring& flag : flags) {
            isFlag = isFlag || flag == name;
        }
        if (isFlag) {
            options_[name] = L"";
        } else if (i + 1 < argc) {
            options_[name] = argv[++i];
        } else {
            throw std::invalid_argument("option without a value");
        }
    }
}

std::wstring RenderArguments::Text(const std::wstring& name, const std::wstring& fallback) const {
    const auto found = options_.find(name);
    return found != options_.end() ? found->second : fallback;
}

double RenderArguments::Number(const std::wstring& name, double fallback) const {
    const auto found = options_.find(name);
    return found != options_.end() ? std::stod(found->second) : fallback;
}

void RenderArguments::ParseSize(const std::wstring& text, int& width, int& height) {
    const size_t x = text.find(L'x');
    if (x == std::wstring::npos) {
        throw std::invalid_argument("size is not WxH");
    }
    width = std::stoi(text.substr(0, x));
    height = std::stoi(text.substr(x + 1));
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("size is not positive");
    }
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

bool SavePng(const CBitmap& bitmap, const std::wstring& path) {
    CLSID png{};
    return UtilGraphics::FindEncoder(L"image/png", png) && bitmap.Save(path, png);
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::string Utf8(const std::wstring& text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(bytes > 0 ? bytes - 1 : 0, '\0');
    if (bytes > 1) {
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), bytes, nullptr, nullptr);
    }
    return result;
}
