#include "core/OutputFile.h"

#include "core/Encoding.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

OutputFile::~OutputFile() {
    Close();
}

OutputFile::OutputFile(OutputFile&& other) noexcept : descriptor_(other.descriptor_) {
    other.descriptor_ = -1;
}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        Close();
        descriptor_ = other.descriptor_;
        other.descriptor_ = -1;
    }
    return *this;
}

bool OutputFile::Create(const std::wstring& fileName) {
    Close();
    const std::string path = ToUtf8(fileName);
    descriptor_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return descriptor_ >= 0;
}

bool OutputFile::IsOpen() const {
    return descriptor_ >= 0;
}

bool OutputFile::Write(const void* data, size_t size) {
    if (descriptor_ < 0) {
        errno = EBADF;
        return false;
    }
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(descriptor_, bytes, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool OutputFile::Commit() {
    if (descriptor_ < 0) {
        errno = EBADF;
        return false;
    }
    const bool flushed = ::fsync(descriptor_) == 0;
    const int flushError = errno;
    const int descriptor = descriptor_;
    descriptor_ = -1;
    const bool closed = ::close(descriptor) == 0;
    if (!flushed) {
        errno = flushError;
    }
    return flushed && closed;
}

void OutputFile::Close() {
    if (descriptor_ >= 0) {
        const int saved = errno;
        ::close(descriptor_);
        descriptor_ = -1;
        errno = saved;
    }
}
