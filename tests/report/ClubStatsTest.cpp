#include "report/ClubStats.h"

#include "ReportMeet.h"
#include "report/VnxReport.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace lanescope::report {
namespace {

using namespace lanescope::report::testing;
using Cells = std::vector<std::string>;

struct CountCase
{
    int men;
    int women;
    Cells cells;
};

const CountCase kCounts[] = {
    {3, 0, {"3", "", "", "=", "3"}},
    {0, 2, {"", "", "2", "=", "2"}},
    {3, 2, {"3", "+", "2", "=", "5"}},
    {0, 0, {"", "", "", "", "-"}},
};

class ClubStatsCounts : public ::testing::TestWithParam<CountCase>
{
};

TEST_P(ClubStatsCounts, FiveCells)
{
    TVnxReport engine;
    TClubStats report(engine, nullptr);
    report.SetCounts(8, GetParam().men, GetParam().women);
    const auto& row = report.Cells();
    EXPECT_EQ(Cells(row.begin() + 8, row.begin() + 13), GetParam().cells);
    EXPECT_EQ(Cells(row.begin(), row.begin() + 8), Cells(8)) << "cells before the group stay empty";
}

INSTANTIATE_TEST_SUITE_P(Examples, ClubStatsCounts, ::testing::ValuesIn(kCounts));

// Nordlicht: 3 men, 2 women; the men swim 7 individual events (one athlete twice in prelims and final of one
// event: one start), the women 4, and the men one relay. Ost: a mixed relay and one woman without starts.
constexpr std::string_view kClubsMeet = R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS>
<COMPETITION><NAME>Club Cup</NAME><NATION>GER</NATION><PL>50</PL>
<PERIODS><PERIOD><NUM>1</NUM><DATE>20261017</DATE><EVENTS>
<EVENT id="1"><NUM>1</NUM><DIS>50</DIS><STR>FR</STR><TYPE>TIM</TYPE></EVENT>
<EVENT id="2"><NUM>2</NUM><DIS>100</DIS><STR>FR</STR><TYPE>PRE</TYPE></EVENT>
<EVENT id="3"><NUM>3</NUM><DIS>100</DIS><STR>FR</STR><TYPE>FIN</TYPE></EVENT>
<EVENT id="4"><NUM>4</NUM><DIS>50</DIS><STR>BR</STR><TYPE>TIM</TYPE></EVENT>
<EVENT id="5"><NUM>5</NUM><DIS>100</DIS><DISCNT>4</DISCNT><STR>FR</STR><SEX>M</SEX></EVENT>
<EVENT id="6"><NUM>6</NUM><DIS>100</DIS><DISCNT>4</DISCNT><STR>FR</STR><SEX>X</SEX></EVENT>
</EVENTS></PERIOD></PERIODS>
<CLUBS>
<CLUB><NAME>SV Nordlicht</NAME><CODE>SVN</CODE><PERSONS>
<PERSON id="1"><NAME>A</NAME><SEX>M</SEX><RESULTS><RESULT><EID>1</EID><TIME>V00h00:30.00</TIME></RESULT>
<RESULT><EID>2</EID><TIME>V00h01:00.00</TIME></RESULT><RESULT><EID>3</EID><RANK>1</RANK><TIME>V00h00:59.00</TIME></RESULT>
<RESULT><EID>4</EID><TIME>V00h00:40.00</TIME></RESULT></RESULTS></PERSON>
<PERSON id="2"><NAME>B</NAME><SEX>M</SEX><RESULTS><RESULT><EID>1</EID><TIME>V00h00:31.00</TIME></RESULT>
<RESULT><EID>2</EID><TIME>V00h01:01.00</TIME></RESULT><RESULT><EID>4</EID><TIME>V00h00:41.00</TIME></RESULT></RESULTS></PERSON>
<PERSON id="3"><NAME>C</NAME><SEX>M</SEX><ENTRIES><ENTRY><EID>1</EID></ENTRY></ENTRIES></PERSON>
<PERSON id="4"><NAME>D</NAME><SEX>F</SEX><RESULTS><RESULT><EID>1</EID><TIME>V00h00:32.00</TIME></RESULT>
<RESULT><EID>2</EID><TIME>V00h01:02.00</TIME></RESULT></RESULTS></PERSON>
<PERSON id="5"><NAME>E</NAME><SEX>F</SEX><RESULTS><RESULT><EID>1</EID><TIME>V00h00:33.00</TIME></RESULT>
<RESULT><EID>4</EID><TIME>V00h00:43.00</TIME></RESULT></RESULTS></PERSON>
</PERSONS><RELAYS><RELAY><NUM>1</NUM><SEX>M</SEX><RESULTS><RESULT><EID>5</EID><TIME>V00h04:00.00</TIME></RESULT>
</RESULTS></RELAY></RELAYS></CLUB>
<CLUB><NAME>SC Ost</NAME><CODE>SCO</CODE><NATION>AUT</NATION><PERSONS>
<PERSON id="6"><NAME>F</NAME><SEX>F</SEX></PERSON></PERSONS>
<RELAYS><RELAY><NUM>1</NUM><SEX>X</SEX><RESULTS><RESULT><EID>6</EID><TIME>V00h04:10.00</TIME></RESULT>
</RESULTS></RELAY></RELAYS></CLUB>
</CLUBS></COMPETITION></COMPETITIONS></LENEX>)";

