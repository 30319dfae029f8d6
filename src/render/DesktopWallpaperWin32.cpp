#include "render/DesktopWallpaperWin32.h"

#include "core/ApplicationException.h"
#include "core/ScopedHandleWin32.h"
#include "core/Util.h"
#include "data/Options.h"
#include "render/UtilGraphicsWin32.h"
#include "render/WeatherPictureWin32.h"

#include <cwchar>
#include <cwctype>
#include <optional>

namespace {
constexpr const wchar_t* DesktopKey = L"Control Panel\\Desktop";
constexpr DWORD PathCharacters = 260;
constexpr int MaximumWallpaperFiles = 100;

// What the user had when the desktop mode started. A value that could not be read stays empty,
// and is removed again on restore instead of being written as an empty text.
struct SavedWallpaper {
    // Nothing is put back before anything was remembered: a start that failed early must not
    // leave the user without a wallpaper.
    bool Remembered = false;
    std::wstring Path;
    std::optional<std::wstring> Style;
    std::optional<std::wstring> Tile;
};

SavedWallpaper saved;

void WriteDesktopValue(HKEY key, const wchar_t* name, const std::optional<std::wstring>& value) {
    if (key == nullptr) {
        return;
    }
    if (!value) {
        RegDeleteValueW(key, name);
        return;
    }
    const DWORD bytes = static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t));
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()), bytes);
}

void ApplyWallpaper(const std::optional<std::wstring>& style, const std::optional<std::wstring>& tile,
                    const std::wstring& path) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, DesktopKey, 0, KEY_READ | KEY_WRITE, &opened) != ERROR_SUCCESS) {
        opened = nullptr;
    }
    const RegistryKeyHandle key(opened);
    WriteDesktopValue(key.Get(), L"WallpaperStyle", style);
    WriteDesktopValue(key.Get(), L"TileWallpaper", tile);
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(path.c_str()),
                          SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}

std::optional<std::wstring> ReadDesktopValue(const wchar_t* name) {
    try {
        std::wstring value;
        Util::RegGetKeyValue(DesktopKey, value, HKEY_CURRENT_USER, name);
        return value;
    } catch (const ApplicationException&) {
        return std::nullopt;
    }
}

std::wstring UpperCase(std::wstring text) {
    for (wchar_t& character : text) {
        character = static_cast<wchar_t>(std::towupper(character));
    }
    return text;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SameName(const wchar_t* a, const std::wstring& b) {
    return CompareStringOrdinal(a, -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Deletes the folder's plain files except the one named keep (compared without case).
void DeleteFilesExcept(const std::wstring& folder, const std::wstring& keep) {
    WIN32_FIND_DATAW entry{};
    const FindHandle find(FindFirstFileW((folder + L"*.*").c_str(), &entry));
    if (!find.IsValid()) {
        return;
    }
    do {
        if ((entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM)) != 0 ||
            (!keep.empty() && SameName(entry.cFileName, keep))) {
            continue;
        }
        DeleteFileW((folder + entry.cFileName).c_str());
    } while (FindNextFileW(find.Get(), &entry));
}

std::wstring WallpaperFileName(int index) {
    wchar_t name[16] = {};
    std::swprintf(name, 16, L"E%i.bmp", index);
    return name;
}

PixelRect WorkAreaCRect() {
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        ThrowApplicationException("Util::WorkAreaCRect (373)");
    }
    return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

// The primary monitor's, so that the texts' point sizes keep their physical size.
float ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<float>(dpi) : 96.0f;
}
} // namespace

void SaveUserWallpaper(const std::wstring& wallpaperFolder) {
    try {
        wchar_t path[PathCharacters] = {};
        saved.Path = SystemParametersInfoW(SPI_GETDESKWALLPAPER, PathCharacters, path, 0) ? path : L"";
        saved.Style = ReadDesktopValue(L"WallpaperStyle");
        saved.Tile = ReadDesktopValue(L"TileWallpaper");
        saved.Remembered = true;
        if (!wallpaperFolder.empty() &&
            UpperCase(saved.Path).find(UpperCase(wallpaperFolder)) != std::wstring::npos) {
            saved.Path.clear();
            ApplyWallpaper(saved.Style, saved.Tile, saved.Path);
        }
    } catch (...) {
    }
}

void RestoreUserWallpaper() {
    if (saved.Remembered) {
        ApplyWallpaper(saved.Style, saved.Tile, saved.Path);
    }
}

void ClearWallpaperFolder(const std::wstring& folder) {
    DeleteFilesExcept(Util::AppendBackslash(folder), L"");
}

void SetWallpaper(const std::wstring& style, const std::wstring& tile, const std::wstring& path) {
    ApplyWallpaper(style, tile, path);
}

bool SaveAndApplyWallpaper(const CBitmap& bitmap, const std::wstring& folderText) {
    if (folderText.empty()) {
        return false;
    }
    const std::wstring folder = Util::AppendBackslash(folderText);
    std::wstring name;
    for (int i = 0; i < MaximumWallpaperFiles && name.empty(); ++i) {
        if (!Exists(folder + WallpaperFileName(i))) {
            name = WallpaperFileName(i);
        }
    }
    if (name.empty()) {
        return false;
    }
    // Installing a file that was not written would blank the desktop and then delete the
    // picture still shown.
    if (!bitmap.Save(folder + name, UtilGraphics::GetEncoderBmp())) {
        DeleteFileW((folder + name).c_str());
        return false;
    }
    SetWallpaper(L"2", L"0", folder + name);
    DeleteFilesExcept(folder, name);
    return true;
}

void RefreshWallpaper(const COptions& options, const std::wstring& wallpaperFolder) {
    if (!options.UpdateWallpaper || options.HomeCity.IsEmpty()) {
        RestoreUserWallpaper();
        return;
    }
    try {
        const CBitmap picture = UtilGraphics::GenerateEarthWallpaper(options);
        if (!SaveAndApplyWallpaper(picture, wallpaperFolder)) {
            RestoreUserWallpaper();
        }
    } catch (...) {
        RestoreUserWallpaper();
    }
}

CBitmap UtilGraphics::GenerateEarthWallpaper(const COptions& options) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const PixelRect work = WorkAreaInPicture(WorkAreaCRect(), left, top);
    const PictureRect workRect{static_cast<float>(work.X), static_cast<float>(work.Y),
                               static_cast<float>(work.Width), static_cast<float>(work.Height)};
    return CreateWeatherPicture(width, height, PixelKind::Rgb24, ScreenDpi(), workRect, options);
}
