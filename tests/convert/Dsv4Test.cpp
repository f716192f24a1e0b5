#include "base/LanguageTexts.h"
#include "base/TempFolder.h"
#include "convert/DsvReader.h"
#include "convert/VnxLenexConverterDSV4.h"
#include "support/TestFiles.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace lanescope::convert {
namespace {

using namespace lenex;
namespace fs = std::filesystem;

const std::string kDataDir = LANESCOPE_TEST_DATA_DIR "/convert/dsv4/";

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "|") + line;
    return text;
}

// ---- Reader

struct PrepareCase
{
    const char* name;
    const char* input;
    const char* lines; // the prepared lines joined with "|"
};

const PrepareCase kPrepareCases[] = {
    {"CommentInsideRecord", "VEREINSERGEBNISLISTE:\r\nFORMAT:(* version *)4;\r\nDATEIENDE",
     "VEREINSERGEBNISLISTE: |FORMAT:4; |DATEIENDE"},
    {"CommentCloserFirstCutsTheRest", "VEREINSERGEBNISLISTE: *) FORMAT:4; (* VEREIN:X;",
     "VEREINSERGEBNISLISTE: *) |FORMAT:4;"},
    {"UnclosedComment", "VEREINSERGEBNISLISTE:\nVEREIN:A;(* open\nLSV:1;",
     "VEREINSERGEBNISLISTE: |VEREIN:A;"},
    {"CommentFormedAcrossARemoval", "VEREINSERGEBNISLISTE: a((*x*)*b*)c;", "VEREINSERGEBNISLISTE: ac;"},
    {"QuotesRemoved", "VEREINSERGEBNISLISTE:\nVEREIN:\"SV A\";", "VEREINSERGEBNISLISTE: |VEREIN:SV A;"},
    {"FieldPerLineJoined",
     "VEREINSERGEBNISLISTE:\nPNERGEBNIS:Muster,\nMax;\n1;\nM;\n92;\nwk:1;V;3;\n1:00.00;",
     "VEREINSERGEBNISLISTE: |PNERGEBNIS:Muster, Max; 1; M; 92; |WK:1;V;3; 1:00.00;"},
    {"RemarkFieldsMoveToTheirOwnLine", "VEREINSERGEBNISLISTE: DSBEM:Fehlstart;x;y; VEREIN:A;",
     "VEREINSERGEBNISLISTE: |DSBEM:Fehlstart;|x;y; |VEREIN:A;"},
    {"RemarkWithoutSemicolonAtTheEnd", "VEREINSERGEBNISLISTE: DSBEM:Fehlstart",
     "VEREINSERGEBNISLISTE: |DSBEM:Fehlstart;"},
    {"CompetitionListKeepsResultLines",
     "WETTKAMPFERGEBNISLISTE:\nFORMAT:4;\nWK:1;V;\n1;A, B;1;M;90;GER;C;1:00.00;\nDATEIENDE",
     "WETTKAMPFERGEBNISLISTE: |FORMAT:4;|WK:1;V;|1;A, B;1;M;90;GER;C;1:00.00;|DATEIENDE"},
};

class DsvReaderPrepare : public ::testing::TestWithParam<PrepareCase>
{
};