class ClubStatsReport : public ReportMeetTest
{
protected:
    std::vector<RecordedPage> run()
    {
        TVnxReport engine;
        TClubStats report(engine, meet);
        RecordingDevice device(254);
        SilentStatus status;
        engine.PrintToPreview(status, device);
        return device.pages();
    }
};

TEST_F(ClubStatsReport, RowsPerClubAndTotals)
{
    load(kClubsMeet);
    const auto pages = run();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(lineWith(pages[0], "SV Nordlicht"), (Cells{"SV Nordlicht", "SVN", "GER", "3", "+", "2", "=",
                                                         "5", "7", "+", "4", "=", "11", "1", "=", "1"}));
    // The mixed relay counts on the men's side; the nation falls back to the meet's only when empty.
    EXPECT_EQ(lineWith(pages[0], "SC Ost"),
              (Cells{"SC Ost", "SCO", "AUT", "1", "=", "1", "-", "1", "=", "1"}));
    EXPECT_EQ(lineWith(pages[0], "Total: 2 clubs"),
              (Cells{"Total: 2 clubs", "3", "+", "3", "=", "6", "7", "+", "4", "=", "11", "2", "=", "2"}));
    EXPECT_EQ(lineWith(pages[0], "Club"), (Cells{"Club", "Code / Nation", "Athletes", "Indiv.", "Relays"}));
    // Clubs follow their full code: AUT.SCO before GER.SVN.
    const auto texts = pages[0].texts();
    EXPECT_LT(std::find(texts.begin(), texts.end(), "SC Ost"),
              std::find(texts.begin(), texts.end(), "SV Nordlicht"));
}

TEST_F(ClubStatsReport, EveryPageRepeatsTheColumnHeadings)
{
    std::string text = R"(<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS><COMPETITION><NAME>Many</NAME>
<CLUBS>)";
    for (int i = 1; i <= 150; ++i)
        text += "<CLUB><NAME>Club " + std::to_string(i) + "</NAME></CLUB>";
    load(text + "</CLUBS></COMPETITION></COMPETITIONS></LENEX>");
    const auto pages = run();
    ASSERT_GE(pages.size(), 3u);
    for (const RecordedPage& page : pages) {
        const auto texts = page.texts();
        const auto heading = std::find(texts.begin(), texts.end(), "Club");
        const auto firstClub = std::find_if(texts.begin(), texts.end(),
                                            [](const std::string& t) { return t.starts_with("Club "); });
        ASSERT_NE(heading, texts.end());
        EXPECT_LT(heading, firstClub) << "the headings come before the page's first club";
        EXPECT_EQ(lineWith(page, "Club"), (Cells{"Club", "Code / Nation", "Athletes", "Indiv.", "Relays"}));
    }
}

TEST_F(ClubStatsReport, MeetWithoutClubs)
{
    load(R"(<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS><COMPETITION><NAME>Empty</NAME>
</COMPETITION></COMPETITIONS></LENEX>)");
    const auto pages = run();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(lineWith(pages[0], "Total: 0 clubs"), (Cells{"Total: 0 clubs", "-", "-", "-"}));
    EXPECT_EQ(lineWith(pages[0], "Participating clubs"), Cells{"Participating clubs"});
}

TEST_F(ClubStatsReport, HtmlHasOneTableRowPerClub)
{
    load(kClubsMeet);
    TVnxReport engine;
    TClubStats report(engine, meet);
    engine.HtmlFileName = std::filesystem::path(::testing::TempDir()) / "clubs.html";
    SilentStatus status;
    ASSERT_TRUE(engine.PrintToHtml(status));
    const std::string html = lanescope::testing::readFile(engine.HtmlFileName);
    const auto nordlicht = html.find("SV Nordlicht");
    const auto ost = html.find("SC Ost");
    ASSERT_NE(nordlicht, std::string::npos);
    ASSERT_NE(ost, std::string::npos);
    EXPECT_NE(html.find("</tr>", ost), std::string::npos);
    EXPECT_LT(html.find("</tr>", ost), nordlicht) << "each club row is flushed on its own";
}

} // namespace
} // namespace lanescope::report
