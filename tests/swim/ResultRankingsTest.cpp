#include "swim/ResultRankings.h"

#include "lenex/Lenex.h"
#include "lenex/LnxParser.h"
#include "lenex/LnxWriter.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lanescope::swim {

bool operator==(const TResultRanking& a, const TResultRanking& b)
{
    return a.ageGroupId == b.ageGroupId && a.place == b.place;
}

void PrintTo(const TResultRanking& ranking, std::ostream* out)
{
    *out << "{" << ranking.ageGroupId << ", " << ranking.place << "}";
}

namespace {

using namespace lenex;

TEST(ResultRankings, TheNarrowestStaysCidAndRankTheOthersFollowInOrder)
{
    TLnxObject result(tag::RESULT);
    result.setInteger(tag::EID, 60);
    addResultRanking(result, 1, 1); // without a CID the first ranking becomes CID/RANK
    addResultRanking(result, 2, 4);
    addResultRanking(result, 3, 7);
    addResultRanking(result, 2, 9); // an age group the result has already keeps its place
    addResultRanking(result, 1, 5);

    EXPECT_EQ(result.getInteger(tag::CID), 1);
    EXPECT_EQ(result.getInteger(tag::RANK), 1);
    EXPECT_EQ(resultRankings(result), (std::vector<TResultRanking>{{1, 1}, {2, 4}, {3, 7}}));
    EXPECT_EQ(furtherRankings(result), (std::vector<TResultRanking>{{2, 4}, {3, 7}}));
    const std::pair<int, int> places[] = {{0, 1}, {1, 1}, {2, 4}, {3, 7}, {99, 1}};
    for (const auto& [ageGroup, place] : places)
        EXPECT_EQ(placeInAgeGroup(result, ageGroup), place) << ageGroup;

    // A CID without a place keeps a RANK of -1 ahead of the further rankings.
    TLnxObject unplaced(tag::RESULT);
    unplaced.setInteger(tag::CID, 5);
    addResultRanking(unplaced, 6, 2);
    EXPECT_EQ(unplaced.getInteger(tag::RANK), -1);
    EXPECT_EQ(resultRankings(unplaced), (std::vector<TResultRanking>{{5, -1}, {6, 2}}));
    EXPECT_TRUE(furtherRankings(TLnxObject(tag::RESULT)).empty());
}

TEST(ResultRankings, SurviveCopiesWritingAndReadingBack)
{
    TLnxObject root(tag::LENEX);
    TLnxObject* result = root.addCollection(tag::RESULTS)->newItem();
    result->setInteger(tag::CID, 2);
    result->setInteger(tag::RANK, 1);
    addResultRanking(*result, 1, 4);

    const auto copy = result->clone();
    EXPECT_EQ(resultRankings(*copy->asObject()), (std::vector<TResultRanking>{{2, 1}, {1, 4}}));

    std::vector<std::string> lines;
    writeNode(root, lines, "");
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    EXPECT_NE(text.find("<RANK id=\"1\">4</RANK>"), std::string::npos) << text;

    TLenex sink;
    TLnxParser parser(sink);
    const std::unique_ptr<TLnxObject> read = parser.parseText(text);
    ASSERT_NE(read, nullptr);
    const TLnxObject* readResult = read->findCollection(tag::RESULTS)->itemAt(0);
    EXPECT_EQ(readResult->getInteger(tag::RANK), 1);
    EXPECT_EQ(resultRankings(*readResult), (std::vector<TResultRanking>{{2, 1}, {1, 4}}));
}

} // namespace
} // namespace lanescope::swim
