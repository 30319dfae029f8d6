#include "core/Util.h"

#include "core/ApplicationException.h"

#include <windows.h>

namespace {
bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
} // namespace

void Util::EnsureDirectoryExists(const std::wstring& path) {
    if (IsDirectory(path)) {
        return;
    }
    if (!CreateDirectoryW(path.c_str(), nullptr)) {
        const DWORD error = GetLastError();
        // Someone else may have created it just now.
        if (error == ERROR_ALREADY_EXISTS && IsDirectory(path)) {
            return;
        }
        SetLastError(error);
        ThrowApplicationException("Util::EnsureDirectoryExists (347)");
    }
}