TEST_P(DsvReaderPrepare, CleansAndRearranges)
{
    EXPECT_EQ(joinLines(TVnxDsvReader::fromBytes(GetParam().input).lines()), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Dsv, DsvReaderPrepare, ::testing::ValuesIn(kPrepareCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(DsvReader, DecodesDosTextWhenItsUmlautBytesOccur)
{
    const TVnxDsvReader dos = TVnxDsvReader::fromBytes("VEREINSERGEBNISLISTE:\nVEREIN:SV W\x81rzburg \xe1;");
    EXPECT_EQ(dos.lines().at(1), "VEREIN:SV Würzburg ß;");
    const TVnxDsvReader windows =
        TVnxDsvReader::fromBytes("VEREINSERGEBNISLISTE:\nVEREIN:SV W\xfcrzburg \xdf;");
    EXPECT_EQ(windows.lines().at(1), "VEREIN:SV Würzburg ß;");
}

TEST(DsvReader, ListTypeComesFromTheFirstKeyword)
{
    const std::pair<const char*, int> cases[] = {
        {"vereinsergebnisliste:\nFORMAT:4;", dltClubResults},
        {"WETTKAMPFERGEBNISLISTE:\nFORMAT:4;", dltCompetitionResults},
        {"VEREINSMELDELISTE:\nFORMAT:4;", dltClubEntries},
        {"FORMAT:4;\nVEREINSERGEBNISLISTE:", dltUnknown},
        {"", dltUnknown},
    };
    for (const auto& [text, type] : cases)
        EXPECT_EQ(TVnxDsvReader::fromBytes(text).listType(), type) << text;
}

TEST(DsvReader, FindsAndReadsRecords)
{
    TVnxDsvReader reader = TVnxDsvReader::fromBytes("VEREINSERGEBNISLISTE:\nFORMAT:4;\nVERANSTALTUNG: Cup ; "
                                                    "Bonn ;25;\nLSV:7;\nVEREIN:A;\nWK: 1 ; V ;3;\n");
    EXPECT_EQ(reader.format(), "4");
    EXPECT_EQ(reader.meetName(), "Cup");
    EXPECT_EQ(reader.meetCity(), "Bonn");
    EXPECT_EQ(reader.poolIndex(), 0);
    EXPECT_EQ(reader.FindRecord("LSV:", 3, 1), "7");
    EXPECT_EQ(reader.FindRecord("LSV:", 4, 1), "");
    EXPECT_EQ(reader.currentLine(), reader.lineCount());
    EXPECT_EQ(reader.FindRecord("VEREIN:", 0, 0), "A; ");
    EXPECT_EQ(reader.NextRecord(), std::make_pair(std::string("WK"), std::string("1;V;3;")));
    EXPECT_EQ(reader.NextRecord(), std::make_pair(std::string(), std::string()));
}

TEST(DsvReader, EventBlocksJoinTheTwoLineLayout)
{
    TVnxDsvReader reader = TVnxDsvReader::fromBytes("WETTKAMPFERGEBNISLISTE:\n"
                                                    "WK:3;V;\n"
                                                    "1; Braun, Felix ;5;M;1991;GER;A;\n"
                                                    "35.00;1:15.00;2:36.20;\n"
                                                    "DSBEM:Bahn;\n"
                                                    "2;Weber, Tim;4;M;1990;GER;B;\n"
                                                    "36.00;1:16.00;2:40.00;\n"
                                                    "WK:4;V;\n"
                                                    "DATEIENDE\n"
                                                    "WK:9;V;\n");
    EXPECT_EQ(joinLines(reader.EventBlock(1)),
              "3;V;|1;Braun, Felix;5;M;1991;GER;A;35.00;1:15.00;2:36.20;|"
              "DSBEM:Bahn;|2;Weber, Tim;4;M;1990;GER;B;36.00;1:16.00;2:40.00;");
    EXPECT_EQ(joinLines(reader.EventBlock(2)), "4;V;");
    EXPECT_TRUE(reader.EventBlock(3).empty());
}

TEST(DsvReader, TwoLineResultWithoutPartnerThrows)
{
    TVnxDsvReader reader = TVnxDsvReader::fromBytes("WETTKAMPFERGEBNISLISTE:\nWK:3;V;\n"
                                                    "1;Braun, Felix;5;M;1991;GER;A;\n35.00;1:15.00;2:36.20;\n"
                                                    "2;Weber, Tim;4;M;1990;GER;B;\n");
    EXPECT_THROW(reader.EventBlock(1), std::out_of_range);
}

// ---- Converter

struct Converted
{
    TLenex document;
    int errors = 0;
    std::string message;
};

void convertFile(const std::string& path, Converted& out)
{
    TVnxLenexConverterDSV4 converter(out.document);
    converter.Load(path);
    out.errors = converter.errorCount();
    out.message = converter.errorMessage();
}

void convertText(const std::string& text, Converted& out)
{
    const std::string path = ::testing::TempDir() + "/dsv4-inline.dsv";
    testing::writeFile(path, text);
    convertFile(path, out);
}

TLnxObject* competition(const TLenex& document)
{
    return document.root()->findCollection(tag::COMPETITIONS)->itemAt(0);
}

TLnxObject* item(const TLnxObject* owner, TLnxTagId collection, int index)
{
    const TLnxCollection* items = owner ? owner->findCollection(collection) : nullptr;
    return items && index < items->childCount() ? items->itemAt(index) : nullptr;
}

std::string splits(const TLnxObject& result)
{
    std::string text;
    if (const TLnxCollection* list = result.findCollection(tag::SPLITS))
        for (const auto& split : list->children())
            text += split->getAttribute(lxaDIS) + "=" + split->asData()->value() + " ";
    return text;
}

const char kHeader[] = "VEREINSERGEBNISLISTE:\nFORMAT:4;\nVERANSTALTUNG:Cup;Bonn;50;\n";

struct EventCase
{
    const char* text;
    const char* dis;
    const char* discnt;
    const char* stroke;
    const char* sex;
};

const EventCase kEvents[] = {
    {"4x100 L W", "100", "4", "IM", "F"}, {"100 F", "100", "", "FR", ""},
    {"4*50 R M", "50", "4", "BA", "M"},   {"200 S m", "200", "", "BU", "M"},
    {"50 B X", "50", "", "BR", ""},       {"100 Beine W", "100", "", "XX", "F"},
};

class Dsv4EventStyle : public ::testing::TestWithParam<EventCase>
{
};

TEST_P(Dsv4EventStyle, ComesFromTheEventText)
{
    const EventCase& c = GetParam();
    Converted out;
    convertText(std::string(kHeader) + "ABSCHNITT:1;1.1.2007;;\nWETTKAMPF:1;V;1;" + c.text +
                    ";\nVEREIN:A;\nDATEIENDE\n",
                out);
    ASSERT_EQ(out.errors, 0) << out.message;
    const TLnxObject* event = item(item(competition(out.document), tag::PERIODS, 0), tag::EVENTS, 0);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->getText(tag::DIS), c.dis);
    EXPECT_EQ(event->getText(tag::DISCNT), c.discnt);
    EXPECT_EQ(event->getText(tag::STR), c.stroke);
    EXPECT_EQ(event->getText(tag::SEX), c.sex);
    EXPECT_EQ(event->getText(tag::TYPE), "PRE");
}

INSTANTIATE_TEST_SUITE_P(Dsv, Dsv4EventStyle, ::testing::ValuesIn(kEvents));

struct SessionCase
{
    const char* record;
    const char* date;
    const char* time;
};

const SessionCase kSessions[] = {
    {"1;12.05.07;9:30;", "20070512", "0930"},
    {"1;12.05.51;;", "19510512", ""},
    {"1;12..5.2007;14;", "20070512", "1400"},
    {"1;;;", "", ""},
};

class Dsv4SessionDate : public ::testing::TestWithParam<SessionCase>
{
};

TEST_P(Dsv4SessionDate, ReadsTwoAndFourDigitYears)
{
    Converted out;
    convertText(std::string(kHeader) + "ABSCHNITT:" + GetParam().record + "\nVEREIN:A;\nDATEIENDE\n", out);
    ASSERT_EQ(out.errors, 0) << out.message;
    const TLnxObject* session = item(competition(out.document), tag::PERIODS, 0);
    EXPECT_EQ(session->getText(tag::DATE), GetParam().date);
    EXPECT_EQ(session->getText(tag::TIME), GetParam().time);
}

INSTANTIATE_TEST_SUITE_P(Dsv, Dsv4SessionDate, ::testing::ValuesIn(kSessions));

TEST(Dsv4Converter, ClubResultList)
{
    Converted out;
    convertFile(kDataDir + "ClubResults.dsv", out);
    ASSERT_EQ(out.errors, 0) << out.message;
    EXPECT_EQ(out.document.root()->getText(tag::VERSION), "Format 4");
    EXPECT_EQ(out.document.root()->findObject(tag::CONSTRUCTOR)->getText(tag::VERSION),
              "VEREINSERGEBNISLISTE");
    const TLnxObject* meet = competition(out.document);
    EXPECT_EQ(meet->getText(tag::NAME), "Stadtmeisterschaften 2007");
    EXPECT_EQ(meet->getText(tag::PLACE), "Musterstadt");
    EXPECT_EQ(meet->poolIndex(), 0);
    // The event naming session 9 lands in the last session.
    EXPECT_EQ(item(item(meet, tag::PERIODS, 1), tag::EVENTS, 1)->getText(tag::NUM), "4");

    const TLnxObject* club = item(meet, tag::CLUBS, 0);
    EXPECT_EQ(club->getText(tag::NAME), "SV Würzburg 05");
    EXPECT_EQ(club->getText(tag::LSC), "07");
    ASSERT_EQ(club->findCollection(tag::PERSONS)->childCount(), 6);

    const TLnxObject* mueller = item(club, tag::PERSONS, 0);
    EXPECT_EQ(mueller->getText(tag::NAME), "Müller");
    EXPECT_EQ(mueller->getText(tag::FNAME), "Jörg");
    EXPECT_EQ(mueller->getText(tag::YOB), "1992");
    EXPECT_EQ(splits(*item(mueller, tag::RESULTS, 0)), "50=V00h00:35.10 100=V00h01:12.45 ");

    const TLnxObject* schmidt = item(club, tag::PERSONS, 1);
    EXPECT_EQ(schmidt->getText(tag::FNAME), "Anna");
    EXPECT_EQ(schmidt->getText(tag::SEX), "F");
    const int thisYear = static_cast<int>(
        std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())}
            .year());
    EXPECT_EQ(schmidt->getInteger(tag::YOB), thisYear - 99);
    const TLnxObject* disqualified = item(schmidt, tag::RESULTS, 0);
    EXPECT_EQ(disqualified->getText(tag::RANK), "-1");
    EXPECT_EQ(disqualified->getText(tag::CODE), "DQ");
    EXPECT_EQ(disqualified->getText(tag::TIME), "I00h02:40.12");
    EXPECT_EQ(disqualified->getText(tag::COMMENT), "Frühstart");
    EXPECT_EQ(splits(*disqualified), "");
    const TLnxObject* fifty = item(schmidt, tag::RESULTS, 1);
    EXPECT_EQ(fifty->getText(tag::RANK), "1");
    EXPECT_EQ(fifty->getText(tag::TIME), "V00h00:33.50");
    EXPECT_EQ(splits(*fifty), "");

    // The "WK" line of an event without WETTKAMPF record (1, final) is passed over.
    const TLnxObject* klein = item(club, tag::PERSONS, 2);
    ASSERT_EQ(klein->findCollection(tag::RESULTS)->childCount(), 1);
    EXPECT_EQ(splits(*item(klein, tag::RESULTS, 0)), "50=V00h00:34.00 100=V00h01:13.00 200=V00h02:35.50 ");

    const TLnxObject* team = item(club, tag::RELAYS, 0);
    EXPECT_EQ(team->getText(tag::SEX), "M");
    const TLnxObject* relayResult = item(team, tag::RESULTS, 0);
    EXPECT_EQ(relayResult->getText(tag::TIME), "V00h01:59.80");
    EXPECT_EQ(splits(*relayResult), "50=V00h00:28.00 100=V00h00:58.50 150=V00h01:29.00 200=V00h01:59.80 ");
    ASSERT_EQ(relayResult->findCollection(tag::POSITIONS)->childCount(), 4);
    EXPECT_EQ(item(relayResult, tag::POSITIONS, 0)->getInteger(tag::PID), mueller->id());
    EXPECT_EQ(item(relayResult, tag::POSITIONS, 3)->getText(tag::NUM), "4");

    const TLnxObject* secondTeam = item(club, tag::RELAYS, 1);
    EXPECT_EQ(secondTeam->getText(tag::NUM), "2");
    EXPECT_EQ(secondTeam->getText(tag::SEX), "X");
    EXPECT_EQ(item(secondTeam, tag::RESULTS, 0)->getText(tag::CODE), "DNF");
}

