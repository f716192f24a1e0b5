#include "library/LibraryFixtures.h"
#include "library/SeasonLibrary.h"

#include <filesystem>

namespace lanescope::library {
namespace {

using lanescope::testing::FixtureMeet;
using lanescope::testing::testFolder;
using lanescope::testing::writeMeet;

FixtureMeet springMeet()
{
    return {"Spring Meet",
            "Leipzig",
            "2024-03-02",
            "SCM",
            {{"Kurz", "Lena", "111", "2010-05-01", "F", "SV Nord", 100, "FREE", "00:01:05.00"},
             {"Lang", "Tom", "222", "2009-01-01", "M", "SV Nord", 100, "FREE", "00:01:01.00"},
             {"Weit", "Ida", "", "2010-02-02", "F", "SC Süd", 100, "BREAST", "00:01:30.00"}}};
}

std::int64_t count(SeasonLibrary& library, const std::string& table)
{
    SqliteStatement statement(library.database(), "SELECT COUNT(*) FROM " + table);
    return statement.step() ? statement.integer(0) : -1;
}

TEST(LibraryAdd, FolderTwiceChangesNothingAndOneMeetIsStoredOnce)
{
    const auto folder = testFolder("add-folder");
    std::filesystem::create_directories(folder / "copies");
    writeMeet(folder / "spring.lef", springMeet());
    writeMeet(folder / "copies" / "spring-again.lef", springMeet());
    lanescope::testing::writeFile(folder / "notes.txt", "not a result file");
    SeasonLibrary library((folder / "library.sqlite").string());

    std::vector<std::string> seen;
    const AddSummary first =
        library.add({folder.string()}, [&](int index, int total, const FileReport& file) {
            EXPECT_EQ(total, 2);
            EXPECT_EQ(index, static_cast<int>(seen.size()) + 1);
            seen.push_back(file.path);
            return true;
        });
    ASSERT_EQ(first.files.size(), 2u);
    EXPECT_EQ(first.count(FileOutcome::Added), 1);
    EXPECT_EQ(first.count(FileOutcome::SameMeet), 1);
    EXPECT_EQ(count(library, "meets"), 1);
    EXPECT_EQ(count(library, "swims"), 3);

    const AddSummary second = library.add({folder.string()});
    EXPECT_EQ(second.count(FileOutcome::Unchanged), 2);
    EXPECT_EQ(count(library, "swims"), 3);
    EXPECT_EQ(count(library, "athletes"), 3);
}

TEST(LibraryAdd, ChangedFileReplacesItsSwimsAndDeletedFileLosesThem)
{
    const auto folder = testFolder("add-changed");
    writeMeet(folder / "spring.lef", springMeet());
    FixtureMeet autumn = springMeet();
    autumn.name = "Autumn Meet";
    autumn.date = "2024-10-05";
    writeMeet(folder / "autumn.lef", autumn);
    SeasonLibrary library((folder / "library.sqlite").string());
    library.add({folder.string()});
    EXPECT_EQ(count(library, "swims"), 6);

    FixtureMeet changed = springMeet();
    changed.swims.pop_back();
    changed.swims[0].time = "00:01:04.00";
    writeMeet(folder / "spring.lef", changed);
    const AddSummary summary = library.add({folder.string()});
    EXPECT_EQ(summary.count(FileOutcome::Replaced), 1);
    EXPECT_EQ(summary.count(FileOutcome::Unchanged), 1);
    EXPECT_EQ(count(library, "swims"), 5);
    EXPECT_EQ(count(library, "meets"), 2);
    // Lena's best is the changed spring time; Tom swam the same time twice: the earlier one counts.
    const auto bests = library.bestList({});
    ASSERT_EQ(bests.size(), 3u);
    EXPECT_EQ(bests[0].athlete.lastName, "Lang");
    EXPECT_EQ(bests[0].date, "2024-03-02");
    EXPECT_EQ(bests[1].timeMs, 64000);
    EXPECT_EQ(bests[1].meet, "Spring Meet");
    EXPECT_EQ(bests[2].meet, "Autumn Meet");
    lanescope::testing::expectKeptBestsMatchTheSwims(library);

    std::filesystem::remove(folder / "autumn.lef");
    EXPECT_EQ(library.add({folder.string()}).count(FileOutcome::Removed), 1);
    EXPECT_EQ(count(library, "meets"), 1);
    EXPECT_EQ(count(library, "swims"), 2);
    EXPECT_EQ(count(library, "files"), 1);
    lanescope::testing::expectKeptBestsMatchTheSwims(library);
}

TEST(LibraryAdd, BrokenFileIsReportedAndTheRestGoesOn)
{
    const auto folder = testFolder("add-broken");
    lanescope::testing::writeFile(folder / "a-broken.lef", "<LENEX version=\"3.0\"><MEETS><MEET name=\"x\"");
    writeMeet(folder / "b-spring.lef", springMeet());
    SeasonLibrary library((folder / "library.sqlite").string());
    const AddSummary summary = library.add({folder.string(), (folder / "missing.lef").string()});
    ASSERT_EQ(summary.files.size(), 3u);
    EXPECT_EQ(summary.files[0].outcome, FileOutcome::Failed);
    EXPECT_FALSE(summary.files[0].reason.empty());
    EXPECT_EQ(summary.files[1].outcome, FileOutcome::Added);
    EXPECT_EQ(summary.files[2].outcome, FileOutcome::Failed);
    EXPECT_EQ(count(library, "swims"), 3);
    EXPECT_EQ(count(library, "files"), 1);
}

TEST(LibraryAdd, CancelKeepsTheFilesDone)
{
    const auto folder = testFolder("add-cancel");
    FixtureMeet meet = springMeet();
    for (const char* name : {"a", "b", "c"}) {
        meet.name = std::string("Meet ") + name;
        writeMeet(folder / (std::string(name) + ".lef"), meet);
    }
    SeasonLibrary library((folder / "library.sqlite").string());
    const AddSummary summary =
        library.add({folder.string()}, [](int index, int, const FileReport&) { return index < 2; });
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.files.size(), 2u);
    EXPECT_EQ(count(library, "meets"), 2);
}

TEST(LibraryAdd, MeetHeldByTwoFilesStaysWhenOneIsDeleted)
{
    const auto folder = testFolder("add-two-holders");
    writeMeet(folder / "a.lef", springMeet());
    writeMeet(folder / "b.lef", springMeet());
    SeasonLibrary library((folder / "library.sqlite").string());
    library.add({folder.string()});
    std::filesystem::remove(folder / "a.lef");
    library.add({folder.string()});
    EXPECT_EQ(count(library, "meets"), 1);
    EXPECT_EQ(count(library, "swims"), 3);
    SqliteStatement source(library.database(),
                           "SELECT f.path FROM meets m JOIN files f ON f.id = m.source_file");
    ASSERT_TRUE(source.step());
    EXPECT_EQ(source.text(0), (folder / "b.lef").string());
}

} // namespace
} // namespace lanescope::library
