#include "render/EarthBackground.h"

#include "core/ApplicationException.h"
#include "render/EarthBackgroundFolder.h"

EarthBackground::EarthBackground(std::wstring name, std::wstring path)
    : name_(std::move(name)), path_(std::move(path)) {}

EarthBackground::EarthBackground(const EarthBackground& other) : name_(other.name_), path_(other.path_) {}

EarthBackground& EarthBackground::operator=(const EarthBackground& other) {
    if (this != &other) {
        EarthBackground copy(other);
        *this = std::move(copy);
    }
    return *this;
}

EarthBackground::~EarthBackground() = default;

void EarthBackground::Select(std::wstring name, std::wstring path) {
    image_.reset();
    name_ = std::move(name);
    path_ = std::move(path);
}

BackgroundImage& EarthBackground::Image(const BackgroundImageLoader& load) {
    if (image_ == nullptr) {
        image_ = load(path_);
        if (image_ == nullptr) {
            ThrowApplicationException("CPtr<class Gdiplus::Bitmap>::operator * (108)");
        }
    }
    return *image_;
}

EarthBackground DefaultBackground(const std::wstring& earthFolder) {
    return EarthBackground(DefaultBackgroundName, earthFolder + DefaultBackgroundName);
}

bool SelectBackground(const std::wstring& earthFolder, const std::wstring& name, EarthBackground& selection) {
    if (name.empty() || name.find_first_of(L"\\/") != std::wstring::npos) {
        return false;
    }
    std::wstring path = earthFolder + name;
    if (!BackgroundFileExists(path)) {
        return false;
    }
    selection.Select(name, std::move(path));
    return true;
}

BackgroundImage& GetBackgroundImage(EarthBackground& selection, const BackgroundImageLoader& load) {
    return selection.Image(load);
}
