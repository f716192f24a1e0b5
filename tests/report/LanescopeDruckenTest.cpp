#include "report/LanescopeDrucken.h"

#include "ReportMeet.h"
#include "base/Strings.h"
#include "browser/ListCells.h"
#include "report/VnxReport.h"
#include "support/TestFiles.h"
#include "swim/LenexTexts.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lanescope::report {
namespace {

using namespace lanescope::report::testing;
using Texts = std::vector<std::string>;
namespace tag = lenex::tag;

// Event 1: 200 m with four splits in file order 100, 50, 200, 150, a result with an invalid time, one with a
// limit time and an entry. Event 2: a relay in a pool without a length.
constexpr std::string_view kMeet = R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS>
<COMPETITION><NAME>Test Meet</NAME><PLACE>Kiel</PLACE><PL>0</PL><PM>m</PM>
<PERIODS><PERIOD><NUM>1</NUM><DATE>20261017</DATE><EVENTS>
<EVENT id="1"><NUM>1</NUM><DIS>200</DIS><STR>FR</STR><SEX>F</SEX><TYPE>TIM</TYPE></EVENT>
<EVENT id="2"><NUM>2</NUM><DIS>100</DIS><DISCNT>4</DISCNT><STR>FR</STR><SEX>F</SEX></EVENT>
</EVENTS></PERIOD></PERIODS>
<CLUBS><CLUB><NAME>SC Kiel</NAME><PERSONS>
<PERSON id="1"><NAME>Berg</NAME><FNAME>Ada</FNAME><YOB>2004</YOB><RESULTS>
<RESULT><EID>1</EID><RANK>1</RANK><TIME>V00h02:10.00</TIME><COMMENT>New record</COMMENT><SPLITS>
<SPLIT dis="100">V00h01:03.00</SPLIT><SPLIT dis="50">V00h00:30.00</SPLIT><SPLIT dis="200">V00h02:10.00</SPLIT>
<SPLIT dis="150">I00h01:37.00</SPLIT></SPLITS></RESULT></RESULTS></PERSON>
<PERSON id="2"><NAME>Dahl</NAME><FNAME>Bea</FNAME><YOB>2005</YOB><RESULTS>
<RESULT><EID>1</EID><TIME>I00h02:20.00</TIME></RESULT></RESULTS></PERSON>
<PERSON id="3"><NAME>Falk</NAME><FNAME>Cia</FNAME><YOB>2006</YOB><RESULTS>
<RESULT><EID>1</EID><RANK>2</RANK><TIME>L00h02:15.00</TIME></RESULT></RESULTS></PERSON>
<PERSON id="4"><NAME>Holm</NAME><FNAME>Dora</FNAME><YOB>2007</YOB><ENTRIES>
<ENTRY><EID>1</EID><TIME>E00h02:30.00</TIME><HEAT>2</HEAT><LANE>3</LANE></ENTRY></ENTRIES></PERSON>
</PERSONS><RELAYS><RELAY><NAME>Kiel I</NAME><RESULTS><RESULT><EID>2</EID><RANK>1</RANK><TIME>V00h04:00.00</TIME>
<SPLITS><SPLIT dis="50">V00h00:29.00</SPLIT><SPLIT dis="100">V00h01:00.00</SPLIT></SPLITS>
<POSITIONS><POSITION><NUM>1</NUM><PID>1</PID></POSITION></POSITIONS></RESULT></RESULTS></RELAY></RELAYS>
</CLUB></CLUBS></COMPETITION></COMPETITIONS></LENEX>)";

/** A meet with one 100 m event and as many ranked results, each with two splits, every second with a
 * comment. */
