#include "core/UtilFile.h"

#include "core/ApplicationException.h"
#include "core/Encoding.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
class Descriptor {
public:
    explicit Descriptor(int value) : value_(value) {}
    ~Descriptor() {
        if (value_ >= 0) {
            const int saved = errno;
            ::close(value_);
            errno = saved;
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return value_; }

private:
    int value_;
};
} // namespace

std::string UtilFile::ReadFileAscii(const std::wstring& fileName) {
    const std::string path = ToUtf8(fileName);
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        ThrowApplicationException("UtilFile::ReadFileAscii (12)");
    }
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0) {
        ThrowApplicationException("UtilFile::ReadFileAscii (13)");
    }
    // Windows refuses to open a folder as a file; so does this, with the same text.
    if (S_ISDIR(status.st_mode)) {
        errno = EISDIR;
        ThrowApplicationException("UtilFile::ReadFileAscii (12)");
    }
    std::string text(static_cast<size_t>(status.st_size), '\0');
    size_t done = 0;
    // Reads up to the size taken; a file that shrank meanwhile gives what is there.
    while (done < text.size()) {
        const ssize_t got = ::read(file.Get(), text.data() + done, text.size() - done);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowApplicationException("UtilFile::ReadFileAscii (17)");
        }
        if (got == 0) {
            break;
        }
        done += static_cast<size_t>(got);
    }
    text.resize(done);
    return text;
}

bool UtilFile::MoveFileReplace(const std::wstring& source, const std::wstring& target) {
    const std::string from = ToUtf8(source);
    const std::string to = ToUtf8(target);
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool UtilFile::FileExists(const std::wstring& fileName) {
    struct stat status {};
    return ::stat(ToUtf8(fileName).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool UtilFile::IsReadOnly(const std::wstring& fileName) {
    struct stat status {};
    // The mode bits, not access(): the superuser may write anything, yet the mark stands.
    return ::stat(ToUtf8(fileName).c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool UtilFile::RemoveFile(const std::wstring& fileName) {
    return ::unlink(ToUtf8(fileName).c_str()) == 0;
}
