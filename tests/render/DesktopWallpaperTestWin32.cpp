#include "../core/ThrowLocation.h"
#include "core/Util.h"
#include "data/Options.h"
#include "render/DesktopWallpaperWin32.h"
#include "render/ScreenSaverSetupWin32.h"
#include "render/UtilGraphicsWin32.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {
constexpr const wchar_t* DesktopKey = L"Control Panel\\Desktop";

std::optional<std::wstring> DesktopValue(const wchar_t* name) {
    try {
        std::wstring text;
        Util::RegGetKeyValue(DesktopKey, text, HKEY_CURRENT_USER, name);
        return text;
    } catch (const ApplicationException&) {
        return std::nullopt;
    }
}

void SetDesktopValue(const wchar_t* name, const std::optional<std::wstring>& value) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, DesktopKey, 0, nullptr, 0, KEY_SET_VALUE,
                                             nullptr, &key, nullptr));
    if (value) {
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                       static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
    } else {
        RegDeleteValueW(key, name);
    }
    RegCloseKey(key);
}

std::wstring InstalledWallpaper() {
    wchar_t path[MAX_PATH] = {};
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    return path;
}

std::vector<std::wstring> FileNames(const TempFolder& folder) {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        if (entry.is_regular_file()) {
            names.push_back(entry.path().filename().wstring());
        }
    }
    return names;
}

// The desktop settings of the Wine session are the user's: each test puts them back.
class DesktopTest : public testing::Test {
protected:
    DesktopTest()
        : wallpaper_(InstalledWallpaper()), style_(DesktopValue(L"WallpaperStyle")),
          tile_(DesktopValue(L"TileWallpaper")), screenSaver_(DesktopValue(L"SCRNSAVE.EXE")) {}
    ~DesktopTest() override {
        SetDesktopValue(L"WallpaperStyle", style_);
        SetDesktopValue(L"TileWallpaper", tile_);
        SetDesktopValue(L"SCRNSAVE.EXE", screenSaver_);
        SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(wallpaper_.c_str()),
                              SPIF_UPDATEINIFILE);
    }

    std::wstring Folder() const { return folder_.Path().wstring() + L"\\"; }

    // The user's own wallpaper, a real picture elsewhere.
    std::wstring SetUserWallpaper(const std::wstring& style, const std::wstring& tile) {
        const std::wstring path = user_.File(L"Holiday.bmp");
        CBitmap(4, 4, PixelKind::Rgb24).Save(path, UtilGraphics::GetEncoderBmp());
        SetWallpaper(style, tile, path);
        return path;
    }

    TempFolder folder_;
    TempFolder user_;
    CBitmap picture_{16, 9, PixelKind::Rgb24};

private:
    std::wstring wallpaper_;
    std::optional<std::wstring> style_;
    std::optional<std::wstring> tile_;
    std::optional<std::wstring> screenSaver_;
};
} // namespace

TEST_F(DesktopTest, PicturesAlternateBetweenTwoNamesWithOneFileLeft) {
    for (const wchar_t* expected : {L"E0.bmp", L"E1.bmp", L"E0.bmp"}) {
        ASSERT_TRUE(SaveAndApplyWallpaper(picture_, Folder()));
        EXPECT_EQ(std::vector<std::wstring>{expected}, FileNames(folder_));
        EXPECT_EQ(Folder() + expected, InstalledWallpaper());
        EXPECT_EQ(L"2", DesktopValue(L"WallpaperStyle").value_or(L"?"));
        EXPECT_EQ(L"0", DesktopValue(L"TileWallpaper").value_or(L"?"));
    }
    EXPECT_EQ("BM", folder_.Read(L"E0.bmp").substr(0, 2));
    // The folder may be given without its backslash.
    ASSERT_TRUE(SaveAndApplyWallpaper(picture_, folder_.Path().wstring()));
    EXPECT_EQ(std::vector<std::wstring>{L"E1.bmp"}, FileNames(folder_));
}

