#include "core/OutputFile.h"

#include <windows.h>

OutputFile::~OutputFile() {
    Close();
}

OutputFile::OutputFile(OutputFile&& other) noexcept : handle_(other.handle_) {
    other.handle_ = INVALID_HANDLE_VALUE;
}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.handle_;
        other.handle_ = INVALID_HANDLE_VALUE;
    }
    return *this;
}

bool OutputFile::Create(const std::wstring& fileName) {
    Close();
    handle_ = CreateFileW(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle_ != INVALID_HANDLE_VALUE;
}

bool OutputFile::IsOpen() const {
    return handle_ != INVALID_HANDLE_VALUE;
}

bool OutputFile::Write(const void* data, size_t size) {
    if (handle_ == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(handle_, bytes, chunk, &written, nullptr)) {
            return false;
        }
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}

bool OutputFile::Commit() {
    if (handle_ == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    const bool flushed = FlushFileBuffers(handle_) != 0;
    const DWORD flushError = GetLastError();
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    const bool closed = CloseHandle(handle) != 0;
    if (!flushed) {
        SetLastError(flushError);
    }
    return flushed && closed;
}

void OutputFile::Close() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        const DWORD saved = GetLastError();
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        SetLastError(saved);
    }
}
