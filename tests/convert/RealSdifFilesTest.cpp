#include "base/TempFolder.h"
#include "convert/VnxLenexConverterSDIF.h"
#include "lenex/LnxWriter.h"
#include "support/ClubMembers.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lanescope::convert {
namespace {

using namespace lenex;

const std::filesystem::path kSdifDir = std::filesystem::path(LANESCOPE_SHARED_TESTDATA_DIR) / "sdif";

struct Counts
{
    int clubs = 0;
    int athletes = 0;
    int licences = 0;
    int relays = 0;
    int relayResults = 0;
    int results = 0;
    int entries = 0;
    int splits = 0;
};

Counts countClubs(const TLnxObject& competition)
{
    Counts counts;
    counts.clubs = testing::itemCount(competition, tag::CLUBS);
    testing::forEachClubMember(competition, [&](const TLnxObject& owner, bool relay) {
        (relay ? counts.relays : counts.athletes)++;
        counts.licences += owner.hasChild(tag::LICENSE) ? 1 : 0;
        (relay ? counts.relayResults : counts.results) += testing::itemCount(owner, tag::RESULTS);
        counts.entries += testing::itemCount(owner, tag::ENTRIES);
        counts.splits += testing::splitCount(owner);
    });
    return counts;
}

struct RealFile
{
    const char* name;
    Counts expected;
};
// From the record counts of the files: a club per C1, every swimmer has one D3 record, a relay result per E0
// (17 relay teams: a team letter swims several relay events), a result per filled time field of the D0
// records (status words included), a split per time of the G0 records, an entry per D0 of an entry file.
const RealFile kFiles[] = {
    {"north-district-open-2025-results.cl2", {30, 366, 366, 17, 30, 2345, 0, 6749}},
    {"club-time-trial-2021-entries.CL2", {1, 30, 30, 0, 0, 0, 165, 0}},
    {"club-time-trial-2021-entries.ZIP", {1, 6, 6, 0, 0, 0, 42, 0}},
};

class RealSdifFile : public ::testing::TestWithParam<RealFile>
{
};

TEST_P(RealSdifFile, OpensWithEveryClubAthleteAndSwim)
{
    const std::filesystem::path path = kSdifDir / GetParam().name;
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "no real-world files at " << kSdifDir;
    TLenex document;
    TVnxLenexConverterSDIF converter(document);
    converter.Load(path.string());
    ASSERT_EQ(converter.errorCount(), 0) << converter.errorMessage();
    const TLnxObject* competition = document.root()->findCollection(tag::COMPETITIONS)->itemAt(0);
    const Counts counts = countClubs(*competition);
    const Counts& expected = GetParam().expected;
    EXPECT_EQ(counts.clubs, expected.clubs);
    EXPECT_EQ(counts.athletes, expected.athletes);
    EXPECT_EQ(counts.licences, expected.licences);
    EXPECT_EQ(counts.relays, expected.relays);
    EXPECT_EQ(counts.relayResults, expected.relayResults);
    EXPECT_EQ(counts.results, expected.results);
    EXPECT_EQ(counts.entries, expected.entries);
    EXPECT_EQ(counts.splits, expected.splits);

    // What the converter builds is a document the Lenex reader takes back without errors.
    const std::string written = base::uniqueTempName("sdif", ".lef");
    ASSERT_TRUE(saveDocument(*document.root(), written));
    TLenex reread;
    reread.load(written);
    EXPECT_TRUE(reread.errors().empty()) << reread.errors().front();
    std::filesystem::remove(written);
}
INSTANTIATE_TEST_SUITE_P(Sdif, RealSdifFile, ::testing::ValuesIn(kFiles));

} // namespace
} // namespace lanescope::convert
