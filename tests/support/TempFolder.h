#pragma once
#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it when the
// test ends, so file tests never see each other's leftovers.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of a name inside the folder, as the program's wide file names are given.
    std::wstring File(const std::wstring& name) const { return (path_ / name).wstring(); }
    void Write(const std::wstring& name, const std::string& bytes) const;
    std::string Read(const std::wstring& name) const;

private:
    std::filesystem::path path_;
};
