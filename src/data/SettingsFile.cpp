#include "data/SettingsFile.h"

#include "core/ApplicationException.h"
#include "core/UtilFile.h"

namespace SettingsFile {
Found Read(const std::wstring& fileName, std::string& text) {
    try {
        text = UtilFile::ReadFileAscii(fileName);
        return Found::Read;
    } catch (const ApplicationException&) {
        return UtilFile::FileExists(fileName) ? Found::Unreadable : Found::Missing;
    }
}

std::wstring DamagedName(const std::wstring& fileName) {
    return fileName + L".damaged";
}

void KeepDamaged(const std::wstring& fileName) {
    if (!UtilFile::FileExists(fileName)) {
        return;
    }
    UtilFile::WriteFileAscii(DamagedName(fileName), UtilFile::ReadFileAscii(fileName));
}

TemporaryFileRemover::~TemporaryFileRemover() {
    // Once renamed, the name is free again; a folder of that name is never removed.
    if (UtilFile::FileExists(fileName_)) {
        UtilFile::RemoveFile(fileName_);
    }
}
} // namespace SettingsFile
