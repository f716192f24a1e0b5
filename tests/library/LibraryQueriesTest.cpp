#include "library/LibraryFixtures.h"
#include "library/SeasonLibrary.h"

namespace lanescope::library {
namespace {

using lanescope::testing::expectKeptBestsMatchTheSwims;
using lanescope::testing::FixtureMeet;
using lanescope::testing::testFolder;
using lanescope::testing::writeMeet;

// Two meets of Lena and her club mates: short course in March, long course in June.
class LibraryQueries : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto folder = testFolder("queries");
        writeMeet(folder / "1-march.lef",
                  {"March Meet",
                   "Leipzig",
                   "2024-03-02",
                   "SCM",
                   {{"Kurz", "Lena", "111", "2010-05-01", "F", "SV Nord", 100, "FREE", "00:01:05.00"},
                    {"Kurz", "Lena", "111", "2010-05-01", "F", "SV Nord", 100, "BREAST", "00:01:31.00"},
                    {"Lang", "Tom", "222", "2009-01-01", "M", "SV Nord", 100, "FREE", "00:01:01.00"},
                    {"Weit", "Ida", "", "2010-02-02", "F", "SV Nord", 100, "FREE", "00:01:05.00"},
                    {"Fern", "Mia", "", "2010-02-02", "F", "SC Süd", 100, "FREE", "00:00:59.00"}}});
        writeMeet(
            folder / "2-june.lef",
            {"June Meet",
             "Dresden",
             "2024-06-08",
             "LCM",
             {{"KURZ", "Léna", "111", "2010-05-01", "F", "SV Nord", 100, "FREE", "00:01:06.50"},
              {"Kurz", "Lena", "111", "2010-05-01", "F", "SV Nord", 100, "BREAST", "00:01:29.00", "DSQ"},
              {"Weit", "Ida", "", "2010-02-02", "F", "SV Nord", 100, "FREE", "00:01:04.00"}}});
        library = std::make_unique<SeasonLibrary>((folder / "library.sqlite").string());
        library->add({folder.string()});
        const auto found = library->athletes("kurz lena");
        ASSERT_EQ(found.size(), 1u);
        lena = found[0].id;
    }

    std::unique_ptr<SeasonLibrary> library;
    std::int64_t lena = 0;
};

TEST_F(LibraryQueries, AthletesByAnyPartOfTheName)
{
    const auto found = library->athletes("Lena");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].nameText(), "Kurz Lena, 2010");
    EXPECT_EQ(found[0].clubs, "SV Nord");
    EXPECT_EQ(found[0].swims, 4);
    EXPECT_EQ(library->athletes("111").size(), 1u);
    EXPECT_EQ(library->athletes("SÜD").size(), 0u);
    EXPECT_EQ(library->athletes("").size(), 4u);
}

TEST_F(LibraryQueries, HistoryInTimeOrderWithFilters)
{
    const auto all = library->history(lena);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].date, "2024-03-02");
    EXPECT_EQ(all[0].meet, "March Meet");
    EXPECT_EQ(all[0].event, "100m Freestyle");
    EXPECT_EQ(all[0].course, kCourseSCM);
    EXPECT_EQ(all[3].date, "2024-06-08");
    EXPECT_EQ(all[3].status, 2);
    EXPECT_EQ(library->history(lena, {"100M BREASTSTROKE", 0}).size(), 2u);
    EXPECT_EQ(library->history(lena, {"", kCourseLCM}).size(), 2u);
}

TEST_F(LibraryQueries, PersonalBestsPerEventAndCourseLeaveOutInvalidSwims)
{
    const auto bests = library->personalBests(lena);
    ASSERT_EQ(bests.size(), 3u);
    EXPECT_EQ(bests[0].course, kCourseLCM);
    EXPECT_EQ(bests[0].event, "100m Freestyle");
    EXPECT_EQ(bests[0].timeMs, 66500);
    EXPECT_EQ(bests[1].event, "100m Freestyle");
    EXPECT_EQ(bests[1].timeMs, 65000);
    // The faster breaststroke of June was disqualified.
    EXPECT_EQ(bests[2].event, "100m Breaststroke");
    EXPECT_EQ(bests[2].timeMs, 91000);
    EXPECT_EQ(bests[2].meet, "March Meet");
}

