// Settings files as users' machines leave them: other line ends, damaged or foreign bytes,
// read-only files, and the leftovers of a save that was cut short.
#include "OptionsFixture.h"
#include "core/UtilFile.h"

#include <random>

namespace fs = std::filesystem;

namespace {
std::string RandomBytes(size_t size) {
    std::mt19937 generator(1234);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(generator() & 0xFF);
    }
    return bytes;
}

// Marks a file read-only for the test's length, as a user would.
class ReadOnlyMark {
public:
    explicit ReadOnlyMark(fs::path file) : file_(std::move(file)) {
        fs::permissions(file_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    ~ReadOnlyMark() {
        std::error_code ignored;
        fs::permissions(file_, fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    ReadOnlyMark(const ReadOnlyMark&) = delete;
    ReadOnlyMark& operator=(const ReadOnlyMark&) = delete;

private:
    fs::path file_;
};
} // namespace

TEST_F(OptionsFiles, LfOnlyOptionsLoadAndAreWrittenBackWithCrLf) {
    COptions options = Loaded("HomeCity=1001;EGLL;United Kingdom;London;Heathrow;51.477001;-0.461000\n"
                              "UseMetricSystem=true\n"
                              "Region=Europe\n"
                              "WeatherIconScale=90\r\n"
                              "FormLocalWeather_Mode=2");
    ASSERT_FALSE(options.HomeCity.IsEmpty());
    EXPECT_EQ(L"EGLL", options.HomeCity->Icao);
    EXPECT_TRUE(options.UseMetricSystem);
    EXPECT_EQ(L"Europe", options.Region.Name);
    EXPECT_EQ(90, options.WeatherIconScale);
    EXPECT_EQ(0, options.FormLocalWeather_Mode); // the last line has no end: its default stays

    ASSERT_TRUE(options.Save());
    const std::string written = folder.Read(L"Options.txt");
    EXPECT_EQ(0u, written.find("HomeCity=1001;EGLL;United Kingdom;London;Heathrow;51.477001;-0.461000\r\n"));
    EXPECT_NE(std::string::npos, written.find("\r\nUseMetricSystem=true\r\n"));
    size_t lines = 0;
    for (size_t at = written.find('\n'); at != std::string::npos; at = written.find('\n', at + 1)) {
        ASSERT_EQ('\r', written[at - 1]) << "a line ends in LF alone";
        ++lines;
    }
    EXPECT_EQ(16u, lines);
    EXPECT_FALSE(fs::exists(folder.Path() / L"Options.txt.damaged")); // it was read normally
}

// A file in which not one key reads is no settings file: the defaults, the home city included,
// and the file is kept beside the new one.
TEST_F(OptionsFiles, AnOptionsFileWithoutOneKeyIsKeptAsDamaged) {
    const std::string bytes = RandomBytes(4096);
    folder.Write(L"Options.txt.damaged", "an older copy");
    COptions options = Loaded(bytes);
    ASSERT_FALSE(options.HomeCity.IsEmpty());
    EXPECT_EQ(L"KLAX", options.HomeCity->Icao);

    ASSERT_TRUE(options.Save());
    EXPECT_EQ(bytes, folder.Read(L"Options.txt.damaged"));
    EXPECT_EQ(DefaultOptionsText, folder.Read(L"Options.txt"));
    EXPECT_EQ(0, failuresReported);
    // Only the first save keeps it: later ones replace the good file as usual.
    options.UseMetricSystem = true;
    ASSERT_TRUE(options.Save());
    EXPECT_EQ(bytes, folder.Read(L"Options.txt.damaged"));

    // An empty file and one of foreign keys are no settings either; a home city line alone is.
    for (const std::string& text : {std::string(), std::string("Colour=blue\r\nhomecity=x\r\n")}) {
        fs::remove(folder.Path() / L"Options.txt.damaged");
        EXPECT_EQ(L"KLAX", Loaded(text).HomeCity->Icao);
        ASSERT_TRUE(Loaded(text).Save());
        EXPECT_EQ(text, folder.Read(L"Options.txt.damaged"));
    }
    fs::remove(folder.Path() / L"Options.txt.damaged");
    EXPECT_TRUE(Loaded("HomeCity=\r\n").HomeCity.IsEmpty());
    ASSERT_TRUE(Loaded("HomeCity=\r\n").Save());
    EXPECT_FALSE(fs::exists(folder.Path() / L"Options.txt.damaged"));
}

TEST_F(OptionsFiles, ACitiesFileWithDamagedLinesIsKeptBeforeTheRewrite) {
    const std::string text = "1;AAAA;C;First;D;1;2\r\nbroken line\r\n\r\n2;BBBB;C;Second;;3;4\n";
    folder.Write(L"Cities.txt", text);
    COptions options(OptionsEdition::CloudPane, site);
    options.Load();
    ASSERT_EQ(2u, options.Cities->size());
    ASSERT_TRUE(options.Save());
    EXPECT_EQ(text, folder.Read(L"Cities.txt.damaged"));
    EXPECT_EQ("1;AAAA;C;First;D;1.000000;2.000000\r\n2;BBBB;C;Second;;3.000000;4.000000\r\n",
              folder.Read(L"Cities.txt"));
    options.Cities->pop_back();
    ASSERT_TRUE(options.Save());
    EXPECT_EQ(text, folder.Read(L"Cities.txt.damaged"));

    // Of which no line reads: the default favourites, and the file kept.
    const std::string bytes = RandomBytes(2000);
    EXPECT_EQ(17u, FavouritesLoaded(bytes));
    COptions defaults(OptionsEdition::CloudPane, site);
    defaults.Load();
    ASSERT_TRUE(defaults.Save());
    EXPECT_EQ(bytes, folder.Read(L"Cities.txt.damaged"));
    EXPECT_EQ(DefaultCitiesText, folder.Read(L"Cities.txt"));

    // No favourites is a choice, not damage.
    fs::remove(folder.Path() / L"Cities.txt.damaged");
    EXPECT_EQ(0u, FavouritesLoaded("\r\n"));
    COptions none(OptionsEdition::CloudPane, site);
    none.Load();
    ASSERT_TRUE(none.Save());
    EXPECT_EQ("", folder.Read(L"Cities.txt"));
    EXPECT_FALSE(fs::exists(folder.Path() / L"Cities.txt.damaged"));
}

// The user's protection stands: the save fails as any other, and the other file is saved.
TEST_F(OptionsFiles, AReadOnlyFileIsNotWrittenOver) {
    folder.Write(L"Options.txt", "UseMetricSystem=true\r\n");
    folder.Write(L"Cities.txt", "1;AAAA;C;First;D;1;2\r\n");
    {
        const ReadOnlyMark mark(folder.Path() / L"Options.txt");
        COptions options(OptionsEdition::CloudPane, site);
        options.Load();
        options.Cities->clear();
        EXPECT_FALSE(options.Save());
        EXPECT_EQ(1, failuresReported);
        EXPECT_EQ("UseMetricSystem=true\r\n", folder.Read(L"Options.txt"));
        EXPECT_TRUE(UtilFile::IsReadOnly(site.OptionsFile));
        EXPECT_FALSE(fs::exists(folder.Path() / L"Options.txt.temp"));
        EXPECT_EQ("", folder.Read(L"Cities.txt"));
    }
    {
        const ReadOnlyMark mark(folder.Path() / L"Cities.txt");
        COptions options(OptionsEdition::CloudPane, site);
        options.Load();
        options.UseMetricSystem = false;
        EXPECT_FALSE(options.Save());
        EXPECT_EQ(2, failuresReported);
        EXPECT_EQ("", folder.Read(L"Cities.txt"));
        EXPECT_TRUE(UtilFile::IsReadOnly(site.CitiesFile));
        EXPECT_FALSE(fs::exists(folder.Path() / L"Cities.txt.temp"));
        EXPECT_NE(std::string::npos, folder.Read(L"Options.txt").find("UseMetricSystem=false\r\n"));
    }
}

// A save cut short leaves its ".temp" file; the settings are only ever read from their own file.
TEST_F(OptionsFiles, ALeftoverTemporaryFileIsNeverTakenForTheSettings) {
    folder.Write(L"Options.txt.temp", "HomeCity=\r\nUseMetricSystem=true\r\n");
    folder.Write(L"Cities.txt.temp", "1;AAAA;C;First;D;1;2\r\n");
    {
        COptions options(OptionsEdition::CloudPane, site);
        options.Load();
        EXPECT_EQ(L"KLAX", options.HomeCity->Icao);
        EXPECT_FALSE(options.UseMetricSystem);
        EXPECT_EQ(17u, options.Cities->size());
    }
    folder.Write(L"Options.txt", "ShowWeather=false\r\n");
    COptions options(OptionsEdition::CloudPane, site);
    options.Load();
    EXPECT_FALSE(options.ShowWeather);
    EXPECT_FALSE(options.UseMetricSystem);

    ASSERT_TRUE(options.Save());
    EXPECT_FALSE(fs::exists(folder.Path() / L"Options.txt.temp"));
    EXPECT_FALSE(fs::exists(folder.Path() / L"Cities.txt.temp"));
    EXPECT_EQ(DefaultCitiesText, folder.Read(L"Cities.txt"));
}
