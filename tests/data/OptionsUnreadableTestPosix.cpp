// Settings files that are there but cannot be read: their contents are unknown, so no save of
// the defaults loaded in their place may replace them.
#include "OptionsFixture.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
constexpr uid_t Nobody = 65534;

// Runs the check as a user that a file's mode bars, as the superuser reads anything: in a child
// that gives up its rights, whose failures are its exit status. The file stays the user's own,
// so the check can make it readable again.
template <class Check> void AsUnprivileged(const fs::path& folder, const fs::path& file, Check check) {
    if (::geteuid() != 0) {
        check();
        return;
    }
    fs::permissions(folder, fs::perms::all);
    ASSERT_EQ(0, ::chown(file.c_str(), Nobody, Nobody));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0) {
            ::_exit(2);
        }
        check();
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(child, ::waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

void Unreadable(const fs::path& file) {
    fs::permissions(file, fs::perms::none);
}

void Readable(const fs::path& file) {
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
}
} // namespace

TEST_F(OptionsFiles, AnOptionsFileThatCannotBeReadIsNeverReplaced) {
    const std::string text = "HomeCity=\r\nUseMetricSystem=true\r\n";
    folder.Write(L"Options.txt", text);
    const fs::path file = folder.Path() / L"Options.txt";
    Unreadable(file);
    AsUnprivileged(folder.Path(), file, [this, &file] {
        COptions options(OptionsEdition::CloudPane, site);
        options.Load();
        // Nothing read: the defaults stand in for the session.
        ASSERT_FALSE(options.HomeCity.IsEmpty());
        EXPECT_EQ(L"KLAX", options.HomeCity->Icao);
        EXPECT_FALSE(options.UseMetricSystem);

        // At exit, and after the dialog's copy is accepted: the favourites are saved, the
        // settings are not, and the user hears of it.
        EXPECT_FALSE(options.Save());
        const COptions copy = options;
        EXPECT_FALSE(copy.Save());
        EXPECT_EQ(2, failuresReported);
        EXPECT_EQ(DefaultCitiesText, folder.Read(L"Cities.txt"));
        EXPECT_FALSE(fs::exists(folder.Path() / L"Options.txt.temp"));
        EXPECT_FALSE(fs::exists(folder.Path() / L"Options.txt.damaged"));

        // Readable again before the exit: still not these defaults over it.
        Readable(file);
        EXPECT_FALSE(options.Save());
        EXPECT_EQ(3, failuresReported);
        EXPECT_FALSE(fs::exists(folder.Path() / L"Options.txt.damaged"));
    });
    Readable(file);
    EXPECT_EQ(text, folder.Read(L"Options.txt"));
    COptions later(OptionsEdition::CloudPane, site);
    later.Load();
    EXPECT_TRUE(later.HomeCity.IsEmpty());
    EXPECT_TRUE(later.UseMetricSystem);
}

TEST_F(OptionsFiles, ACitiesFileThatCannotBeReadIsNeverReplaced) {
    const std::string cities = "113600;LFPO;France;Paris;Orly;48.733002;2.400000\r\n";
    folder.Write(L"Cities.txt", cities);
    const fs::path file = folder.Path() / L"Cities.txt";
    Unreadable(file);
    AsUnprivileged(folder.Path(), file, [this, &file] {
        COptions options(OptionsEdition::CloudPane, site);
        options.Load();
        EXPECT_EQ(17u, options.Cities->size());
        options.UseMetricSystem = true;
        EXPECT_FALSE(options.Save());
        EXPECT_EQ(1, failuresReported);
        EXPECT_NE(std::string::npos, folder.Read(L"Options.txt").find("\r\nUseMetricSystem=true\r\n"));
        EXPECT_FALSE(fs::exists(folder.Path() / L"Cities.txt.temp"));
        EXPECT_FALSE(fs::exists(folder.Path() / L"Cities.txt.damaged"));
        Readable(file);
        EXPECT_FALSE(options.Save());
        EXPECT_FALSE(fs::exists(folder.Path() / L"Cities.txt.damaged"));
    });
    Readable(file);
    EXPECT_EQ(cities, folder.Read(L"Cities.txt"));
}