TEST(Dsv4Converter, CompetitionResultList)
{
    Converted out;
    convertFile(kDataDir + "CompetitionResults.dsv", out);
    ASSERT_EQ(out.errors, 0) << out.message;
    const TLnxObject* meet = competition(out.document);
    EXPECT_EQ(meet->getText(tag::NAME), "Bezirksmeisterschaften");
    EXPECT_EQ(meet->getText(tag::PLACE), "Köln");
    EXPECT_EQ(meet->poolIndex(), 1);
    EXPECT_EQ(item(meet, tag::PERIODS, 0)->getText(tag::DATE), "20070602");

    const TLnxObject* cologne = item(meet, tag::CLUBS, 0);
    const TLnxObject* aachen = item(meet, tag::CLUBS, 1);
    const TLnxObject* maastricht = item(meet, tag::CLUBS, 2);
    ASSERT_EQ(meet->findCollection(tag::CLUBS)->childCount(), 3);
    EXPECT_EQ(cologne->getText(tag::LSC), "10");
    EXPECT_EQ(aachen->getText(tag::LSC), "");
    EXPECT_EQ(maastricht->getText(tag::LSC), "7");
    EXPECT_EQ(maastricht->getText(tag::NATION), "NED");

    const TLnxObject* schulz = item(cologne, tag::PERSONS, 0);
    EXPECT_EQ(splits(*item(schulz, tag::RESULTS, 0)), "50=V00h00:32.10 100=V00h01:07.45 ");
    EXPECT_EQ(item(item(aachen, tag::PERSONS, 0), tag::RESULTS, 0)->getText(tag::COMMENT), "Bahn 3");
    const TLnxObject* absent = item(item(maastricht, tag::PERSONS, 0), tag::RESULTS, 0);
    EXPECT_EQ(absent->getText(tag::CODE), "DNS");
    EXPECT_EQ(absent->getText(tag::RANK), "-1");

    // The relay swimmer Schulz is the same athlete as in the individual event; her team is mixed.
    const TLnxObject* mixedTeam = item(cologne, tag::RELAYS, 0);
    EXPECT_EQ(mixedTeam->getText(tag::SEX), "X");
    const TLnxObject* mixedResult = item(mixedTeam, tag::RESULTS, 0);
    EXPECT_EQ(item(mixedResult, tag::POSITIONS, 3)->getInteger(tag::PID), schulz->id());
    EXPECT_EQ(splits(*mixedResult),
              "50=V00h00:30.00 100=V00h01:05.00 200=V00h02:10.00 300=V00h03:20.00 400=V00h04:30.00 ");
    const TLnxObject* menTeam = item(aachen, tag::RELAYS, 0);
    EXPECT_EQ(menTeam->getText(tag::SEX), "M");
    EXPECT_EQ(item(menTeam, tag::RESULTS, 0)->getText(tag::COMMENT), "Wechsel zu früh");

    // Two-line layout: the split line follows the swimmer line.
    const TLnxObject* braun = item(aachen, tag::PERSONS, 5);
    ASSERT_NE(braun, nullptr);
    EXPECT_EQ(braun->getText(tag::NAME), "Braun");
    EXPECT_EQ(splits(*item(braun, tag::RESULTS, 0)), "50=V00h00:35.00 100=V00h01:15.00 200=V00h02:36.20 ");

    // Event 7 has no WETTKAMPF record: its results keep an event of their own.
    const TLnxObject* created = item(item(meet, tag::PERIODS, 0), tag::EVENTS, 3);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->getText(tag::NUM), "7");
    EXPECT_EQ(created->getText(tag::STR), "XX");
    const TLnxObject* hahn = item(cologne, tag::PERSONS, 4);
    ASSERT_NE(hahn, nullptr);
    EXPECT_EQ(hahn->getText(tag::NAME), "Hahn");
    EXPECT_EQ(item(hahn, tag::RESULTS, 0)->getInteger(tag::EID), created->id());
}