std::string longListMeet(int rows)
{
    std::string text = R"(<?xml version="1.0" encoding="UTF-8"?><LENEX><VERSION>01.03.0007</VERSION>
<COMPETITIONS><COMPETITION><NAME>Long Meet</NAME><PLACE>Kiel</PLACE><PL>50</PL><PERIODS><PERIOD><NUM>1</NUM>
<DATE>20261017</DATE><EVENTS><EVENT id="1"><NUM>1</NUM><DIS>100</DIS><STR>FR</STR><SEX>F</SEX></EVENT>
</EVENTS></PERIOD></PERIODS><CLUBS><CLUB><NAME>SC Long</NAME><PERSONS>)";
    for (int i = 1; i <= rows; ++i) {
        const std::string seconds = std::to_string(10 + i % 50);
        text += "<PERSON id=\"" + std::to_string(i) + "\"><NAME>Swimmer" + std::to_string(i) +
                "</NAME><FNAME>Ann</FNAME><YOB>2001</YOB><RESULTS><RESULT><EID>1</EID><RANK>" +
                std::to_string(i) + "</RANK><TIME>V00h01:" + seconds + ".00</TIME>" +
                (i % 2 == 0 ? "<COMMENT>Note" + std::to_string(i) + "</COMMENT>" : "") +
                "<SPLITS><SPLIT dis=\"50\">V00h00:30.00</SPLIT>" + "<SPLIT dis=\"100\">V00h01:" + seconds +
                ".00</SPLIT></SPLITS></RESULT></RESULTS></PERSON>";
    }
    return text + "</PERSONS></CLUB></CLUBS></COMPETITION></COMPETITIONS></LENEX>";
}

/** The letters that the HTML output writes as entities. */
std::string htmlLetters(std::string text)
{
    static const std::pair<const char*, const char*> kLetters[] = {
        {"ä", "&auml;"},   {"ë", "&euml;"},   {"ï", "&iuml;"},   {"ö", "&ouml;"},   {"ü", "&uuml;"},
        {"Ä", "&Auml;"},   {"Ö", "&Ouml;"},   {"Ü", "&Uuml;"},   {"á", "&aacute;"}, {"é", "&eacute;"},
        {"í", "&iacute;"}, {"ó", "&oacute;"}, {"ú", "&uacute;"}, {"â", "&acirc;"},  {"ê", "&ecirc;"},
        {"î", "&icirc;"},  {"ô", "&ocirc;"},  {"û", "&ucirc;"},  {"à", "&agrave;"}, {"è", "&egrave;"},
        {"ì", "&igrave;"}, {"ò", "&ograve;"}, {"ù", "&ugrave;"}, {"ç", "&ccedil;"}};
    for (const auto& [letter, entity] : kLetters)
        text = base::replaceAll(text, letter, entity);
    return text;
}

class DruckenTest : public ReportMeetTest
{
protected:
    PrintSelection eventSelection(int number, ListPrintOptions options)
    {
        PrintSelection selection;
        selection.eventNode = eventNode(number);
        selection.resultLists = &models.lists;
        selection.events = options;
        return selection;
    }

    /** The participants page with the (last) athlete or relay whose tree text starts with the name. */
    PrintSelection participantSelection(const std::string& name, ListPrintOptions options = {})
    {
        PrintSelection selection;
        selection.activePage = PrintSelection::Page::Participants;
        for (const browser::ClubTreeNode* node = models.clubs.firstNode(); node;
             node = models.clubs.nextNode(*node))
            if (node->text.starts_with(name))
                selection.participantNode = node;
        selection.participants = options;
        return selection;
    }

    std::vector<RecordedPage> preview(const PrintSelection& selection)
    {
        TVnxReport engine;
        TLanescopeDrucken report(engine, meet, document);
        report.setSelection(selection);
        RecordingDevice device(254);
        SilentStatus status;
        engine.PrintToPreview(status, device);
        return device.pages();
    }

    std::filesystem::path pdf(const PrintSelection& selection, const std::string& name)
    {
        TVnxReport engine;
        TLanescopeDrucken report(engine, meet, document);
        report.setSelection(selection);
        engine.PdfFileName = std::filesystem::path(::testing::TempDir()) / name;
        SilentStatus status;
        EXPECT_TRUE(engine.PrintToPdf(status));
        expectQpdfClean(engine.PdfFileName);
        return engine.PdfFileName;
    }

    std::string html(const PrintSelection& selection)
    {
        TVnxReport engine;
        TLanescopeDrucken report(engine, meet, document);
        report.setSelection(selection);
        engine.HtmlFileName = std::filesystem::path(::testing::TempDir()) / "report.html";
        SilentStatus status;
        EXPECT_TRUE(engine.PrintToHtml(status));
        return lanescope::testing::readFile(engine.HtmlFileName);
    }
};