TEST_F(DesktopTest, PicturesLeftByACrashAreClearedSoTheFirstIsE0) {
    folder_.Write(L"E0.bmp", "old");
    folder_.Write(L"E1.bmp", "old");
    std::filesystem::create_directory(folder_.Path() / L"Keep");
    ClearWallpaperFolder(folder_.Path().wstring());
    EXPECT_TRUE(FileNames(folder_).empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder_.Path() / L"Keep"));
    ASSERT_TRUE(SaveAndApplyWallpaper(picture_, Folder()));
    EXPECT_EQ(std::vector<std::wstring>{L"E0.bmp"}, FileNames(folder_));
}

// A picture that cannot be written is not installed, and the one shown is not deleted.
TEST_F(DesktopTest, NothingIsInstalledWhenNoPictureCanBeSaved) {
    ASSERT_TRUE(SaveAndApplyWallpaper(picture_, Folder()));
    EXPECT_FALSE(SaveAndApplyWallpaper(CBitmap(), Folder()));
    EXPECT_EQ(Folder() + L"E0.bmp", InstalledWallpaper());
    EXPECT_EQ(std::vector<std::wstring>{L"E0.bmp"}, FileNames(folder_));
    EXPECT_FALSE(SaveAndApplyWallpaper(picture_, L""));

    for (int i = 1; i < 100; ++i) {
        folder_.Write(L"E" + std::to_wstring(i) + L".bmp", "x");
    }
    EXPECT_FALSE(SaveAndApplyWallpaper(picture_, Folder()));
    EXPECT_EQ(Folder() + L"E0.bmp", InstalledWallpaper());
    EXPECT_EQ(100u, FileNames(folder_).size());
}

TEST_F(DesktopTest, UsersWallpaperAndStyleComeBack) {
    const std::wstring holiday = SetUserWallpaper(L"10", L"1");
    SaveUserWallpaper(Folder());
    ASSERT_TRUE(SaveAndApplyWallpaper(picture_, Folder()));
    RestoreUserWallpaper();
    EXPECT_EQ(holiday, InstalledWallpaper());
    EXPECT_EQ(L"10", DesktopValue(L"WallpaperStyle").value_or(L"?"));
    EXPECT_EQ(L"1", DesktopValue(L"TileWallpaper").value_or(L"?"));

    // A style the user never had is not left behind as an empty text.
    SetDesktopValue(L"TileWallpaper", std::nullopt);
    SaveUserWallpaper(Folder());
    ASSERT_TRUE(SaveAndApplyWallpaper(picture_, Folder()));
    RestoreUserWallpaper();
    EXPECT_FALSE(DesktopValue(L"TileWallpaper").has_value());
    EXPECT_EQ(L"10", DesktopValue(L"WallpaperStyle").value_or(L"?"));
}

// A picture of this program still installed (a crash) is not the user's: the desktop gets
// none, at once and at the end.
TEST_F(DesktopTest, OwnPictureIsNotTakenForTheUsersWallpaper) {
    SetUserWallpaper(L"6", L"0");
    ASSERT_TRUE(SaveAndApplyWallpaper(picture_, Folder()));
    std::wstring folder = Folder();
    for (wchar_t& c : folder) {
        c = static_cast<wchar_t>(towlower(c));
    }
    SaveUserWallpaper(folder);
    EXPECT_EQ(L"", InstalledWallpaper());
    ASSERT_TRUE(SaveAndApplyWallpaper(picture_, Folder()));
    RestoreUserWallpaper();
    EXPECT_EQ(L"", InstalledWallpaper());
}

TEST_F(DesktopTest, RefreshInstallsTheVirtualScreensPictureOrTheUsersWallpaper) {
    UtilGraphics::LoadImages({Folder(), Folder(), Folder(), Folder()});
    const std::wstring holiday = SetUserWallpaper(L"10", L"1");
    SaveUserWallpaper(Folder());
    COptions options(OptionsEdition::CloudPane, OptionsSite{});
    options.HomeCity = new City(CityRecord(1, L"KLAX", L"US", L"Los Angeles", L"", 33.9f, -118.4f));

    RefreshWallpaper(options, Folder());
    EXPECT_EQ(Folder() + L"E0.bmp", InstalledWallpaper());
    const CBitmap installed = CBitmap::FromFile(Folder() + L"E0.bmp");
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), installed.Width());
    EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), installed.Height());

    options.UpdateWallpaper = false;
    RefreshWallpaper(options, Folder());
    EXPECT_EQ(holiday, InstalledWallpaper());
    EXPECT_EQ(L"10", DesktopValue(L"WallpaperStyle").value_or(L"?"));
    options.UpdateWallpaper = true;
    options.HomeCity = nullptr;
    SetWallpaper(L"2", L"0", L"");
    RefreshWallpaper(options, Folder());
    EXPECT_EQ(holiday, InstalledWallpaper());
    UtilGraphics::ReleaseImages();
}

