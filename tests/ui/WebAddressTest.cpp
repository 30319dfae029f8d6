#include "ui/WebAddress.h"

#include <gtest/gtest.h>

TEST(WebAddress, FileUrlOfAnInstalledPageOpensThatFile) {
    EXPECT_EQ(L"file:///C:/Program%20Files/Orbimeteo/ReadMe.html",
              FileUrlOf(L"C:\\Program Files\\Orbimeteo\\ReadMe.html"));
    // A folder named like "C# 100%" must not end the address or start an escape.
    EXPECT_EQ(L"file:///D:/C%23%20100%25/a%3Fb/ReadMe.html", FileUrlOf(L"D:\\C# 100%\\a?b\\ReadMe.html"));
    EXPECT_EQ(L"file://server/share/ReadMe.html", FileUrlOf(L"\\\\server\\share\\ReadMe.html"));
    // Letters beyond ASCII stay as they are for the shell; brackets and quotes are escaped.
    EXPECT_EQ(L"file:///C:/%5Bx%5D%22.html", FileUrlOf(L"C:\\[x]\".html"));
    EXPECT_EQ(L"file:///C:/Z\u00FCrich/ReadMe.html", FileUrlOf(L"C:\\Z\u00FCrich\\ReadMe.html"));
}

TEST(WebAddress, WithoutAConfiguredSiteTheReadMeBesideTheProgramIsTheSiteAndItsPage) {
    const std::wstring site = WebSiteOf(L"", L"C:\\Program Files\\Orbimeteo\\");
    EXPECT_EQ(L"file:///C:/Program%20Files/Orbimeteo/ReadMe.html", site);
    EXPECT_EQ(site, ProductPageOf(site, L"cloudpane"));
}

TEST(WebAddress, AConfiguredSiteNamesTheEditionInItsProductPage) {
    const std::wstring site = WebSiteOf(L"https://example.org/weather/", L"C:\\Orbimeteo\\");
    EXPECT_EQ(L"https://example.org/weather/", site);
    EXPECT_EQ(L"https://example.org/weather/?product=globeglow&ref=app", ProductPageOf(site, L"globeglow"));
}

TEST(WebAddress, EachEditionHasItsOwnWebId) {
    const std::wstring cloudPane = WebIdOf(EnumAppKind::CloudPane);
    const std::wstring globeGlow = WebIdOf(EnumAppKind::GlobeGlow);
    EXPECT_FALSE(cloudPane.empty());
    EXPECT_NE(cloudPane, globeGlow);
    EXPECT_EQ(std::wstring::npos,
              cloudPane.find_first_not_of(L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"));
}
