#include "app/AppMode.h"
#include "app/Edition.h"
#include "app/OnceValue.h"
#include "app/PathText.h"

#include "core/ThrowLocation.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

TEST(Edition, NamesOfBothEditions) {
    EXPECT_STREQ(DisplayNameOf(EnumAppKind::CloudPane), L"Cloud Pane");
    EXPECT_STREQ(DisplayNameOf(EnumAppKind::GlobeGlow), L"Globe Glow");
    EXPECT_STREQ(KeyNameOf(EnumAppKind::CloudPane), L"CloudPane");
    EXPECT_STREQ(KeyNameOf(EnumAppKind::GlobeGlow), L"GlobeGlow");
    EXPECT_EQ(MutexNameOf(EnumAppKind::CloudPane), L"Local\\CloudPane-Desktop");
    EXPECT_EQ(MutexNameOf(EnumAppKind::GlobeGlow), L"Local\\GlobeGlow-Desktop");
    EXPECT_EQ(RegistryKeyOf(EnumAppKind::CloudPane), L"Software\\CloudPane");
    EXPECT_EQ(RegistryKeyOf(EnumAppKind::GlobeGlow), L"Software\\GlobeGlow");
    EXPECT_EQ(HiddenWindowTitleOf(EnumAppKind::CloudPane), L"Cloud Pane_FormHidden");
    EXPECT_EQ(HiddenWindowTitleOf(EnumAppKind::GlobeGlow), L"Globe Glow_FormHidden");
}

TEST(Edition, ModeAndKindReadBeforeTheyAreDecidedThrow) {
    const Nullable<EnumAppMode> mode;
    const Nullable<EnumAppKind> kind;
    EXPECT_EQ(ThrowLocation<ApplicationException>([&] { mode.Value(); }),
              L"Nullable<enum EnumAppMode>::Value (20)");
    EXPECT_EQ(ThrowLocation<ApplicationException>([&] { kind.Value(); }),
              L"Nullable<enum EnumAppKind>::Value (20)");
}

TEST(PathText, FolderFileNameAndScreenSaverName) {
    EXPECT_EQ(PathText::FolderOf(L"C:\\Program Files\\Orbimeteo\\cloud-pane.exe"),
              L"C:\\Program Files\\Orbimeteo\\");
    EXPECT_EQ(PathText::FolderOf(L"C:\\cloud-pane.exe"), L"C:\\");
    EXPECT_EQ(PathText::FolderOf(L"cloud-pane.exe"), L"");
    EXPECT_EQ(PathText::FileNameOf(L"C:\\x.y\\cloud-pane.exe"), L"cloud-pane.exe");
    EXPECT_EQ(PathText::FileNameOf(L"cloud-pane.exe"), L"cloud-pane.exe");

    EXPECT_EQ(PathText::WithExtension(L"cloud-pane.exe", L".scr"), L"cloud-pane.scr");
    EXPECT_EQ(PathText::WithExtension(L"Globe-Glow.EXE", L".scr"), L"Globe-Glow.scr");
    EXPECT_EQ(PathText::WithExtension(L"a.b.exe", L".scr"), L"a.b.scr");
    EXPECT_EQ(PathText::WithExtension(L"cloud-pane", L".scr"), L"cloud-pane.scr");
}

TEST(OnceValue, ComputedOnceAndAFailureKeepsNothing) {
    OnceValue<std::wstring> value;
    int calls = 0;
    auto failing = [&]() -> std::wstring {
        ++calls;
        throw std::runtime_error("folder not there yet");
    };
    auto working = [&] {
        ++calls;
        return std::wstring(L"C:\\x\\");
    };
    EXPECT_THROW(value.Get(failing), std::runtime_error);
    EXPECT_THROW(value.Get(failing), std::runtime_error);
    EXPECT_EQ(value.Get(working), L"C:\\x\\");
    EXPECT_EQ(value.Get(working), L"C:\\x\\");
    EXPECT_EQ(value.Get(failing), L"C:\\x\\");
    EXPECT_EQ(calls, 3);
}
