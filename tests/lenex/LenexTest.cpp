#include "lenex/Lenex.h"

#include "base/ProductVersion.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace lanescope::lenex {
namespace {

using Strings = std::vector<std::string>;

/** Writes the text to a file in the test's temporary folder and loads it. */
void loadText(TLenex& document, const std::string& text, const std::string& name = "document-test.lef")
{
    const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / name;
    std::ofstream(path, std::ios::binary) << text;
    document.load(path.string());
    std::filesystem::remove(path);
}

const char* const kMeet = R"(<LENEX>
<VERSION>01.03.0007</VERSION>
<CONSTRUCTOR><NAME>Meet Manager</NAME><VERSION>2.1</VERSION></CONSTRUCTOR>
<COMPETITIONS>
<COMPETITION>
<NAME>Cup</NAME>
<PERIODS>
<PERIOD><DATE>20251108</DATE><EVENTS>
<EVENT id="12"><DIS>100</DIS><STR>FR</STR><CATS><CAT id="3"></CAT><CAT id="2"></CAT></CATS></EVENT>
<EVENT id="5"><DISCNT>0</DISCNT><SEX>F</SEX><TYPE>FIN</TYPE></EVENT>
</EVENTS></PERIOD>
<PERIOD><DATE>20260110</DATE><EVENTS>
<EVENT id="5"></EVENT>
</EVENTS></PERIOD>
</PERIODS>
<CLUBS>
<CLUB><NAME>SC</NAME><PERSONS>
<PERSON id="1"><RESULTS><RESULT><EID>12</EID></RESULT></RESULTS></PERSON>
<PERSON id="1"><ENTRIES><ENTRY><EID>5</EID></ENTRY></ENTRIES></PERSON>
</PERSONS>
<RELAYS><RELAY><ENTRIES><ENTRY><EID>5</EID></ENTRY></ENTRIES></RELAY></RELAYS>
</CLUB>
<CLUB><NAME>Without persons</NAME></CLUB>
</CLUBS>
</COMPETITION>
<COMPETITION><NAME>Second</NAME><PM>y</PM><PERIODS><PERIOD><EVENTS><EVENT id="5"/></EVENTS></PERIOD></PERIODS>
</COMPETITION>
</COMPETITIONS>
</LENEX>
)";

TEST(Lenex, IndexBuildAppliesDefaultsAndReportsDuplicates)
{
    TLenex document;
    loadText(document, kMeet);
    ASSERT_TRUE(document.errors().empty());
    EXPECT_EQ(document.fileName(), "document-test.lef");
    document.buildIndexes();
    // The fixture has several elements per line, so the positions are element ordinals.
    EXPECT_EQ(document.errors(),
              (Strings{"Line 26: Duplicate EVENT id !", "Line 35: Duplicate PERSON id !"}));

    document.selectCompetition(0);
    TLnxObject* first = document.eventById(5);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getText(tag::DISCNT), "1");
    EXPECT_EQ(first->getText(tag::SEX), "F");
    EXPECT_EQ(first->getText(tag::TYPE), "FIN");
    TLnxObject* event12 = document.eventById(12);
    EXPECT_EQ(event12->getText(tag::DISCNT), "1");
    EXPECT_EQ(event12->getText(tag::SEX), "X");
    EXPECT_EQ(event12->getText(tag::TYPE), "TIM");

    const TLnxObject* competition = document.currentCompetition();
    const TLnxObject* duplicate =
        competition->findCollection(tag::PERIODS)->itemAt(1)->findCollection(tag::EVENTS)->itemAt(0);
    EXPECT_EQ(duplicate->errorState(), esError);
    EXPECT_EQ(competition->getText(tag::PL), "50");
    EXPECT_EQ(competition->getText(tag::PM), "m");
    EXPECT_EQ(competition->getText(tag::TI), "A");

    // Event flags: 1 entries, 2 results; club flags add individual and relay bits.
    EXPECT_EQ(event12->flags(), lofHasResults);
    EXPECT_EQ(first->flags(), lofHasEntries);
    const TLnxObject* club = competition->findCollection(tag::CLUBS)->itemAt(0);
    EXPECT_EQ(club->flags(), lofHasResults | lofIndividualResults | lofHasEntries | lofRelayEntries);
    EXPECT_EQ(competition->flags(), club->flags());
    EXPECT_TRUE(competition->findCollection(tag::CLUBS)->itemAt(1)->hasChild(tag::PERSONS));
}

