// A settings file another program holds open without sharing cannot be read or copied.
#include "OptionsFixture.h"

#include <windows.h>

namespace {
class Lock {
public:
    explicit Lock(const std::wstring& file)
        : handle_(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~Lock() { Release(); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Held()) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }

private:
    HANDLE handle_;
};
} // namespace

// Defaults while it cannot be read; as what it holds is unknown, these options never replace it,
// not even once the lock is gone.
TEST_F(OptionsFiles, ALockedFileIsNotLost) {
    const std::string text = "HomeCity=\r\nUseMetricSystem=true\r\n";
    folder.Write(L"Options.txt", text);
    Lock lock(site.OptionsFile);
    ASSERT_TRUE(lock.Held());
    COptions options(OptionsEdition::CloudPane, site);
    options.Load();
    EXPECT_EQ(L"KLAX", options.HomeCity->Icao);
    EXPECT_FALSE(options.UseMetricSystem);

    EXPECT_FALSE(options.Save());
    EXPECT_EQ(1, failuresReported);
    EXPECT_EQ(DefaultCitiesText, folder.Read(L"Cities.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / L"Options.txt.temp"));

    lock.Release();
    EXPECT_FALSE(options.Save());
    EXPECT_EQ(2, failuresReported);
    EXPECT_EQ(text, folder.Read(L"Options.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / L"Options.txt.damaged"));

    COptions later(OptionsEdition::CloudPane, site);
    later.Load();
    EXPECT_TRUE(later.HomeCity.IsEmpty());
    EXPECT_TRUE(later.UseMetricSystem);
}
