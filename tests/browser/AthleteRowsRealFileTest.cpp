#include "browser/AthleteRows.h"
#include "browser/BrowserModels.h"
#include "browser/ListCells.h"
#include "convert/ConverterChoice.h"
#include "lenex/Lenex.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace lanescope::browser {
namespace {

using lenex::TLnxObject;
namespace tag = lenex::tag;

const std::filesystem::path kWorldFile =
    std::filesystem::path(LANESCOPE_SHARED_TESTDATA_DIR) / "lenex3" / "world-sc-championships-2022.lef";

int roundOrder(const std::string& type)
{
    return type == "PRE" ? 0 : type == "SEM" ? 1 : type == "FIN" ? 2 : -1;
}

// Athlete 100650 of the world short-course championships swam six individual races (heats, semifinals
// and finals of her events) and eight relay legs; her page lists them in the order they took place.
TEST(AthleteRowsRealFile, SwimsInTimeOrderWithRelayLegs)
{
    if (!std::filesystem::exists(kWorldFile))
        GTEST_SKIP() << "no real-world files at " << kWorldFile;
    lenex::TLenex document;
    const auto converter = convert::createConverter(convert::chooseConverter(kWorldFile.string()), document);
    ASSERT_NE(converter, nullptr);
    converter->Load(kWorldFile.string());
    ASSERT_EQ(converter->errorCount(), 0) << converter->errorMessage();
    document.buildIndexes();
    BrowserModels models;
    models.build(document, 0);

    const ClubTreeNode* athlete = nullptr;
    for (const ClubTreeNode* node = models.clubs.firstNode(); node != nullptr && athlete == nullptr;
         node = models.clubs.nextNode(*node))
        if (node->kind == ClubNodeKind::Athlete && node->items != nullptr &&
            node->items->parent() != nullptr &&
            node->items->parent()->asObject()->getText(tag::NAME) == "MCKEON")
            athlete = node;
    ASSERT_NE(athlete, nullptr);

    const std::vector<AthleteRow> rows = athleteRows(document, *athlete);
    int individual = 0;
    int legs = 0;
    std::string previousDate;
    // Per race (distance and stroke) the rounds in the order swum.
    std::map<std::pair<int, std::string>, std::vector<int>> rounds;
    for (const AthleteRow& row : rows) {
        const TLnxObject* event = document.eventById(row.item->getInteger(tag::EID));
        ASSERT_NE(event, nullptr);
        const auto* period = event->parent()->parent()->asObject();
        const std::string& date = period->getText(tag::DATE);
        EXPECT_GE(date, previousDate);
        previousDate = date;
        if (row.leg > 0) {
            ++legs;
            EXPECT_EQ(row.item->tag(), tag::RESULT);
            EXPECT_EQ(ownerOf(*row.item)->tag(), tag::RELAY);
            EXPECT_LE(row.leg, 4);
            EXPECT_NE(athleteRowDetails(row).find("Leg " + std::to_string(row.leg) + ": "), std::string::npos)
                << athleteRowDetails(row);
            continue;
        }
        if (row.item->tag() != tag::RESULT)
            continue;
        ++individual;
        rounds[{event->getInteger(tag::DIS), event->getText(tag::STR)}].push_back(
            roundOrder(event->getText(tag::TYPE)));
    }
    EXPECT_EQ(individual, 6);
    EXPECT_EQ(legs, 8);
    for (const auto& [race, order] : rounds) {
        SCOPED_TRACE(std::to_string(race.first) + race.second);
        EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
        EXPECT_EQ(order.front(), 0);
        EXPECT_EQ(order.back(), 2);
    }
    models.clear();
}

} // namespace
} // namespace lanescope::browser