// A meet list's remark reads as the club list's does: its first field, without blanks or the ";" around it.
TEST(Dsv4Converter, RemarksOfTheMeetList)
{
    const std::pair<const char*, const char*> remarks[] = {
        {"DSBEM: Wende;", "Wende"},
        {"DSBEM:Wende;", "Wende"},
        {"DSBEM:  Fehlstart ;", "Fehlstart"},
    };
    for (const auto& [line, remark] : remarks) {
        Converted out;
        convertText(
            "WETTKAMPFERGEBNISLISTE:\nFORMAT:4;\nVERANSTALTUNG:Cup;Bonn;50;\nABSCHNITT:1;02.06.2007;10:00;\n"
            "WETTKAMPF:1;V;1;100 F W;\nWETTKAMPF:2;F;1;4*100 L M;\nVEREINSBEZEICHNUNG:A;\nWK:1;V;\n"
            "1;Schulz, Lena;1;W;1994;GER;A;32.10;1:07.45;\n" +
                std::string(line) +
                "\nWK:2;F;\n1;1;;A;30.00;1:05.00;2:10.00;3:20.00;4:30.00;\nWeber, Tim;4;M;1990;\n" + line +
                "\nDATEIENDE\n",
            out);
        ASSERT_EQ(out.errors, 0) << out.message;
        const TLnxObject* club = item(competition(out.document), tag::CLUBS, 0);
        EXPECT_EQ(item(item(club, tag::PERSONS, 0), tag::RESULTS, 0)->getText(tag::COMMENT), remark) << line;
        EXPECT_EQ(item(item(club, tag::RELAYS, 0), tag::RESULTS, 0)->getText(tag::COMMENT), remark) << line;
    }
}

