#include "render/UtilGraphicsWin32.h"
#include "render/WeatherPictureWin32.h"
#include "weather/WeatherIcons.h"

#include <array>
#include <list>
#include <map>
#include <utility>

namespace {
// Decoded large pictures kept at once: the weather picture's and the local weather window's
// are usually the same, and one more keeps a change of weather from decoding twice.
constexpr size_t RecentLargePictures = 2;

using IconList = std::array<std::shared_ptr<const CBitmap>, WeatherCodeCount>;

struct ImageStore {
    CBitmap Sky;
    CBitmap Night;
    CBitmap Shadow;
    IconList SmallDay;
    IconList SmallNight;
    std::wstring LargeFolder;
    // Most recently used first.
    std::list<std::pair<std::wstring, std::shared_ptr<const CBitmap>>> RecentLarge;
};

std::unique_ptr<ImageStore> store;

// One bitmap per file: several codes share a picture.
std::shared_ptr<const CBitmap> SharedPicture(std::map<std::wstring, std::shared_ptr<const CBitmap>>& opened,
                                             const std::wstring& path) {
    auto& picture = opened[path];
    if (!picture) {
        picture = std::make_shared<const CBitmap>(CBitmap::FromFile(path));
    }
    return picture;
}

// Black with the panel's alpha: the colour matrix keeps only alpha.
CBitmap MakeShadow(const std::wstring& path) {
    const CBitmap source = CBitmap::FromFile(path);
    if (!source.HasImage()) {
        return CBitmap();
    }
    const int width = source.Width();
    const int height = source.Height();
    CBitmap shadow(width, height, PixelKind::Argb32);
    if (!shadow.HasImage()) {
        ThrowApplicationException("CPtr<class Gdiplus::Bitmap>::operator -> (114)");
    }
    const ColorMatrix5 alphaOnly = {
        {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 1, 0}, {0, 0, 0, 0, 1},
    };
    CImageAttributes attributes;
    attributes.SetColorMatrix(alphaOnly);
    CGraphics graphics(shadow);
    const PixelRect whole{0, 0, width, height};
    graphics.DrawImage(source, whole, whole, &attributes);
    return shadow;
}

std::shared_ptr<const CBitmap> LargePicture(const std::wstring& name) {
    if (!store) {
        return std::make_shared<const CBitmap>();
    }
    const std::wstring path = store->LargeFolder + name;
    auto& recent = store->RecentLarge;
    for (auto entry = recent.begin(); entry != recent.end(); ++entry) {
        if (entry->first == path) {
            recent.splice(recent.begin(), recent, entry);
            return recent.front().second;
        }
    }
    recent.emplace_front(path, std::make_shared<const CBitmap>(CBitmap::FromFile(path)));
    if (recent.size() > RecentLargePictures) {
        recent.pop_back();
    }
    return recent.front().second;
}

const CBitmap& NoImage() {
    static const CBitmap none;
    return none;
}
} // namespace

void UtilGraphics::LoadImages(const ImageFiles& files) {
    auto loaded = std::make_unique<ImageStore>();
    loaded->Sky = CBitmap::FromFile(files.LargeWeatherIcons + L"Sky.png");
    loaded->Night = CBitmap::FromFile(files.EarthNight + L"Night.jpg");
    loaded->LargeFolder = files.LargeWeatherIcons;
    std::map<std::wstring, std::shared_ptr<const CBitmap>> opened;
    for (int code = 0; code < WeatherCodeCount; ++code) {
        const Nullable<EnumWeatherCode> value(static_cast<EnumWeatherCode>(code));
        loaded->SmallDay[code] =
            SharedPicture(opened, files.SmallWeatherIcons + WeatherIconFileName(value, true));
        loaded->SmallNight[code] =
            SharedPicture(opened, files.SmallWeatherIcons + WeatherIconFileName(value, false));
    }
    loaded->Shadow = MakeShadow(files.LocalWeatherBackground);
    store = std::move(loaded);
    ReleaseWeatherPicture();
}

void UtilGraphics::ReleaseImages() {
    ReleaseWeatherPicture();
    store.reset();
}

std::shared_ptr<const CBitmap> UtilGraphics::SmallWeatherIcon(bool daytime,
                                                              const Nullable<EnumWeatherCode>& code) {
    if (!store || WeatherIconFileName(code, daytime) == nullptr) {
        return nullptr;
    }
    const int index = static_cast<int>(code.Value());
    return daytime ? store->SmallDay[index] : store->SmallNight[index];
}

std::shared_ptr<const CBitmap> UtilGraphics::LargeWeatherIcon(const Nullable<EnumWeatherCode>& code,
                                                              bool daytime) {
    const wchar_t* name = WeatherIconFileName(code, daytime);
    if (name == nullptr) {
        return nullptr;
    }
    return LargePicture(name);
}

std::shared_ptr<const CBitmap> UtilGraphics::NoDataIcon() {
    return LargePicture(NoDataIconFileName);
}

const CBitmap& UtilGraphics::Sky() {
    return store ? store->Sky : NoImage();
}

const CBitmap& UtilGraphics::NightImage() {
    return store ? store->Night : NoImage();
}

const CBitmap& UtilGraphics::LocalWeatherShadow() {
    return store ? store->Shadow : NoImage();
}
