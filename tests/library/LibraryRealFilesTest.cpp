#include "library/LibraryFixtures.h"
#include "library/SeasonLibrary.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace lanescope::library {
namespace {

using lanescope::testing::testFolder;
namespace fs = std::filesystem;

const fs::path kShared = LANESCOPE_SHARED_TESTDATA_DIR;

std::int64_t count(SeasonLibrary& library, const std::string& sql)
{
    SqliteStatement statement(library.database(), sql);
    return statement.step() ? statement.integer(0) : -1;
}

std::string integrity(SeasonLibrary& library)
{
    SqliteStatement statement(library.database(), "PRAGMA integrity_check");
    return statement.step() ? statement.text(0) : std::string();
}

// Every shared file added: one library shared by the tests of this file, built once.
class RealFiles : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!fs::is_directory(kShared))
            return;
        folder = new fs::path(testFolder("real-files"));
        library = new SeasonLibrary((*folder / "library.sqlite").string());
        first = new AddSummary(library->add({kShared.string()}));
    }
    static void TearDownTestSuite()
    {
        delete first;
        delete library;
        delete folder;
        first = nullptr;
        library = nullptr;
        folder = nullptr;
    }
    void SetUp() override { LANESCOPE_REAL_FILES_OR_SKIP(); }

    static fs::path* folder;
    static SeasonLibrary* library;
    static AddSummary* first;
};

fs::path* RealFiles::folder = nullptr;
SeasonLibrary* RealFiles::library = nullptr;
AddSummary* RealFiles::first = nullptr;

TEST_F(RealFiles, EveryFileLoadsAndTheLibraryIsSound)
{
    for (const FileReport& file : first->files)
        EXPECT_NE(file.outcome, FileOutcome::Failed) << file.path << ": " << file.reason;
    EXPECT_EQ(integrity(*library), "ok");
    EXPECT_EQ(count(*library, "SELECT COUNT(*) FROM pragma_foreign_key_check"), 0);
}

TEST_F(RealFiles, KeptBestListsEqualTheSwims)
{
    lanescope::testing::expectKeptBestsMatchTheSwims(*library);
    BestListFilter women;
    women.gender = 2;
    women.course = kCourseLCM;
    lanescope::testing::expectKeptBestsMatchTheSwims(*library, women);
    BestListFilter club;
    club.club = "SV";
    club.birthYear = 2010;
    lanescope::testing::expectKeptBestsMatchTheSwims(*library, club);
}

TEST_F(RealFiles, LefAndLxfOfOneMeetAreStoredOnce)
{
    EXPECT_EQ(
        count(*library, "SELECT COUNT(*) FROM meets WHERE name = 'International Swim Meeting Erlangen 2025'"),
        1);
    EXPECT_EQ(count(*library, "SELECT COUNT(*) FROM file_meets fm JOIN meets m ON m.id = fm.meet_id "
                              "WHERE m.name = 'International Swim Meeting Erlangen 2025'"),
              2);
    const auto sameMeet = std::find_if(first->files.begin(), first->files.end(), [](const FileReport& file) {
        return file.path.ends_with("erlangen-2025-results.lxf") ||
               file.path.ends_with("erlangen-2025-results.lef");
    });
    ASSERT_NE(sameMeet, first->files.end());
    EXPECT_EQ(first->count(FileOutcome::SameMeet) >= 1, true);
    // The results of the meet are there once: 3 596 individual results.
    EXPECT_EQ(count(*library,
                    "SELECT COUNT(*) FROM swims s JOIN meets m ON m.id = s.meet_id "
                    "WHERE m.name = 'International Swim Meeting Erlangen 2025' AND s.relay_leg = 0"),
              3596);
}

TEST_F(RealFiles, FolderAddedTwiceChangesNothing)
{
    const std::int64_t swims = count(*library, "SELECT COUNT(*) FROM swims");
    const std::int64_t athletes = count(*library, "SELECT COUNT(*) FROM athletes");
    const AddSummary again = library->add({kShared.string()});
    EXPECT_EQ(again.count(FileOutcome::Unchanged), static_cast<int>(again.files.size()));
    EXPECT_EQ(count(*library, "SELECT COUNT(*) FROM swims"), swims);
    EXPECT_EQ(count(*library, "SELECT COUNT(*) FROM athletes"), athletes);
    EXPECT_EQ(integrity(*library), "ok");
}

TEST_F(RealFiles, OneSwimmerAcrossThreeMeetsInTwoFormats)
{
    const auto found = library->athletes("445947");
    ASSERT_EQ(found.size(), 1u);
    const std::vector<SwimRow> history = library->history(found[0].id);
    std::set<std::string> meets;
    for (const SwimRow& swim : history)
        meets.insert(swim.meet);
    EXPECT_EQ(meets, (std::set<std::string>{"25. Internationaler Erzgebirgs-Schwimmcup 2022",
                                            "26. Internationaler Erzgebirgs-Schwimmcup 2023",
                                            "28. Internationaler Erzgebirgs-Schwimmcup 2025"}));
    EXPECT_TRUE(std::is_sorted(history.begin(), history.end(),
                               [](const SwimRow& a, const SwimRow& b) { return a.date < b.date; }));
    // Her 50 m backstroke of December 2022 in the DSV6 list.
    EXPECT_TRUE(std::any_of(history.begin(), history.end(), [](const SwimRow& swim) {
        return swim.date.starts_with("2022-12") && swim.timeMs == 58220;
    }));

    // The personal best of each event and course is the fastest valid individual time of her history.
    std::map<std::pair<int, int>, std::int32_t> fastest;
    for (const SwimRow& swim : history) {
        if (swim.relayLeg > 0 || swim.status != 0 || swim.timeMs <= 0)
            continue;
        auto [it, added] = fastest.emplace(std::pair(swim.style, swim.course), swim.timeMs);
        if (!added)
            it->second = std::min(it->second, swim.timeMs);
    }
    const std::vector<SwimRow> bests = library->personalBests(found[0].id);
    ASSERT_EQ(bests.size(), fastest.size());
    for (const SwimRow& best : bests)
        EXPECT_EQ(best.timeMs, (fastest[{best.style, best.course}])) << best.event;
}

} // namespace
} // namespace lanescope::library
