#include "swim/LenexTexts.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lanescope::swim {
namespace {

using namespace lenex;

const char* const kMeet = R"(<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS>
<COMPETITION><NAME>Cup</NAME><PL>25</PL><PM>%s</PM><PERIODS><PERIOD><DATE>20261017</DATE><EVENTS>
<EVENT id="1"><DIS>100</DIS><STR>FR</STR><CATS>
<CAT id="1"><MIN>2010</MIN><MAX>2013</MAX><NAME>Juniors</NAME><SEX>F</SEX></CAT>
<CAT id="2"><MIN>-1</MIN><MAX>2009</MAX></CAT>
<CAT id="3"><MIN>-1</MIN><MAX>-1</MAX></CAT></CATS></EVENT>
<EVENT id="2"><DIS>50</DIS><DISCNT>4</DISCNT><STR>IM</STR></EVENT>
<EVENT id="3"><DIS>100</DIS><STR>XX</STR><NAME>Fins Sprint</NAME></EVENT>
</EVENTS></PERIOD></PERIODS>
<CLUBS><CLUB><PERSONS><PERSON id="7"><NAME>Keller</NAME><FNAME>Anna</FNAME><YOB>2005</YOB></PERSON></PERSONS>
<RELAYS><RELAY><NUM>2</NUM><SEX>M</SEX></RELAY><RELAY><NAME>SC Bern I</NAME></RELAY></RELAYS></CLUB></CLUBS>
</COMPETITION></COMPETITIONS></LENEX>)";

class LenexTexts : public ::testing::Test
{
protected:
    void load(const char* unit)
    {
        char text[4096];
        std::snprintf(text, sizeof text, kMeet, unit);
        const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / "texts-test.lef";
        std::ofstream(path) << text;
        document.load(path.string());
        std::filesystem::remove(path);
        ASSERT_TRUE(document.errors().empty());
        document.buildIndexes();
        document.selectCompetition(0);
    }
    const TLnxObject& club() const
    {
        return *document.currentCompetition()->findCollection(tag::CLUBS)->itemAt(0);
    }

    TLenex document;
};

TEST_F(LenexTexts, EventTexts)
{
    load("m");
    EXPECT_EQ(eventText(document, *document.eventById(1)), "100m Freestyle");
    EXPECT_EQ(eventText(document, *document.eventById(2)), "4 x 50m Medley Relay");
    EXPECT_EQ(eventText(document, *document.eventById(3)), "Fins Sprint");
    EXPECT_EQ(eventText(document, *document.eventById(1), document.ageGroupByIds(1, 2)),
              "100m Freestyle, 17 years and more");
    load("y");
    EXPECT_EQ(eventText(document, *document.eventById(1)), "100y Freestyle");
}

TEST_F(LenexTexts, AgeGroupTextsUseTheReferenceYear)
{
    load("m");
    EXPECT_EQ(ageGroupText(document, document.ageGroupByIds(1, 1)), "13 - 16 years, Juniors, Women");
    EXPECT_EQ(ageGroupText(document, document.ageGroupByIds(1, 3)), "Open/Senior");
    EXPECT_EQ(ageGroupText(document, nullptr), "Open/Senior");
}

TEST_F(LenexTexts, ParticipantTexts)
{
    load("m");
    EXPECT_EQ(participantText(*document.personById(7), false), "Keller Anna, 05");
    const TLnxCollection& relays = *club().findCollection(tag::RELAYS);
    EXPECT_EQ(participantText(*relays.itemAt(0), false), "2. team");
    EXPECT_EQ(participantText(*relays.itemAt(0), true), "2. team, Men");
    EXPECT_EQ(participantText(*relays.itemAt(1), true), "SC Bern I, mixed");
    EXPECT_EQ(genderText(*relays.itemAt(1)), "mixed");
}

// A relay without a name reads as its club with its number; "1. team" looked like a place.
TEST(RelayNames, ClubNameAndNumber)
{
    const struct
    {
        const char* club;
        std::vector<int> numbers; // NUM of each relay of the club; 0: none
        std::vector<std::string> names;
    } cases[] = {
        {"SC Möwe Lübeck", {1}, {"SC Möwe Lübeck"}},
        {"SC Möwe Lübeck", {1, 2}, {"SC Möwe Lübeck 1", "SC Möwe Lübeck 2"}},
        {"SC Möwe Lübeck", {0, 0, 3}, {"SC Möwe Lübeck 1", "SC Möwe Lübeck 2", "SC Möwe Lübeck 3"}},
        {"", {2, 0}, {"2. team", "0. team"}}, // no club name to go by
    };
    for (const auto& c : cases) {
        TLnxObject club(tag::CLUB);
        if (*c.club != '\0')
            club.setText(tag::NAME, c.club);
        TLnxCollection* relays = club.addCollection(tag::RELAYS);
        for (const int number : c.numbers) {
            TLnxObject* relay = relays->newItem();
            if (number > 0)
                relay->setInteger(tag::NUM, number);
        }
        for (std::size_t i = 0; i < c.names.size(); ++i)
            EXPECT_EQ(relayName(*relays->itemAt(static_cast<int>(i))), c.names[i]) << c.club << " " << i;
    }
    TLnxObject named(tag::RELAY);
    named.setText(tag::NAME, "SC Bern I");
    EXPECT_EQ(relayName(named), "SC Bern I");
}

} // namespace
} // namespace lanescope::swim