TEST_F(DruckenTest, EventListRowsTimesAndFilter)
{
    load(kMeet);
    const auto pages = preview(eventSelection(1, {}));
    ASSERT_EQ(pages.size(), 1u);
    const RecordedPage& page = pages[0];
    EXPECT_EQ(lineWith(page, "Event 1 - 200m Freestyle Women").size(), 1u);
    // The column headings; no points column, since no result has points.
    EXPECT_EQ(lineWith(page, "Place"), (Texts{"Place", "Name", "Year", "Club", "Time"}));
    EXPECT_EQ(lineWith(page, "1."), (Texts{"1.", "Berg Ada", "2004", "SC Kiel", " 2:10.00"}));
    EXPECT_EQ(lineWith(page, "New record"), Texts{"New record"});
    EXPECT_EQ(lineWith(page, "Dahl Bea"), (Texts{"Dahl Bea", "2005", "SC Kiel", " 2:20.00"}));
    // A limit time prints nothing; an entry without rank shows heat and lane.
    EXPECT_EQ(lineWith(page, "2."), (Texts{"2.", "Falk Cia", "2006", "SC Kiel"}));
    EXPECT_EQ(lineWith(page, "2 / 3"), (Texts{"2 / 3", "Holm Dora", "2007", "SC Kiel", " 2:30.00"}));
    const auto bold = std::find_if(page.items.begin(), page.items.end(),
                                   [](const RecordedItem& item) { return item.text == " 2:10.00"; });
    EXPECT_TRUE(bold->bold);

    // "nur gültige Resultate" drops results without a valid time and keeps every entry.
    const auto valid = allTexts(preview(eventSelection(1, {true, false})));
    for (const char* kept : {"Berg Ada", "Holm Dora"})
        EXPECT_NE(std::find(valid.begin(), valid.end(), kept), valid.end()) << kept;
    for (const char* dropped : {"Dahl Bea", "Falk Cia"})
        EXPECT_EQ(std::find(valid.begin(), valid.end(), dropped), valid.end()) << dropped;
}

TEST_F(DruckenTest, IndividualSplitsInTwoRows)
{
    load(kMeet);
    const auto pages = preview(eventSelection(1, {false, true}));
    ASSERT_EQ(pages.size(), 1u);
    // Four splits: 50 and 100 on the left, 150 and 200 on the right; each lap from the split before it.
    EXPECT_EQ(lineWith(pages[0], "50m:"),
              (Texts{"50m:", "   30.00", "(30.00)", "150m:", " 1:37.00", "(34.00)"}));
    EXPECT_EQ(lineWith(pages[0], "100m:"),
              (Texts{"100m:", " 1:03.00", "(33.00)", "200m:", " 2:10.00", "(33.00)"}));
    const auto invalid = std::find_if(pages[0].items.begin(), pages[0].items.end(),
                                      [](const RecordedItem& item) { return item.text == " 1:37.00"; });
    EXPECT_TRUE(invalid->italic);
    // The splits block sits below the comment line of its result.
    const auto y = [&](const std::string& text) {
        return std::find_if(pages[0].items.begin(), pages[0].items.end(),
                            [&](const RecordedItem& item) { return item.text == text; })
            ->y;
    };
    EXPECT_LT(y("New record"), y("50m:"));
    EXPECT_LT(y("50m:"), y("100m:"));
    EXPECT_LT(y("100m:"), y("Dahl Bea"));
}

TEST_F(DruckenTest, RelayWithoutPoolLengthEndsWithoutSplitLines)
{
    load(kMeet);
    const auto pages = preview(eventSelection(2, {false, true}));
    ASSERT_EQ(pages.size(), 1u);
    const auto texts = pages[0].texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Kiel I"), texts.end());
    EXPECT_TRUE(
        std::none_of(texts.begin(), texts.end(), [](const std::string& t) { return t.ends_with("m:"); }));
}