TEST_F(DesktopTest, ScreenSaverIsInstalledByItsShortPath) {
    folder_.Write(L"cloud-pane.scr", "MZ");
    const std::wstring path = folder_.File(L"cloud-pane.scr");
    ASSERT_TRUE(Util::SetScreenSaver(path));
    wchar_t shortPath[520] = {};
    GetShortPathNameW(path.c_str(), shortPath, 520);
    EXPECT_EQ(shortPath, DesktopValue(L"SCRNSAVE.EXE").value_or(L"?"));

    // A file that is not there has no short path.
    EXPECT_EQ(L"Util::SetScreenSaver (189)", ThrowLocation<ApplicationException>(
                                                 [&] { InstallScreenSaverFile(folder_.File(L"none.scr")); }));
    EXPECT_FALSE(Util::SetScreenSaver(folder_.File(L"none.scr")));
}

// Components already in 8.3 form keep their length in the short path.
TEST_F(DesktopTest, ScreenSaverPathTooLongForTheRegistryFails) {
    std::vector<std::wstring> folders{L"\\\\?\\" + folder_.Path().wstring()};
    for (int level = 0; level < 66; ++level) {
        folders.push_back(folders.back() + L"\\dddddddd");
        ASSERT_TRUE(CreateDirectoryW(folders.back().c_str(), nullptr)) << level;
    }
    const std::wstring path = folders.back() + L"\\saver.scr";
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    EXPECT_EQ(L"Util::SetScreenSaver (189)",
              ThrowLocation<ApplicationException>([&] { InstallScreenSaverFile(path); }));
    EXPECT_FALSE(Util::SetScreenSaver(path));
    DeleteFileW(path.c_str());
    for (size_t i = folders.size() - 1; i > 0; --i) {
        RemoveDirectoryW(folders[i].c_str());
    }
}

TEST(UtilRegistry, ReadsOnlyTerminatedStrings) {
    std::wstring text = L"kept";
    EXPECT_EQ(L"Util::RegGetKeyValue (176)", ThrowLocation<ApplicationException>([&] {
                  Util::RegGetKeyValue(L"Software\\No Such Key Anywhere", text, HKEY_CURRENT_USER, L"x");
              }));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\OrbimeteoTest", 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    const DWORD number = 5;
    RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    const wchar_t unterminated[] = {L'a', L'b'};
    RegSetValueExW(key, L"Open", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated),
                   sizeof(unterminated));
    RegSetValueExW(key, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"value"), 12);
    RegCloseKey(key);
    for (const wchar_t* name : {L"Number", L"Open", L"Missing"}) {
        EXPECT_EQ(L"Util::RegGetKeyValue (178)", ThrowLocation<ApplicationException>([&] {
                      Util::RegGetKeyValue(L"Software\\OrbimeteoTest", text, HKEY_CURRENT_USER, name);
                  }))
            << name;
    }
    EXPECT_EQ(L"kept", text);
    Util::RegGetKeyValue(L"Software\\OrbimeteoTest", text, HKEY_CURRENT_USER, L"Text");
    EXPECT_EQ(L"value", text);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\OrbimeteoTest");
}

TEST(UtilSystemDirectory, IsAFolderWithItsBackslash) {
    const std::wstring& folder = Util::GetSystemDirectoryW();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(L'\\', folder.back());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((folder + L"kernel32.dll").c_str()));
    EXPECT_EQ(&folder, &Util::GetSystemDirectoryW());
}