TEST_F(LibraryQueries, ClubBestListRanksEachAthletesFastestTime)
{
    BestListFilter filter;
    filter.club = "nord";
    filter.course = kCourseSCM;
    filter.gender = 2;
    const auto rows = library->bestList(filter);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].event, "100m Freestyle");
    // Equal times share a place.
    EXPECT_EQ(rows[0].rank, 1);
    EXPECT_EQ(rows[1].rank, 1);
    EXPECT_EQ(rows[0].timeMs, 65000);
    EXPECT_EQ(rows[2].event, "100m Breaststroke");
    EXPECT_EQ(rows[2].rank, 1);

    filter = {};
    filter.club = "Nord";
    filter.from = "2024-06-01";
    const auto june = library->bestList(filter);
    ASSERT_EQ(june.size(), 2u);
    EXPECT_EQ(june[0].athlete.lastName, "Weit");
    EXPECT_EQ(june[0].rank, 1);
    EXPECT_EQ(june[1].rank, 2);
    filter.birthYear = 2009;
    EXPECT_TRUE(library->bestList(filter).empty());
}

TEST_F(LibraryQueries, MergeAndSplitAreKept)
{
    const std::int64_t ida = library->athletes("Weit")[0].id;
    library->mergeAthletes(lena, ida);
    EXPECT_EQ(library->history(lena).size(), 6u);
    EXPECT_FALSE(library->athlete(ida));
    // One athlete now: Ida's faster freestyle of June is Lena's best.
    BestListFilter free;
    free.club = "Nord";
    free.course = kCourseLCM;
    const auto merged = library->bestList(free);
    ASSERT_EQ(merged.size(), 1u);
    EXPECT_EQ(merged[0].athlete.id, lena);
    EXPECT_EQ(merged[0].timeMs, 64000);
    expectKeptBestsMatchTheSwims(*library);
    const auto keys = library->athleteKeys(lena);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[1].lastName, "Weit");
    const std::int64_t split = library->splitAthlete(keys[1].id);
    EXPECT_EQ(library->history(lena).size(), 4u);
    EXPECT_EQ(library->history(split).size(), 2u);
    EXPECT_EQ(library->bestList(free).size(), 2u);
    expectKeptBestsMatchTheSwims(*library);

    library->mergeAthletes(lena, split);
    EXPECT_EQ(library->history(lena).size(), 6u);
}

// A swim is marked when it beats every earlier time of the athlete in the style and course.
TEST_F(LibraryQueries, PersonalBestMarksOfAnotherMeet)
{
    MeetRecord meet;
    meet.firstDate = "2024-09-01";
    meet.sessions = {{1, "2024-09-01", kCourseSCM}};
    meet.events = {{0, 1, "TIM", 2, 0, 2, 0, ""}};
    meet.athletes = {{"111", "Kurz", "Lena", 2010, 2, "SV Nord", "GER"},
                     {"", "WEIT", "Ida", 2010, 2, "SV Nord", "GER"},
                     {"", "Nobody", "Here", 2000, 2, "", ""}};
    int nodes[5] = {};
    meet.swims = {{0, 0, 64990, 0, 1, 0, 0, 0, {}, &nodes[0]},  // faster than her 1:05.00: marked
                  {1, 0, 65000, 0, 2, 0, 0, 0, {}, &nodes[1]},  // as fast as before: not marked
                  {2, 0, 50000, 0, 3, 0, 0, 0, {}, &nodes[2]},  // no earlier time at all: not marked
                  {0, 0, 60000, 2, 0, 0, 0, 0, {}, &nodes[3]}}; // disqualified: not marked
    EXPECT_EQ(library->personalBestNodes(meet), (std::vector<const void*>{&nodes[0]}));
    // The long-course swims of June do not count for short course, and a date before March has none.
    meet.sessions[0] = {1, "2024-03-01", kCourseSCM};
    EXPECT_TRUE(library->personalBestNodes(meet).empty());
}

} // namespace
} // namespace lanescope::library