TEST_F(DruckenTest, RelayBrokenAcrossPagesRepeatsItsLine)
{
    // Twelve 4 x 100 m relays in a 25 m pool: sixteen split lines and four swimmers each.
    std::string text = R"(<?xml version="1.0" encoding="UTF-8"?><LENEX><VERSION>01.03.0007</VERSION>
<COMPETITIONS><COMPETITION><NAME>Relays</NAME><PL>25</PL><PERIODS><PERIOD><NUM>1</NUM><DATE>20261017</DATE>
<EVENTS><EVENT id="1"><NUM>1</NUM><DIS>100</DIS><DISCNT>4</DISCNT><STR>FR</STR><SEX>F</SEX></EVENT></EVENTS>
</PERIOD></PERIODS><CLUBS><CLUB><NAME>SC</NAME><PERSONS><PERSON id="1"><NAME>Swim</NAME><FNAME>Ann</FNAME>
</PERSON></PERSONS><RELAYS>)";
    for (int relay = 1; relay <= 12; ++relay) {
        text += "<RELAY><NAME>Team " + std::to_string(relay) + "</NAME><RESULTS><RESULT><EID>1</EID><RANK>" +
                std::to_string(relay) + "</RANK><TIME>V00h04:00.00</TIME><SPLITS>";
        for (int distance = 25; distance <= 400; distance += 25)
            text += "<SPLIT dis=\"" + std::to_string(distance) +
                    "\">V00h00:" + std::to_string(10 + distance / 25) + ".00</SPLIT>";
        text += "</SPLITS><POSITIONS>";
        for (int leg = 1; leg <= 4; ++leg)
            text += "<POSITION><NUM>" + std::to_string(leg) + "</NUM><PID>1</PID></POSITION>";
        text += "</POSITIONS></RESULT></RESULTS></RELAY>";
    }
    load(text + "</RELAYS></CLUB></CLUBS></COMPETITION></COMPETITIONS></LENEX>");
    const auto pages = preview(eventSelection(1, {false, true}));
    ASSERT_GE(pages.size(), 2u);
    int continued = 0;
    for (std::size_t index = 1; index < pages.size(); ++index) {
        const auto texts = pages[index].texts();
        const auto split =
            std::find_if(texts.begin(), texts.end(), [](const std::string& t) { return t.ends_with("m:"); });
        const auto team = std::find_if(texts.begin(), texts.end(),
                                       [](const std::string& t) { return t.starts_with("Team "); });
        ASSERT_NE(team, texts.end());
        // A page that starts inside a relay's block names that relay first.
        if (split < team) {
            ADD_FAILURE() << "page " << index + 1 << " starts with splits of an unnamed relay";
        } else if (team->ends_with(" (cont.)")) {
            ++continued;
        }
    }
    // Each relay's block is shorter than a page, so it moves to the next page whole.
    EXPECT_EQ(continued, 0);
}

TEST_F(DruckenTest, StatusCodesTakeThePlaceOfTheRank)
{
    load(R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS><COMPETITION><NAME>Codes</NAME><PL>25</PL>
<PERIODS><PERIOD><NUM>1</NUM><DATE>20251017</DATE><EVENTS><EVENT id="1"><NUM>1</NUM><DIS>100</DIS><STR>FR</STR>
<TYPE>FIN</TYPE></EVENT></EVENTS></PERIOD></PERIODS><CLUBS><CLUB><NAME>SC</NAME><PERSONS>
<PERSON id="1"><NAME>Alpha</NAME><FNAME>A</FNAME><RESULTS><RESULT><EID>1</EID><RANK>1</RANK>
<TIME>V00h01:00.00</TIME></RESULT></RESULTS></PERSON>
<PERSON id="2"><NAME>Bravo</NAME><FNAME>B</FNAME><RESULTS><RESULT><EID>1</EID><CODE>DSQ</CODE>
<TIME>I00h01:01.00</TIME></RESULT></RESULTS></PERSON>
<PERSON id="3"><NAME>Charlie</NAME><FNAME>C</FNAME><RESULTS><RESULT><EID>1</EID><CODE>dns</CODE>
</RESULT></RESULTS></PERSON>
<PERSON id="4"><NAME>Delta</NAME><FNAME>D</FNAME><RESULTS><RESULT><EID>1</EID><CODE>DNF</CODE>
<HEAT>1</HEAT><LANE>4</LANE></RESULT></RESULTS></PERSON>
</PERSONS></CLUB></CLUBS></COMPETITION></COMPETITIONS></LENEX>)");
    const auto pages = preview(eventSelection(1, {false, false}));
    ASSERT_EQ(pages.size(), 1u);
    const auto place = [&pages](const std::string& name) {
        for (const RecordedItem& item : pages[0].items)
            if (item.text.starts_with(name))
                return lineWith(pages[0], item.text).front();
        return std::string("no line");
    };
    EXPECT_EQ(place("Alpha"), "1.");
    EXPECT_EQ(place("Bravo"), "DSQ");
    EXPECT_EQ(place("Charlie"), "DNS");
    EXPECT_EQ(place("Delta"), "DNF");

    const PrintSelection selection = participantSelection("Delta");
    ASSERT_NE(selection.participantNode, nullptr);
    const auto athlete = preview(selection);
    ASSERT_EQ(athlete.size(), 1u);
    const auto line = lineWith(athlete[0], "Event 1");
    EXPECT_NE(std::find(line.begin(), line.end(), "DNF"), line.end());
    EXPECT_EQ(line.back(), "(Final)  Heat 1, lane 4");
}

