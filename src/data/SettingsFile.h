#pragma once
#include <string>

// What the options and cities files share on their way from and to the disk.
namespace SettingsFile {
enum class Found { Missing, Read, Unreadable };

// Reads the whole file. A folder of that name counts as missing; a file that is there but
// cannot be opened or read (access denied, locked, an I/O error) is unreadable.
Found Read(const std::wstring& fileName, std::string& text);

// The name a damaged file is kept under: the file's name plus ".damaged".
std::wstring DamagedName(const std::wstring& fileName);

// Copies the file as it is to its damaged name, replacing an older copy; a file that is gone
// has nothing to keep. Throws when the copy cannot be made, so that the file is not replaced.
void KeepDamaged(const std::wstring& fileName);

// Removes a save's temporary file on every way out, so a failed save leaves nothing beside the
// settings; after the rename there is nothing left to remove. Declared before the file that
// writes it, so that file is closed first.
class TemporaryFileRemover {
public:
    explicit TemporaryFileRemover(std::wstring fileName) : fileName_(std::move(fileName)) {}
    ~TemporaryFileRemover();
    TemporaryFileRemover(const TemporaryFileRemover&) = delete;
    TemporaryFileRemover& operator=(const TemporaryFileRemover&) = delete;

private:
    std::wstring fileName_;
};
} // namespace SettingsFile
