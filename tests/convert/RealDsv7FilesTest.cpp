#include "convert/ConverterChoice.h"
#include "support/ClubMembers.h"
#include "support/TestFiles.h"
#include "swim/LenexTexts.h"

#include <filesystem>
#include <set>
#include <string>
#include <gtest/gtest.h>

namespace lanescope::convert {
namespace {

using namespace lenex;

const std::filesystem::path kDsvDir = std::filesystem::path(LANESCOPE_SHARED_TESTDATA_DIR) / "dsv";

struct Counts
{
    int sessions = 0;
    int events = 0;
    int ageGroups = 0;
    int fees = 0;
    int clubs = 0;
    int athletes = 0;
    int results = 0;
    int relays = 0;
    int relayResults = 0;
    int entries = 0;
    int splits = 0;

    bool operator==(const Counts&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Counts& c)
{
    return out << "{" << c.sessions << ", " << c.events << ", " << c.ageGroups << ", " << c.fees << ", "
               << c.clubs << ", " << c.athletes << ", " << c.results << ", " << c.relays << ", "
               << c.relayResults << ", " << c.entries << ", " << c.splits << "}";
}

Counts countCompetition(const TLnxObject& competition)
{
    Counts counts;
    const TLnxCollection* sessions = competition.findCollection(tag::PERIODS);
    counts.sessions = sessions->childCount();
    for (int s = 0; s < sessions->childCount(); ++s) {
        const TLnxCollection* events = sessions->itemAt(s)->findCollection(tag::EVENTS);
        for (int e = 0; events && e < events->childCount(); ++e) {
            ++counts.events;
            counts.ageGroups += testing::itemCount(*events->itemAt(e), tag::CATS);
            counts.fees += events->itemAt(e)->hasChild(tag::FEE) ? 1 : 0;
        }
    }
    counts.clubs = testing::itemCount(competition, tag::CLUBS);
    testing::forEachClubMember(competition, [&](const TLnxObject& owner, bool relay) {
        (relay ? counts.relays : counts.athletes)++;
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

// The counts an independent script took from the raw records: athletes include the relay swimmers without
// a swim of their own, results count swims (not rows), splits include the finish splits the converter adds.
const RealFile kFiles[] = {
    {"2022-12-04-Marienbe-Pr.dsv6", {4, 70, 230, 0, 21, 383, 1902, 35, 60, 0, 933 + 176 + 802}},
    {"2023-05-14-Marienbe-Pr.DSV6", {3, 27, 154, 0, 2, 92, 528, 4, 4, 0, 32}},
    {"b-2026-05-09-Plettenb-Pr.dsv7", {2, 28, 294, 0, 28, 342, 1238, 34, 53, 0, 148 + 49}},
    {"b-csc-2026-02-22-Gersthof-Pr.dsv7", {4, 42, 338, 0, 32, 472, 2393, 12, 35, 0, 1891 + 208 + 1284}},
    {"b-shsv-2025-01-25_KSV_ODIZ_KMS-Pr.dsv7", {2, 35, 157, 0, 4, 96, 330, 11, 19, 0, 0}},
    {"dachau-2025-02-23-Dachau-Pr.dsv7", {4, 44, 576, 0, 60, 266, 996, 91, 91, 0, 589 + 332 + 261}},
    {"ergebnis.dsv7", {2, 6, 6, 0, 5, 3, 3, 0, 0, 0, 3 + 3}},
    {"2022-12-04-Marienbe-Wk.dsv6", {4, 70, 230, 70, 0, 0, 0, 0, 0, 0, 0}},
    {"b-2026-05-09-Plettenb-Wk.dsv7", {2, 28, 294, 28, 0, 0, 0, 0, 0, 0, 0}},
    {"dachau-2025-02-23-Dachau-Wk.dsv7", {4, 43, 575, 43, 0, 0, 0, 0, 0, 0, 0}},
    {"definition.dsv8", {5, 64, 259, 56, 0, 0, 0, 0, 0, 0, 0}},
    {"2025-06-22-Dalum-SVHaren-Me.dsv7", {2, 20, 0, 0, 1, 3, 0, 0, 0, 9, 0}},
    {"2026-05-31-Twist-SVHaren-Me.dsv7", {5, 41, 0, 0, 1, 20, 0, 4, 0, 144, 0}},
};

class RealDsv7File : public ::testing::TestWithParam<RealFile>
{
};

TEST_P(RealDsv7File, OpensWithEverythingItHolds)
{
    const std::filesystem::path path = kDsvDir / GetParam().name;
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "no real-world files at " << kDsvDir;
    TLenex document;
    ASSERT_EQ(chooseConverter(path.string()), ConverterKind::Dsv7);
    const auto converter = createConverter(ConverterKind::Dsv7, document);
    converter->Load(path.string());
    ASSERT_EQ(converter->errorCount(), 0) << converter->errorMessage();
    EXPECT_TRUE(document.warnings().empty());
    document.buildIndexes();
    EXPECT_TRUE(document.errors().empty());
    ASSERT_EQ(document.competitionCount(), 1);
    document.selectCompetition(0);
    EXPECT_EQ(countCompetition(*document.currentCompetition()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Files, RealDsv7File, ::testing::ValuesIn(kFiles),
                         [](const auto& test) { return testing::testName(test.param.name); });

// The Gersthof list writes a no-break space after the given name of one of its two Jana Weiss: it is trimmed
// like a blank, so both read alike, each with her year.
TEST(RealDsv7Names, UnicodeSpacesAreTrimmed)
{
    const std::filesystem::path path = kDsvDir / "b-csc-2026-02-22-Gersthof-Pr.dsv7";
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "no real-world files at " << kDsvDir;
    TLenex document;
    const auto converter = createConverter(ConverterKind::Dsv7, document);
    converter->Load(path.string());
    ASSERT_EQ(converter->errorCount(), 0) << converter->errorMessage();
    std::set<std::string> texts;
    testing::forEachClubMember(*document.root()->findCollection(tag::COMPETITIONS)->itemAt(0),
                               [&texts](const TLnxObject& owner, bool relay) {
                                   if (!relay && owner.getText(tag::NAME) == "Weiss" &&
                                       owner.getText(tag::FNAME).starts_with("Jana"))
                                       texts.insert(swim::participantText(owner, false));
                               });
    EXPECT_EQ(texts, (std::set<std::string>{"Weiss Jana, 14", "Weiss Jana, 15"}));
}

} // namespace
} // namespace lanescope::convert
