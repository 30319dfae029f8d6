#include "core/UtilFile.h"
#include "ThrowLocation.h"
#include "core/Util.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {
// ENOENT and ERROR_FILE_NOT_FOUND share the value.
constexpr uint32_t FileNotFound = 2;
} // namespace

TEST(UtilFile, ReadsTheBytesAsStored) {
    TempFolder folder;
    folder.Write(L"empty.txt", "");
    EXPECT_EQ("", UtilFile::ReadFileAscii(folder.File(L"empty.txt")));

    const std::string bytes("\xEF\xBB\xBFline\r\nnext\n\0\xFF", 15);
    folder.Write(L"raw.txt", bytes);
    EXPECT_EQ(bytes, UtilFile::ReadFileAscii(folder.File(L"raw.txt")));
}

TEST(UtilFile, ReadFailuresCarryTheSystemError) {
    TempFolder folder;
    try {
        UtilFile::ReadFileAscii(folder.File(L"missing.txt"));
        FAIL() << "no exception";
    } catch (const ApplicationException& e) {
        EXPECT_EQ(L"UtilFile::ReadFileAscii (12)", e.Location);
        EXPECT_EQ(FileNotFound, e.LastError);
    }
    EXPECT_EQ(L"UtilFile::ReadFileAscii (12)",
              ThrowLocation<ApplicationException>([&] { UtilFile::ReadFileAscii(folder.Path().wstring()); }));
}

TEST(UtilFile, WriteReplacesTheContent) {
    TempFolder folder;
    const std::wstring name = folder.File(L"Cities.txt");
    UtilFile::WriteFileAscii(name, "a much longer first content\r\n");
    UtilFile::WriteFileAscii(name, std::string("1;A\r\n\0", 6));
    EXPECT_EQ(std::string("1;A\r\n\0", 6), UtilFile::ReadFileAscii(name));
    UtilFile::WriteFileAscii(name, "");
    EXPECT_EQ("", UtilFile::ReadFileAscii(name));

    EXPECT_EQ(L"UtilFile::WriteFileAscii (24)", ThrowLocation<ApplicationException>([&] {
                  UtilFile::WriteFileAscii(folder.File(L"missing") + L"/Cities.txt", "x");
              }));
#ifndef _WIN32
    EXPECT_EQ(L"UtilFile::WriteFileAscii (26)",
              ThrowLocation<ApplicationException>([] { UtilFile::WriteFileAscii(L"/dev/full", "x"); }));
#endif
}

TEST(UtilFile, MoveFileReplaceSwapsInTheNewFile) {
    TempFolder folder;
    folder.Write(L"Options.txt", "old");
    folder.Write(L"Options.txt.temp", "new");
    EXPECT_TRUE(UtilFile::MoveFileReplace(folder.File(L"Options.txt.temp"), folder.File(L"Options.txt")));
    EXPECT_EQ("new", folder.Read(L"Options.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / L"Options.txt.temp"));

    EXPECT_FALSE(UtilFile::MoveFileReplace(folder.File(L"Options.txt.temp"), folder.File(L"Options.txt")));
    EXPECT_EQ("new", folder.Read(L"Options.txt"));
}

// A folder is never taken for a file, nor removed as one.
TEST(UtilFile, FilesAndFoldersAreToldApart) {
    TempFolder folder;
    folder.Write(L"Options.txt", "x");
    std::filesystem::create_directory(folder.Path() / L"Cities.txt");
    EXPECT_TRUE(UtilFile::FileExists(folder.File(L"Options.txt")));
    EXPECT_FALSE(UtilFile::FileExists(folder.File(L"Cities.txt")));
    EXPECT_FALSE(UtilFile::FileExists(folder.File(L"missing.txt")));

    EXPECT_FALSE(UtilFile::IsReadOnly(folder.File(L"Options.txt")));
    std::filesystem::permissions(folder.Path() / L"Options.txt",
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_TRUE(UtilFile::IsReadOnly(folder.File(L"Options.txt")));
    EXPECT_FALSE(UtilFile::IsReadOnly(folder.File(L"Cities.txt")));
    EXPECT_FALSE(UtilFile::IsReadOnly(folder.File(L"missing.txt")));
    std::filesystem::permissions(folder.Path() / L"Options.txt", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);

    EXPECT_FALSE(UtilFile::RemoveFile(folder.File(L"Cities.txt")));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / L"Cities.txt"));
    EXPECT_TRUE(UtilFile::RemoveFile(folder.File(L"Options.txt")));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / L"Options.txt"));
    EXPECT_FALSE(UtilFile::RemoveFile(folder.File(L"Options.txt")));
}

TEST(UtilPath, AppendBackslash) {
    EXPECT_EQ(L"C:\\x\\", Util::AppendBackslash(L"C:\\x"));
    EXPECT_EQ(L"C:\\x\\", Util::AppendBackslash(L"C:\\x\\"));
    EXPECT_EQ(L"\\", Util::AppendBackslash(L"\\"));
    EXPECT_EQ(L"Util::AppendBackslash (91)",
              ThrowLocation<ApplicationException>([] { Util::AppendBackslash(L""); }));
}

TEST(UtilPath, EnsureDirectoryExistsCreatesOneFolder) {
    TempFolder folder;
    const std::filesystem::path wallpaper = folder.Path() / L"Wallpaper";
    Util::EnsureDirectoryExists(wallpaper.wstring());
    EXPECT_TRUE(std::filesystem::is_directory(wallpaper));
    Util::EnsureDirectoryExists(wallpaper.wstring()); // already there: nothing happens

    const std::filesystem::path deep = folder.Path() / L"a" / L"b";
    EXPECT_EQ(L"Util::EnsureDirectoryExists (347)",
              ThrowLocation<ApplicationException>([&] { Util::EnsureDirectoryExists(deep.wstring()); }));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / L"a"));

    folder.Write(L"file", "x");
    EXPECT_EQ(L"Util::EnsureDirectoryExists (347)", ThrowLocation<ApplicationException>([&] {
                  Util::EnsureDirectoryExists(folder.File(L"file"));
              }));
}