TEST(Dsv4Converter, EventsWithoutSessionRecordsGetSessions)
{
    Converted out;
    convertText(std::string(kHeader) + "WETTKAMPF:1;V;1;100 F M;\nWETTKAMPF:2;V;2;100 F "
                                       "W;\nWETTKAMPF:3;V;1;50 F M;\nVEREIN:A;\nDATEIENDE\n",
                out);
    ASSERT_EQ(out.errors, 0) << out.message;
    const TLnxObject* meet = competition(out.document);
    ASSERT_EQ(meet->findCollection(tag::PERIODS)->childCount(), 2);
    EXPECT_EQ(item(meet, tag::PERIODS, 1)->getText(tag::NUM), "2");
    EXPECT_EQ(item(meet, tag::PERIODS, 0)->findCollection(tag::EVENTS)->childCount(), 2);
}

TEST(Dsv4Converter, PersonTexts)
{
    Converted out;
    convertText(std::string(kHeader) + "ABSCHNITT:1;1.1.2007;;\nWETTKAMPF:1;V;1;50 F X;\nVEREIN:A;\nLSV:00;\n"
                                       "PNERGEBNIS:Lang, Ida, Maria;1;m;07;\nWK:1;V;3;30.00;\n"
                                       "PNERGEBNIS:Ohne Komma;2;M;1990;\nWK:1;V;4;31.00;\nDATEIENDE\n",
                out);
    ASSERT_EQ(out.errors, 0) << out.message;
    const TLnxObject* club = item(competition(out.document), tag::CLUBS, 0);
    EXPECT_EQ(club->getText(tag::LSC), "");
    const TLnxObject* lang = item(club, tag::PERSONS, 0);
    EXPECT_EQ(lang->getText(tag::FNAME), "Ida");
    EXPECT_EQ(lang->getText(tag::SEX), "F");
    EXPECT_EQ(lang->getText(tag::YOB), "1907");
    const TLnxObject* single = item(club, tag::PERSONS, 1);
    EXPECT_EQ(single->getText(tag::NAME), "Ohne Komma");
    EXPECT_EQ(single->getText(tag::FNAME), "");
    EXPECT_EQ(single->getText(tag::SEX), "M");
}

