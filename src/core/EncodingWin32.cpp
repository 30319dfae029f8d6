#include "core/Encoding.h"

#include <climits>
#include <stdexcept>
#include <windows.h>

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    if (text.size() > static_cast<size_t>(INT_MAX)) {
        throw std::range_error("text too long to convert");
    }
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        throw std::range_error("cannot convert to the ANSI code page");
    }
    std::string out(static_cast<size_t>(size), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, text.data(), length, out.data(), size, nullptr, nullptr) != size) {
        throw std::range_error("cannot convert to the ANSI code page");
    }
    return out;
}

std::wstring FromAnsi(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    if (text.size() > static_cast<size_t>(INT_MAX)) {
        throw std::range_error("text too long to convert");
    }
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (size <= 0) {
        throw std::range_error("cannot convert from the ANSI code page");
    }
    std::wstring out(static_cast<size_t>(size), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, text.data(), length, out.data(), size) != size) {
        throw std::range_error("cannot convert from the ANSI code page");
    }
    return out;
}
