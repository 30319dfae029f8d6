#pragma once
#include <string>

// Whole-file reading and writing of 8-bit text. File names are wide; natively they are given
// to the system as UTF-8.
class UtilFile {
public:
    // The file's bytes exactly as stored: no code-page, byte-order-mark or line-end handling.
    static std::string ReadFileAscii(const std::wstring& fileName);
    // Creates or empties the file, writes the bytes and forces them to the disk.
    static void WriteFileAscii(const std::wstring& fileName, const std::string& text);
    // Renames source to target, replacing an existing target in one step, so that a crash
    // leaves either the old or the new file. False with the system's last error set on failure.
    static bool MoveFileReplace(const std::wstring& source, const std::wstring& target);
    // Whether the name is a file; a folder of that name is not one.
    static bool FileExists(const std::wstring& fileName);
    // Whether the name is a file the user marked read-only (natively: no one may write it).
    static bool IsReadOnly(const std::wstring& fileName);
    // Deletes the file; never a folder. False with the system's last error set on failure.
    static bool RemoveFile(const std::wstring& fileName);
};
