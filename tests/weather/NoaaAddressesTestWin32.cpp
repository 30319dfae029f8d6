#include "weather/NoaaAddresses.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// A key of the test's own, so that the program's settings are never touched.
const wchar_t* const Key = L"Software\\Orbimeteo-NoaaAddressesTest";

void SetValue(HKEY root, const wchar_t* name, const std::wstring& value) {
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(root, Key, name, REG_SZ, value.c_str(), bytes));
}

class RegistryKeys : public testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, Key);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, Key);
    }
};

} // namespace

TEST_F(RegistryKeys, ReadsTheCurrentUsersValueFirstThenTheMachines) {
    EXPECT_EQ(NoaaAddresses::DefaultObservationUrlTemplate, NoaaAddresses::Read(Key).ObservationUrlTemplate);

    SetValue(HKEY_LOCAL_MACHINE, L"ObservationUrlTemplate", L"http://machine.example/%s.TXT");
    SetValue(HKEY_LOCAL_MACHINE, L"ForecastEndpoint", L"http://machine.example/ndfd.php");
    NoaaAddresses addresses = NoaaAddresses::Read(Key);
    EXPECT_EQ(L"http://machine.example/%s.TXT", addresses.ObservationUrlTemplate);
    EXPECT_EQ(L"http://machine.example/ndfd.php", addresses.ForecastEndpoint);

    SetValue(HKEY_CURRENT_USER, L"ObservationUrlTemplate", L"http://user.example/%s.TXT");
    // An unusable user value does not hide a usable machine value.
    SetValue(HKEY_CURRENT_USER, L"ForecastEndpoint", L"gopher://user.example/");
    addresses = NoaaAddresses::Read(Key);
    EXPECT_EQ(L"http://user.example/%s.TXT", addresses.ObservationUrlTemplate);
    EXPECT_EQ(L"http://machine.example/ndfd.php", addresses.ForecastEndpoint);
}

TEST_F(RegistryKeys, KeepsTheDefaultForAValueThatIsNotAString) {
    const DWORD number = 42;
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, Key, L"ObservationUrlTemplate", REG_DWORD,
                                             &number, sizeof number));
    EXPECT_EQ(NoaaAddresses::DefaultObservationUrlTemplate, NoaaAddresses::Read(Key).ObservationUrlTemplate);
}
