#include "render/EarthBackground.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <windows.h>

// The attributes that keep a file out of the background list, each on its own.
TEST(Backgrounds, ListingLeavesOutSystemHiddenAndTemporaryFiles) {
    TempFolder folder;
    const std::pair<const wchar_t*, DWORD> files[] = {
        {L"Plain.jpg", FILE_ATTRIBUTE_NORMAL},        {L"ReadOnly.jpg", FILE_ATTRIBUTE_READONLY},
        {L"Hidden.jpg", FILE_ATTRIBUTE_HIDDEN},       {L"System.jpg", FILE_ATTRIBUTE_SYSTEM},
        {L"Temporary.jpg", FILE_ATTRIBUTE_TEMPORARY},
    };
    std::vector<std::wstring> expected;
    for (const auto& [name, attributes] : files) {
        folder.Write(name, "x");
        ASSERT_TRUE(SetFileAttributesW(folder.File(name).c_str(), attributes)) << name;
        // Wine keeps no temporary attribute on its files; such a file is plain there.
        const DWORD kept = GetFileAttributesW(folder.File(name).c_str());
        if (attributes != FILE_ATTRIBUTE_NORMAL && attributes != FILE_ATTRIBUTE_TEMPORARY) {
            ASSERT_EQ(attributes, kept & attributes) << name;
        }
        if ((kept & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_TEMPORARY)) == 0) {
            expected.push_back(name);
        }
    }

    std::vector<std::wstring> names;
    ListBackgrounds(folder.Path().wstring() + L"\\", names);
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, names);

    // The cleanup needs to delete them again.
    for (const auto& [name, attributes] : files) {
        SetFileAttributesW(folder.File(name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}