TEST(Dsv4Converter, ZippedListIsExtractedAndRemoved)
{
    const std::string path = ::testing::TempDir() + "/dsv4-meet.zip";
    testing::writeZip(path,
                      {{"readme.txt", "x"}, {"meet.dsv", testing::readFile(kDataDir + "ClubResults.dsv")}});
    Converted out;
    convertFile(path, out);
    ASSERT_EQ(out.errors, 0) << out.message;
    EXPECT_EQ(competition(out.document)->getText(tag::NAME), "Stadtmeisterschaften 2007");
    for (const auto& file : fs::directory_iterator(base::privateTempFolder()))
        EXPECT_NE(file.path().extension(), ".dsv") << file.path();
}

struct ErrorCase
{
    const char* name;
    const char* text; // nullptr: the file is missing
    const char* message;
};

const ErrorCase kErrors[] = {
    {"MissingFile", nullptr, "Cannot open file"},
    {"UnknownList", "FORMAT:4;\nVEREINSERGEBNISLISTE:\nDATEIENDE\n", "S57"},
    {"EntryList", "VEREINSMELDELISTE:\nFORMAT:4;\nDATEIENDE\n", "S57"},
    {"SessionNumber", "VEREINSERGEBNISLISTE:\nABSCHNITT:eins;1.1.2007;;\nVEREIN:A;\nDATEIENDE\n",
     "'eins' is not a valid integer"},
    {"SessionDate", "VEREINSERGEBNISLISTE:\nABSCHNITT:1;31.02.2007;;\nVEREIN:A;\nDATEIENDE\n", "31.02.2007"},
    {"SessionTime", "VEREINSERGEBNISLISTE:\nABSCHNITT:1;1.1.2007;25:00;\nVEREIN:A;\nDATEIENDE\n", "25:00"},
    {"UpperCaseRelayMark", "VEREINSERGEBNISLISTE:\nABSCHNITT:1;;;\nWETTKAMPF:1;V;1;4X100 L W;\nDATEIENDE\n",
     "'4X100'"},
    {"DistanceNotInList", "VEREINSERGEBNISLISTE:\nABSCHNITT:1;;;\nWETTKAMPF:1;V;1;150 F W;\nDATEIENDE\n",
     "150 F W"},
    {"NoClub", "VEREINSERGEBNISLISTE:\nPNERGEBNIS:A, B;1;M;90;\nDATEIENDE\n", "VEREIN"},
    {"EventNumberInResult",
     "VEREINSERGEBNISLISTE:\nVEREIN:A;\nPNERGEBNIS:A, B;1;M;90;\nWK:x;V;1;30.00;\nDATEIENDE\n",
     "'x' is not a valid integer"},
    {"EventNumberInBlock", "WETTKAMPFERGEBNISLISTE:\nWK:x;V;\n1;A, B;1;M;90;GER;C;30.00;\nDATEIENDE\n",
     "'x' is not a valid integer"},
    {"TruncatedTwoLineBlock",
     "WETTKAMPFERGEBNISLISTE:\nWK:1;V;\n1;A, B;1;M;90;GER;C;\n30.00;\n2;D, E;2;M;91;GER;C;\nDATEIENDE\n",
     "List index"},
};

