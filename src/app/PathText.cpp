#include "app/PathText.h"

namespace PathText {

std::wstring FolderOf(std::wstring_view path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash + 1));
}

std::wstring FileNameOf(std::wstring_view path) {
    const size_t slash = path.find_last_of(L'\\');
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

std::wstring WithExtension(std::wstring_view fileName, std::wstring_view extension) {
    const size_t dot = fileName.find_last_of(L'.');
    std::wstring renamed(dot == std::wstring_view::npos ? fileName : fileName.substr(0, dot));
    return renamed.append(extension);
}

} // namespace PathText
