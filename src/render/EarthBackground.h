#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A decoded day picture. The drawing layer derives its own bitmap type from it; this layer only
// owns and hands it on.
class BackgroundImage {
public:
    virtual ~BackgroundImage() = default;
};

// Makes the picture of a file. A file that cannot be decoded still gives an object (one that
// draws nothing); null means that no object could be made at all.
using BackgroundImageLoader = std::function<std::unique_ptr<BackgroundImage>(const std::wstring& path)>;

// The chosen day picture of the Earth: its file name in the Earth folder, its full path, and the
// picture once it has been drawn.
class EarthBackground {
public:
    EarthBackground() = default;
    EarthBackground(std::wstring name, std::wstring path);
    // A copy takes the name and the path and loads its own picture when first drawn, so the
    // options dialog's copy shares nothing with the live options.
    EarthBackground(const EarthBackground& other);
    EarthBackground& operator=(const EarthBackground& other);
    EarthBackground(EarthBackground&&) noexcept = default;
    EarthBackground& operator=(EarthBackground&&) noexcept = default;
    ~EarthBackground();

    const std::wstring& Name() const { return name_; }
    const std::wstring& Path() const { return path_; }
    bool HasImage() const { return image_ != nullptr; }

    // Takes the new name and path and drops the picture; it is loaded again when next drawn.
    void Select(std::wstring name, std::wstring path);
    // The picture, loaded on first use.
    BackgroundImage& Image(const BackgroundImageLoader& load);

private:
    std::wstring name_;
    std::wstring path_;
    std::unique_ptr<BackgroundImage> image_;
};

constexpr const wchar_t* DefaultBackgroundName = L"Blue Marble.jpg";

// The folders below are given with their trailing separator, as the program's folder names
// end with one.

// "Blue Marble.jpg" in the Earth folder, not loaded; whether the file is there is seen when
// it is drawn.
EarthBackground DefaultBackground(const std::wstring& earthFolder);

// The names of the files in the Earth folder in the order the system lists them; folders and
// hidden, system and temporary files are left out. No filtering by extension. A folder that
// cannot be listed gives an empty list.
void ListBackgrounds(const std::wstring& earthFolder, std::vector<std::wstring>& names);

// Selects the named file of the Earth folder when it is there; otherwise leaves the selection
// as it was and answers false. A name that is empty or holds a folder separator names no file
// of the folder. The picture is not loaded here.
bool SelectBackground(const std::wstring& earthFolder, const std::wstring& name, EarthBackground& selection);

// The selection's picture, loaded on first use; throws when the loader makes no object.
BackgroundImage& GetBackgroundImage(EarthBackground& selection, const BackgroundImageLoader& load);
