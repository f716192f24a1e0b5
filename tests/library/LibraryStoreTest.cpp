#include "library/LibraryFixtures.h"
#include "library/LibrarySchema.h"
#include "library/SeasonLibrary.h"
#include "library/Sqlite.h"

#include <cstdlib>
#include <filesystem>

namespace lanescope::library {
namespace {

using lanescope::testing::testFolder;

std::string pragma(SqliteDatabase& database, const std::string& name)
{
    SqliteStatement statement(database, "PRAGMA " + name);
    return statement.step() ? statement.text(0) : std::string();
}

TEST(LibraryStore, NewFileHasTheSchemaWalAndForeignKeys)
{
    const std::string path = (testFolder("store-new") / "sub" / "library.sqlite").string();
    SeasonLibrary library(path);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(pragma(library.database(), "user_version"), std::to_string(kSchemaVersion));
    EXPECT_EQ(pragma(library.database(), "journal_mode"), "wal");
    EXPECT_EQ(pragma(library.database(), "foreign_keys"), "1");
    EXPECT_EQ(pragma(library.database(), "integrity_check"), "ok");
    // Opening again leaves a current file as it is.
    SeasonLibrary again(path);
    EXPECT_EQ(pragma(again.database(), "user_version"), std::to_string(kSchemaVersion));
}

TEST(LibraryStore, NewerSchemaIsRefusedAndLeftAlone)
{
    const std::string path = (testFolder("store-newer") / "library.sqlite").string();
    {
        SqliteDatabase database(path);
        database.execute("CREATE TABLE future (x); PRAGMA user_version=99");
    }
    try {
        SeasonLibrary library(path);
        FAIL() << "a newer library was opened";
    } catch (const LibraryError& error) {
        EXPECT_FALSE(error.damaged());
        EXPECT_NE(std::string(error.what()).find("newer version of Lanescope (schema 99"), std::string::npos)
            << error.what();
    }
    SqliteDatabase database(path);
    EXPECT_EQ(pragma(database, "user_version"), "99");
}

TEST(LibraryStore, FileOfTheFirstSchemaGainsTheBestTimesOfItsSwims)
{
    const auto folder = testFolder("store-older");
    lanescope::testing::writeMeet(
        folder / "meet.lef",
        {"Spring Meet",
         "Leipzig",
         "2024-03-02",
         "SCM",
         {{"Kurz", "Lena", "111", "2010-05-01", "F", "SV Nord", 100, "FREE", "00:01:05.00"},
          {"Weit", "Ida", "", "2010-02-02", "F", "SV Nord", 100, "FREE", "00:01:04.00"}}});
    const std::string path = (folder / "library.sqlite").string();
    {
        SeasonLibrary library(path);
        library.add({folder.string()});
        // The best-list indexes of the first schema, and no best times.
        library.database().execute(
            "DROP TABLE best_times; DROP INDEX swims_best; "
            "CREATE INDEX swims_club_best ON swims(club_id, style, course, athlete_id, time_ms) "
            "WHERE relay_leg = 0 AND status = 0 AND time_ms > 0; "
            "CREATE INDEX swims_best ON swims(style, course, athlete_id, time_ms) "
            "WHERE relay_leg = 0 AND status = 0 AND time_ms > 0; PRAGMA user_version=1");
    }
    SeasonLibrary library(path);
    EXPECT_EQ(pragma(library.database(), "user_version"), std::to_string(kSchemaVersion));
    const auto rows = library.bestList({});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].athlete.lastName, "Weit");
    lanescope::testing::expectKeptBestsMatchTheSwims(library);
}

TEST(LibraryStore, DamagedFileIsReportedAndRebuiltFromItsFiles)
{
    const auto folder = testFolder("store-damaged");
    lanescope::testing::writeMeet(folder / "meet.lef", {"Spring Meet",
                                                        "Leipzig",
                                                        "2024-03-02",
                                                        "SCM",
                                                        {{"Kurz", "Lena", "111", "2010-05-01", "F", "SV Nord",
                                                          100, "FREE", "00:01:05.00"}}});
    const std::string path = (folder / "library.sqlite").string();
    {
        SeasonLibrary library(path);
        library.add({(folder / "meet.lef").string()});
        library.database().execute("PRAGMA wal_checkpoint(TRUNCATE)");
    }
    // Overwrite the pages after the header: the file says it is SQLite but its tables are gone.
    {
        std::string bytes = lanescope::testing::readFile(path);
        ASSERT_GT(bytes.size(), 4096u);
        for (std::size_t i = 100; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(0xA5);
        lanescope::testing::writeFile(path, bytes);
    }
    bool damaged = false;
    try {
        SeasonLibrary library(path);
        library.athletes("Kurz");
    } catch (const LibraryError& error) {
        damaged = error.damaged();
    }
    EXPECT_TRUE(damaged);

    const AddSummary summary = SeasonLibrary::rebuild(path, {folder.string()});
    EXPECT_EQ(summary.count(FileOutcome::Added), 1);
    EXPECT_TRUE(std::filesystem::exists(path + ".damaged"));
    SeasonLibrary library(path);
    EXPECT_EQ(pragma(library.database(), "integrity_check"), "ok");
    ASSERT_EQ(library.athletes("kurz").size(), 1u);
}

TEST(LibraryStore, DefaultPathFollowsXdgDataHome)
{
    const auto folder = testFolder("store-xdg");
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    EXPECT_EQ(SeasonLibrary::defaultPath(), (folder / "lanescope" / "library.sqlite").string());
    setenv("XDG_DATA_HOME", "relative/path", 1);
    EXPECT_NE(SeasonLibrary::defaultPath().find("/.local/share/lanescope/library.sqlite"), std::string::npos);
    if (old)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

} // namespace
} // namespace lanescope::library