TEST_F(DruckenTest, AthleteResultWithoutAgeGroupTakesTheAthletesGroup)
{
    // The event's first group is the youngest year; results name no CAT.
    load(R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS><COMPETITION><NAME>Cats</NAME><PL>25</PL>
<PERIODS><PERIOD><NUM>1</NUM><DATE>20251017</DATE><EVENTS><EVENT id="1"><NUM>1</NUM><DIS>100</DIS><STR>FR</STR>
<CATS><CAT id="1"><MIN>2011</MIN><MAX>2011</MAX></CAT><CAT id="2"><MIN>2007</MIN><MAX>2008</MAX><SEX>M</SEX></CAT>
<CAT id="3"><MIN>2007</MIN><MAX>2008</MAX><SEX>F</SEX></CAT><CAT id="4"><MIN>-1</MIN><MAX>-1</MAX></CAT></CATS>
</EVENT></EVENTS></PERIOD></PERIODS><CLUBS><CLUB><NAME>SC</NAME><PERSONS>
<PERSON id="1"><NAME>Born</NAME><FNAME>Eva</FNAME><SEX>F</SEX><YOB>2007</YOB><RESULTS>
<RESULT><EID>1</EID><RANK>1</RANK><TIME>V00h01:00.00</TIME></RESULT></RESULTS></PERSON>
<PERSON id="2"><NAME>Older</NAME><FNAME>Ida</FNAME><SEX>F</SEX><YOB>1990</YOB><RESULTS>
<RESULT><EID>1</EID><RANK>2</RANK><TIME>V00h01:01.00</TIME></RESULT></RESULTS></PERSON>
<PERSON id="3"><NAME>Unknown</NAME><FNAME>Year</FNAME><RESULTS>
<RESULT><EID>1</EID><RANK>3</RANK><TIME>V00h01:02.00</TIME></RESULT></RESULTS></PERSON>
</PERSONS></CLUB></CLUBS></COMPETITION></COMPETITIONS></LENEX>)");
    const lenex::TLnxObject* event = document.eventById(1);
    ASSERT_NE(event, nullptr);
    const struct
    {
        const char* name;
        int ageGroup; // 0: none
    } cases[] = {{"Born", 3}, {"Older", 4}, {"Unknown", 0}};
    for (const auto& c : cases) {
        const PrintSelection selection = participantSelection(c.name);
        ASSERT_NE(selection.participantNode, nullptr) << c.name;
        const auto pages = preview(selection);
        ASSERT_EQ(pages.size(), 1u);
        const std::string expected =
            swim::eventText(document, *event, c.ageGroup ? document.ageGroupByIds(1, c.ageGroup) : nullptr);
        EXPECT_EQ(lineWith(pages[0], "Event 1").at(1), expected) << c.name;
    }
}

TEST_F(DruckenTest, AthleteReport)
{
    load(kMeet);
    const PrintSelection selection = participantSelection("Holm", {true, true});
    ASSERT_NE(selection.participantNode, nullptr);
    const auto pages = preview(selection);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(lineWith(pages[0], "Event 1"),
              (Texts{"Event 1", "200m Freestyle", " 2:30.00", "Heat 2, lane 3"}));
}

