#include "core/UtilFile.h"

#include "core/ApplicationException.h"
#include "core/ScopedHandleWin32.h"

#include <windows.h>

std::string UtilFile::ReadFileAscii(const std::wstring& fileName) {
    FileHandle file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        ThrowApplicationException("UtilFile::ReadFileAscii (12)");
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        ThrowApplicationException("UtilFile::ReadFileAscii (13)");
    }
    std::string text(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    // Reads up to the size taken; a file that shrank meanwhile gives what is there.
    while (done < text.size()) {
        const size_t rest = text.size() - done;
        const DWORD chunk = rest > 0x40000000u ? 0x40000000u : static_cast<DWORD>(rest);
        DWORD got = 0;
        if (!ReadFile(file.Get(), text.data() + done, chunk, &got, nullptr)) {
            ThrowApplicationException("UtilFile::ReadFileAscii (17)");
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    text.resize(done);
    return text;
}

bool UtilFile::MoveFileReplace(const std::wstring& source, const std::wstring& target) {
    return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           0;
}

bool UtilFile::FileExists(const std::wstring& fileName) {
    const DWORD attributes = GetFileAttributesW(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool UtilFile::IsReadOnly(const std::wstring& fileName) {
    const DWORD attributes = GetFileAttributesW(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool UtilFile::RemoveFile(const std::wstring& fileName) {
    return DeleteFileW(fileName.c_str()) != 0;
}
