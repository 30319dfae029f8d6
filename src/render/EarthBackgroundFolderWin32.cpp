#include "render/EarthBackground.h"
#include "render/EarthBackgroundFolder.h"

#include "core/ScopedHandleWin32.h"

#include <windows.h>

namespace {

constexpr DWORD NotABackground =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY;
} // namespace

bool BackgroundFileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void ListBackgrounds(const std::wstring& earthFolder, std::vector<std::wstring>& names) {
    names.clear();
    WIN32_FIND_DATAW entry{};
    FindHandle find(FindFirstFileW((earthFolder + L"*.*").c_str(), &entry));
    if (!find.IsValid()) {
        return;
    }
    do {
        if ((entry.dwFileAttributes & NotABackground) == 0) {
            names.emplace_back(entry.cFileName);
        }
    } while (FindNextFileW(find.Get(), &entry));
}
