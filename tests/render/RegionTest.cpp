#include "render/Region.h"
#include "core/ThrowLocation.h"
#include "render/EarthBackground.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;

std::vector<std::wstring> NamesOf(const std::vector<EarthRegion>& regions) {
    std::vector<std::wstring> names;
    for (const EarthRegion& region : regions) {
        names.push_back(region.Name);
    }
    return names;
}

std::wstring FolderName(const TempFolder& folder, const std::wstring& name) {
    return folder.File(name) + static_cast<wchar_t>(fs::path::preferred_separator);
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
    std::sort(names.begin(), names.end());
    return names;
}

struct CountedImage : BackgroundImage {
    explicit CountedImage(int& alive) : alive_(alive) { ++alive_; }
    ~CountedImage() override { --alive_; }
    int& alive_;
};
} // namespace

TEST(Regions, ListedInTheOrderOffered) {
    using Names = std::vector<std::wstring>;
    EXPECT_EQ(2u, GetEarthRegions().size());
    EXPECT_EQ(6u, GetContinentRegions().size());
    EXPECT_EQ((Names{L"Earth (Default)", L"Earth (Complete)", L"Africa", L"Asia", L"Australia", L"Europe",
                     L"North America", L"South America"}),
              NamesOf(GetAllRegions()));
    EXPECT_EQ((EarthRegion{L"Earth (Default)", -145, 90, 165, -80}), DefaultRegion());
    EXPECT_EQ((EarthRegion{L"Australia", 94, 9, 180, -59}), GetAllRegions()[4]);
    EXPECT_EQ((EarthRegion{L"NA", -120, 50, -80, 30}), PreviewRegion());
}

TEST(Regions, FindRegionIgnoresCase) {
    EarthRegion region = DefaultRegion();
    EXPECT_TRUE(FindRegion(L"europe", region));
    EXPECT_EQ((EarthRegion{L"Europe", -13, 75, 50, 28}), region);
    EXPECT_TRUE(FindRegion(L"NORTH AMERICA", region));

    for (const wchar_t* unknown : {L"NA", L"", L"Europe ", L"Atlantis", L"Earth"}) {
        EXPECT_FALSE(FindRegion(unknown, region)) << unknown;
        EXPECT_EQ(L"North America", region.Name);
    }
}

TEST(Backgrounds, ListAndSelectOnlyFilesOfTheFolder) {
    TempFolder folder;
    fs::create_directory(folder.Path() / L"Earth");
    fs::create_directory(folder.Path() / L"Earth" / L"Sub.jpg");
    folder.Write(L"Earth/Night Lights.jpg", "x");
    folder.Write(L"Earth/notes.txt", "x");
    folder.Write(L"Earth/.hidden.jpg", "x");
    folder.Write(L"Outside.jpg", "x");
    const std::wstring earth = FolderName(folder, L"Earth");

    std::vector<std::wstring> names{L"stale"};
    ListBackgrounds(earth, names);
    EXPECT_EQ((std::vector<std::wstring>{L"Night Lights.jpg", L"notes.txt"}), Sorted(names));
    ListBackgrounds(FolderName(folder, L"Missing"), names);
    EXPECT_TRUE(names.empty());

    EarthBackground selection = DefaultBackground(earth);
    for (const wchar_t* refused :
         {L"Blue Marble.jpg", L"Sub.jpg", L"", L"../Outside.jpg", L"..\\Outside.jpg"}) {
        EXPECT_FALSE(SelectBackground(earth, refused, selection)) << refused;
        EXPECT_EQ(earth + L"Blue Marble.jpg", selection.Path());
    }
    EXPECT_TRUE(SelectBackground(earth, L"Night Lights.jpg", selection));
    EXPECT_EQ(L"Night Lights.jpg", selection.Name());
    EXPECT_EQ(earth + L"Night Lights.jpg", selection.Path());
}

#ifndef _WIN32
// Natively file names are UTF-8 bytes; one that is not valid UTF-8 cannot be offered.
TEST(Backgrounds, NativeNamesAreUtf8) {
    TempFolder folder;
    std::ofstream(folder.Path() / "Caf\xC3\xA9.jpg") << "x";
    std::ofstream(folder.Path() / "Bad\xFF.jpg") << "x";
    const std::wstring earth = FolderName(folder, L".");
    std::vector<std::wstring> names;
    ListBackgrounds(earth, names);
    EXPECT_EQ(std::vector<std::wstring>{L"Caf\u00e9.jpg"}, names);
    EarthBackground selection;
    EXPECT_TRUE(SelectBackground(earth, L"Caf\u00e9.jpg", selection));
}
#endif

TEST(Backgrounds, ImageIsLoadedOnceAndDroppedOnSelect) {
    TempFolder folder;
    folder.Write(L"Day.jpg", "x");
    const std::wstring earth = FolderName(folder, L".");
    int alive = 0;
    std::vector<std::wstring> loaded;
    const BackgroundImageLoader load = [&](const std::wstring& path) {
        loaded.push_back(path);
        return std::make_unique<CountedImage>(alive);
    };

    EarthBackground selection = DefaultBackground(earth);
    ASSERT_TRUE(SelectBackground(earth, L"Day.jpg", selection));
    BackgroundImage& first = GetBackgroundImage(selection, load);
    EXPECT_EQ(&first, &GetBackgroundImage(selection, load));
    EXPECT_EQ(std::vector<std::wstring>{earth + L"Day.jpg"}, loaded);

    // A copy has a picture of its own.
    EarthBackground copy(selection);
    EXPECT_FALSE(copy.HasImage());
    EXPECT_NE(&first, &GetBackgroundImage(copy, load));
    EXPECT_EQ(2, alive);

    // Selecting again, even the same file, drops the picture; the next draw loads it anew.
    ASSERT_TRUE(SelectBackground(earth, L"Day.jpg", selection));
    EXPECT_FALSE(selection.HasImage());
    EXPECT_EQ(1, alive);
    GetBackgroundImage(selection, load);
    EXPECT_EQ(3u, loaded.size());

    EarthBackground failing = DefaultBackground(earth);
    EXPECT_EQ(L"CPtr<class Gdiplus::Bitmap>::operator * (108)", ThrowLocation<ApplicationException>([&] {
                  GetBackgroundImage(failing,
                                     [](const std::wstring&) { return std::unique_ptr<BackgroundImage>(); });
              }));
    EXPECT_FALSE(failing.HasImage());
}
