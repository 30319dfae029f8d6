#include "core/UtilFile.h"

#include "core/ApplicationException.h"
#include "core/OutputFile.h"

void UtilFile::WriteFileAscii(const std::wstring& fileName, const std::string& text) {
    OutputFile file;
    if (!file.Create(fileName)) {
        ThrowApplicationException("UtilFile::WriteFileAscii (24)");
    }
    if (!file.Write(text.data(), text.size()) || !file.Commit()) {
        ThrowApplicationException("UtilFile::WriteFileAscii (26)");
    }
}