TEST(Lenex, SelectCompetitionAndLookups)
{
    TLenex document;
    loadText(document, kMeet);
    document.buildIndexes();
    document.selectCompetition(0);
    EXPECT_EQ(document.referenceYear(), 2026);
    EXPECT_EQ(document.poolUnit(), "m");
    EXPECT_NE(document.personById(1), nullptr);
    EXPECT_EQ(document.personById(2), nullptr);
    EXPECT_EQ(document.ageGroupByIds(12, 3)->id(), 3);
    EXPECT_EQ(document.ageGroupByIds(12, 0)->id(), 2); // the first in key order
    EXPECT_EQ(document.ageGroupByIds(12, 9), nullptr);
    EXPECT_EQ(document.ageGroupByIds(5, 0), nullptr);

    // Each competition has its own indexes; the second reuses event id 5.
    document.selectCompetition(1);
    EXPECT_EQ(document.poolUnit(), "y");
    EXPECT_EQ(document.referenceYear(), 0);
    EXPECT_NE(document.eventById(5), nullptr);
    EXPECT_EQ(document.eventById(12), nullptr);
    EXPECT_EQ(document.personById(1), nullptr);
}

// An item without an age group takes its event's first CAT with the ids compared as text, so "10" comes
// before "9" and "-1" before both; a duplicate CAT id keeps the first CAT.
TEST(Lenex, AgeGroupZeroTakesTheFirstIdAsText)
{
    TLenex document;
    loadText(document, R"(<LENEX><COMPETITIONS><COMPETITION><PERIODS><PERIOD><EVENTS>
<EVENT id="7"><CATS><CAT id="9"/><CAT id="10"/><CAT id="25"/></CATS></EVENT>
<EVENT id="8"><CATS><CAT id="9"/><CAT id="-1"/><CAT id="10"/><CAT id="-1"><NAME>Twice</NAME></CAT></CATS></EVENT>
</EVENTS></PERIOD></PERIODS></COMPETITION></COMPETITIONS></LENEX>)");
    document.buildIndexes();
    document.selectCompetition(0);
    EXPECT_EQ(document.ageGroupByIds(7, 0)->id(), 10);
    EXPECT_EQ(document.ageGroupByIds(7, 9)->id(), 9);
    EXPECT_EQ(document.ageGroupByIds(8, 0)->id(), -1);
    EXPECT_EQ(document.ageGroupByIds(8, -1)->getText(tag::NAME), "");
    EXPECT_EQ(document.ageGroupByIds(9, 0), nullptr);
    EXPECT_EQ(document.errors(), Strings{"Line 17: Duplicate CAT id !"});
}

TEST(Lenex, FileInformationAndMissingConstructor)
{
    TLenex document;
    loadText(document, kMeet);
    EXPECT_EQ(document.fileInformationText(),
              "LENEX version 01.03.0007 created with :\r\nMeet Manager, version 2.1");
    loadText(document, "<LENEX><VERSION>01.02.0004</VERSION></LENEX>");
    EXPECT_EQ(document.fileInformationText(),
              "LENEX version 01.02.0004 created with :\r\nUnknown software, version ");
    EXPECT_FALSE(document.hasCompetitions());
}

TEST(Lenex, LoadFailuresLandInTheErrorList)
{
    TLenex document;
    document.load("/nonexistent/meet.lef");
    EXPECT_EQ(document.errors(), Strings{"Can not open file !"});
    EXPECT_EQ(document.root(), nullptr);
    loadText(document, "garbage");
    EXPECT_EQ(document.errors(), Strings{"No LENEX - File !"});
}

TEST(Lenex, NewDocumentNamesTheProgramWithoutAnAddress)
{
    TLenex document;
    document.newDocument("Lanescope SDIF", "1.0");
    const TLnxObject* constructor = document.root()->findObject(tag::CONSTRUCTOR);
    ASSERT_NE(constructor, nullptr);
    EXPECT_EQ(document.root()->getText(tag::VERSION), "01.03.0007");
    EXPECT_EQ(constructor->getText(tag::NAME), "Lanescope SDIF");
    EXPECT_EQ(constructor->getText(tag::VERSION), "1.0");
    const TLnxObject* contact = constructor->findObject(tag::CONTACT);
    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(contact->getText(tag::NAME), std::string(base::productName) + " " + base::versionText);
    // No made-up address: the program has none to give.
    for (const TLnxTagId field : {tag::EMAIL, tag::INTERNET, tag::STREET, tag::ZIP, tag::PLACE, tag::PHONE})
        EXPECT_FALSE(contact->hasChild(field));
    EXPECT_TRUE(contact->hasChild(tag::FNAME));
}

} // namespace
} // namespace lanescope::lenex
