#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// An output file opened for writing, closed when the object goes. Its operations report
// failure by their result and leave the system's last error set, so that the caller can throw
// with its own location text and the cause captured.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;

    // Creates the file or empties an existing one; others may read it meanwhile. Closes any
    // file held before.
    bool Create(const std::wstring& fileName);
    bool IsOpen() const;
    // Writes all the bytes or fails; nothing is buffered here. Fails when no file is open.
    bool Write(const void* data, size_t size);
    // Forces the written bytes to the disk and closes the file; a file that is to replace
    // another must get through this before the rename.
    bool Commit();
    // Closes without flushing; nothing is reported.
    void Close();

private:
#ifdef _WIN32
    void* handle_ = reinterpret_cast<void*>(static_cast<intptr_t>(-1));
#else
    int descriptor_ = -1;
#endif
};