class Dsv4BadInput : public ::testing::TestWithParam<ErrorCase>
{
};

TEST_P(Dsv4BadInput, EndsWithOneError)
{
    base::setLanguageTextSource([](char section, int number, int) {
        return section == 'S' && number == 57 ? std::string("S57") : std::string();
    });
    Converted out;
    if (GetParam().text)
        convertText(GetParam().text, out);
    else
        convertFile(::testing::TempDir() + "/dsv4-does-not-exist.dsv", out);
    base::setLanguageTextSource({});
    EXPECT_EQ(out.errors, 1);
    EXPECT_NE(out.message.find(GetParam().message), std::string::npos) << out.message;
}

INSTANTIATE_TEST_SUITE_P(Dsv, Dsv4BadInput, ::testing::ValuesIn(kErrors),
                         [](const auto& param) { return std::string(param.param.name); });

// A file cut between two records loads what it holds and warns that it may be incomplete; a file cut inside
// a record is an error.
TEST(Dsv4Converter, CutFilesLoadUpToTheirLastWholeRecord)
{
    struct CutCase
    {
        const char* name;
        const char* cutAfter; // the file ends right after the first occurrence of this text
        int errors;
    };
    const CutCase cases[] = {
        {"ClubResults.dsv", "WK:4;V;1;33.50;", 0},
        {"ClubResults.dsv", "PNERGEBNIS:Klein, E", 1},
        {"CompetitionResults.dsv", "2;Vogel, Mia;222222;W;1995;GER;Aachener SV;32.50;1:08.00;", 0},
        {"CompetitionResults.dsv", "2;Vogel, Mia;222222;W;19", 1},
    };
    for (const CutCase& c : cases) {
        const std::string whole = testing::readFile(kDataDir + c.name);
        const std::size_t at = whole.find(c.cutAfter);
        ASSERT_NE(at, std::string::npos) << c.cutAfter;
        Converted out;
        convertText(whole.substr(0, at + std::strlen(c.cutAfter)), out);
        EXPECT_EQ(out.errors, c.errors) << c.cutAfter << ": " << out.message;
        if (c.errors > 0) {
            EXPECT_NE(out.message.find("cut off"), std::string::npos) << out.message;
            continue;
        }
        ASSERT_EQ(out.document.warnings().size(), 1u) << c.cutAfter;
        EXPECT_NE(out.document.warnings()[0].find("DATEIENDE"), std::string::npos);
        // The results read before the cut are there.
        const TLnxObject* club = item(competition(out.document), tag::CLUBS, 0);
        const TLnxObject* swimmer = item(club, tag::PERSONS, 0);
        EXPECT_NE(item(swimmer, tag::RESULTS, 0), nullptr) << c.cutAfter;
    }
}

TEST(Dsv4Converter, ZipWithoutListIsRejected)
{
    const std::string path = ::testing::TempDir() + "/dsv4-empty.zip";
    testing::writeZip(path, {{"readme.txt", "x"}});
    Converted out;
    convertFile(path, out);
    EXPECT_EQ(out.errors, 1);
}

} // namespace
} // namespace lanescope::convert
