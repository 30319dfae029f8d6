#include "core/Util.h"

#include "core/ApplicationException.h"
#include "core/Encoding.h"

#include <cerrno>
#include <sys/stat.h>

namespace {
bool IsDirectory(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}
} // namespace

void Util::EnsureDirectoryExists(const std::wstring& path) {
    const std::string name = ToUtf8(path);
    if (IsDirectory(name)) {
        return;
    }
    if (::mkdir(name.c_str(), 0777) != 0) {
        const int error = errno;
        // Someone else may have created it just now.
        if (error == EEXIST && IsDirectory(name)) {
            return;
        }
        errno = error;
        ThrowApplicationException("Util::EnsureDirectoryExists (347)");
    }
}