TEST_F(DruckenTest, SampleRelayReportAsPdfAndHtml)
{
    loadFile(std::filesystem::path(LANESCOPE_SAMPLES_DIR) / "autumn-open-2026.lef");
    const PrintSelection selection = eventSelection(7, {false, true});
    ASSERT_NE(selection.eventNode, nullptr);

    // What the report must show, in list order: each team, its club, its swimmers leg by leg, its time.
    Texts expected{"Autumn Open 2026", selection.eventNode->text};
    const browser::ResultList* list =
        models.lists.find(browser::ResultLists::eventKey(selection.eventNode->data->id()));
    ASSERT_NE(list, nullptr);
    ASSERT_GE(list->size(), 2u);
    for (const lenex::TLnxObject* item : *list) {
        expected.push_back(swim::participantText(*browser::ownerOf(*item), false));
        expected.push_back(base::trim(browser::timeCell(*item).text));
        const lenex::TLnxCollection* positions = item->findCollection(tag::POSITIONS);
        std::vector<std::pair<int, std::string>> legs;
        for (int i = 0; positions && i < positions->childCount(); ++i)
            if (const lenex::TLnxObject* person =
                    document.personById(positions->itemAt(i)->getInteger(tag::PID)))
                legs.emplace_back(positions->itemAt(i)->getInteger(tag::NUM),
                                  swim::participantText(*person, false));
        std::sort(legs.begin(), legs.end());
        ASSERT_FALSE(legs.empty());
        for (const auto& leg : legs)
            expected.push_back(leg.second);
    }

    if (onPath("pdftotext")) {
        const auto file = pdf(selection, "relay.pdf");
        const std::string text = commandOutput("pdftotext -layout '" + file.string() + "' -");
        std::size_t at = 0;
        for (const std::string& piece : expected) {
            const std::size_t found = text.find(piece, at);
            ASSERT_NE(found, std::string::npos) << "\"" << piece << "\" missing or out of order in\n" << text;
            at = found + piece.size();
        }
    }

    const std::string page = html(selection);
    std::size_t at = 0;
    for (const std::string& piece : expected) {
        const std::size_t found = page.find(htmlLetters(piece), at);
        ASSERT_NE(found, std::string::npos) << "\"" << piece << "\" missing or out of order";
        at = found;
    }
}

/** Every page of a long list: the branded head, its page number, and no list line in the footer band. */
void expectCleanPages(const std::vector<RecordedPage>& pages)
{
    const auto texts = allTexts(pages);
    for (int i = 1; i <= 300; ++i)
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "Swimmer" + std::to_string(i) + " Ann"), 1) << i;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const std::string pageLabel = "Page " + std::to_string(p + 1) + " of " + std::to_string(pages.size());
        const auto pageTexts = pages[p].texts();
        EXPECT_EQ(std::count(pageTexts.begin(), pageTexts.end(), "Long Meet"), 1);
        EXPECT_EQ(std::count(pageTexts.begin(), pageTexts.end(), "Lanescope"), 1);
        EXPECT_EQ(std::count(pageTexts.begin(), pageTexts.end(), pageLabel), 1);
        // The text area ends 3 mm above the footer line; a line is 4.3 mm high on A4 with 84 characters.
        constexpr int kLineHeight = 43;
        const auto footer = std::find_if(pages[p].items.begin(), pages[p].items.end(),
                                         [&](const RecordedItem& item) { return item.text == pageLabel; });
        ASSERT_NE(footer, pages[p].items.end());
        for (const RecordedItem& item : pages[p].items) {
            if (item.kind == RecordedItem::Kind::Text &&
                (item.text.starts_with("Swimmer") || item.text.starts_with("Note") ||
                 item.text.ends_with("m:"))) {
                EXPECT_LE(item.y + kLineHeight, footer->y - 30) << item.text;
            }
        }
        // A comment stays on the page of its row.
        for (const std::string& text : pageTexts) {
            if (text.starts_with("Note")) {
                const std::string row = "Swimmer" + text.substr(4) + " Ann";
                EXPECT_EQ(std::count(pageTexts.begin(), pageTexts.end(), row), 1) << text;
            }
        }
    }
}

TEST_F(DruckenTest, LongListBreaksAcrossPagesWithHeadAndFooter)
{
    load(longListMeet(300));
    for (const bool splits : {false, true}) {
        SCOPED_TRACE(splits ? "with splits" : "without splits");
        const auto pages = preview(eventSelection(1, {false, splits}));
        ASSERT_GE(pages.size(), 3u);
        expectCleanPages(pages);
    }
    if (onPath("pdftotext")) {
        const auto pages = preview(eventSelection(1, {false, true}));
        const auto file = pdf(eventSelection(1, {false, true}), "long.pdf");
        const std::string text = commandOutput("pdftotext -layout '" + file.string() + "' -");
        for (std::size_t p = 1; p <= pages.size(); ++p)
            EXPECT_NE(text.find("Page " + std::to_string(p) + " of " + std::to_string(pages.size())),
                      std::string::npos)
                << p;
        EXPECT_EQ(text.find("Page " + std::to_string(pages.size() + 1)), std::string::npos);
    }
}

} // namespace
} // namespace lanescope::report
