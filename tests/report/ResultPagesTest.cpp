#include "ReportMeet.h"
#include "base/Strings.h"
#include "support/TestFiles.h"
#include "report/LanescopeDrucken.h"
#include "report/ResultBook.h"
#include "report/VnxReport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <regex>
#include <set>

namespace lanescope::report {
namespace {

using namespace lanescope::report::testing;

/**
 * A meet with one event of `distance` metres and `swimmers` results, each with a split every `every`
 * metres; every third swimmer's club is a relay team with four legs when `relay` is set.
 */
std::string splitsMeet(int swimmers, int distance, int every, bool relay = false)
{
    std::string text = R"(<?xml version="1.0" encoding="UTF-8"?><LENEX><VERSION>01.03.0007</VERSION>
<COMPETITIONS><COMPETITION><NAME>Pages Meet</NAME><PLACE>Kiel</PLACE><PL>25</PL><PERIODS><PERIOD><NUM>1</NUM>
<DATE>20261017</DATE><EVENTS><EVENT id="1"><NUM>1</NUM><DIS>)" +
                       std::to_string(relay ? distance / 4 : distance) + "</DIS>" +
                       (relay ? "<DISCNT>4</DISCNT>" : "") +
                       R"(<STR>FR</STR><SEX>F</SEX></EVENT></EVENTS></PERIOD></PERIODS><CLUBS><CLUB><NAME>SC</NAME><PERSONS>)";
    const auto splits = [&] {
        std::string out = "<SPLITS>";
        for (int d = every; d <= distance; d += every)
            out += "<SPLIT dis=\"" + std::to_string(d) + "\">V00h" + std::to_string(10 + d / 1000) + ":" +
                   std::to_string(10 + d % 40) + ".00</SPLIT>";
        return out + "</SPLITS>";
    };
    for (int i = 1; i <= swimmers; ++i) {
        text += "<PERSON id=\"" + std::to_string(i) + "\"><NAME>Swimmer" + std::to_string(i) +
                "</NAME><FNAME>Ann</FNAME><YOB>2001</YOB>";
        if (!relay)
            text += "<RESULTS><RESULT><EID>1</EID><RANK>" + std::to_string(i) + "</RANK><TIME>V00h20:00.00</TIME>" +
                    splits() + "</RESULT></RESULTS>";
        text += "</PERSON>";
    }
    text += "</PERSONS>";
    if (relay) {
        text += "<RELAYS>";
        for (int i = 1; i <= swimmers; ++i) {
            text += "<RELAY><NAME>Swimmer" + std::to_string(i) + " Team</NAME><RESULTS><RESULT><EID>1</EID><RANK>" +
                    std::to_string(i) + "</RANK><TIME>V00h20:00.00</TIME>" + splits() + "<POSITIONS>";
            for (int leg = 1; leg <= 4; ++leg)
                text += "<POSITION><NUM>" + std::to_string(leg) + "</NUM><PID>" + std::to_string(i) +
                        "</PID></POSITION>";
            text += "</POSITIONS></RESULT></RESULTS></RELAY>";
        }
        text += "</RELAYS>";
    }
    return text + "</CLUB></CLUBS></COMPETITION></COMPETITIONS></LENEX>";
}

/** The rows of a page's list (from the event heading on, above the footer), each as its texts. */
std::vector<std::vector<std::string>> listRows(const RecordedPage& page)
{
    std::map<int, std::vector<std::string>> rows;
    for (const RecordedItem& item : page.items)
        if (item.kind == RecordedItem::Kind::Text && !item.text.empty())
            rows[item.y].push_back(item.text);
    std::vector<std::vector<std::string>> list;
    bool inList = false;
    for (const auto& [y, texts] : rows) {
        inList = inList || texts.front().starts_with("Event 1");
        if (inList && !texts.front().starts_with("Vornix"))
            list.push_back(texts);
    }
    return list;
}

bool isSplitRow(const std::vector<std::string>& row)
{
    return std::any_of(row.begin(), row.end(), [](const std::string& text) { return text.ends_with("m:"); });
}

bool isNameRow(const std::vector<std::string>& row)
{
    return std::any_of(row.begin(), row.end(), [](const std::string& text) { return text.starts_with("Swimmer"); });
}

/**
 * What every page of a list with splits must hold: the event heading (marked continued after the first
 * page) and the column headings on top; split rows only below a row naming their swimmer; no name row
 * alone at the foot. Gives the number of names repeated as continued.
 */
int expectPagesHoldTogether(const std::vector<RecordedPage>& pages)
{
    int continuedNames = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const auto rows = listRows(pages[p]);
        EXPECT_GE(rows.size(), 3u);
        if (rows.size() < 3)
            continue;
        EXPECT_TRUE(rows[0].front().starts_with("Event 1 - ")) << rows[0].front();
        EXPECT_EQ(rows[0].front().ends_with(" (cont.)"), p > 0) << rows[0].front();
        EXPECT_EQ(rows[1].front(), "Place");
        EXPECT_TRUE(isNameRow(rows[2])) << "page begins with split rows without their swimmer's name";
        if (rows[2].front().ends_with(" (cont.)") || rows[2].back().ends_with(" (cont.)"))
            ++continuedNames;
        // A name row at the foot without a split row is one whose splits went on to the next page.
        const auto& last = rows.back();
        if (isNameRow(last) && !isSplitRow(last) && p + 1 < pages.size()) {
            const auto next = listRows(pages[p + 1]);
            EXPECT_FALSE(next.size() > 2 && next[2].back().ends_with(" (cont.)"))
                << "a name row alone at the foot: " << last.front();
        }
    }
    return continuedNames;
}

class ResultPages : public ReportMeetTest
{
protected:
    std::vector<RecordedPage> preview(int eventNumber)
    {
        PrintSelection selection;
        selection.eventNode = eventNode(eventNumber);
        selection.resultLists = &models.lists;
        selection.events = {false, true};
        TVnxReport engine;
        TLanescopeDrucken report(engine, meet, document);
        report.setSelection(selection);
        RecordingDevice device(254);
        SilentStatus status;
        engine.PrintToPreview(status, device);
        return device.pages();
    }
};

TEST_F(ResultPages, BlocksAtTheFootMoveWhole)
{
    // 400 m with 25 m splits: eight rows a swimmer, so blocks meet every page's foot.
    load(splitsMeet(40, 400, 25));
    const auto pages = preview(1);
    ASSERT_GE(pages.size(), 3u);
    EXPECT_EQ(expectPagesHoldTogether(pages), 0) << "blocks that fit a page are never split";
}

TEST_F(ResultPages, BlockLongerThanAPageGoesOnUnderItsName)
{
    // 5000 m with 25 m splits: a hundred rows, more than a page holds.
    load(splitsMeet(2, 5000, 25));
    const auto pages = preview(1);
    ASSERT_GE(pages.size(), 3u);
    EXPECT_GE(expectPagesHoldTogether(pages), 2);
}

TEST_F(ResultPages, RelayOverABreak)
{
    // 4 x 200 m relays with 25 m splits: 32 rows with the legs' names among them.
    load(splitsMeet(12, 800, 25, true));
    const auto pages = preview(1);
    ASSERT_GE(pages.size(), 3u);
    expectPagesHoldTogether(pages);
}

/** Names in four scripts, decomposed accents (U+0301, U+0308) and a right-to-left override (U+202E). */
std::string scriptsMeet()
{
    struct Swimmer
    {
        const char* name;
        const char* first;
        const char* club;
    };
    const Swimmer swimmers[] = {{"山田", "花子", "東京スイミング"},
                                {"العلي", "فاطمة", "نادي دبي"},
                                {"כהן", "נועה", "מכבי תל אביב"},
                                {"Do\xCC\x88rig\xE2\x80\xAE", "Rene\xCC\x81" "e", "Zürich"}};
    std::string text = R"(<?xml version="1.0" encoding="UTF-8"?><LENEX><VERSION>01.03.0007</VERSION>
<COMPETITIONS><COMPETITION><NAME>Scripts Open</NAME><PLACE>Tokyo</PLACE><PL>50</PL><PERIODS><PERIOD><NUM>1</NUM>
<DATE>20260501</DATE><EVENTS><EVENT id="1"><NUM>1</NUM><DIS>100</DIS><STR>FR</STR><SEX>F</SEX></EVENT></EVENTS>
</PERIOD></PERIODS><CLUBS>)";
    int id = 0;
    for (const Swimmer& swimmer : swimmers) {
        ++id;
        text += std::string("<CLUB><NAME>") + swimmer.club + "</NAME><PERSONS><PERSON id=\"" + std::to_string(id) +
                "\"><NAME>" + swimmer.name + "</NAME><FNAME>" + swimmer.first + "</FNAME><YOB>2004</YOB><RESULTS>"
                "<RESULT><EID>1</EID><RANK>" + std::to_string(id) + "</RANK><TIME>V00h00:5" + std::to_string(id) +
                ".00</TIME></RESULT></RESULTS></PERSON></PERSONS></CLUB>";
    }
    return text + "</CLUBS></COMPETITION></COMPETITIONS></LENEX>";
}

TEST_F(ResultPages, EveryScriptComesBackFromThePdf)
{
    if (!onPath("pdftotext") || !onPath("pdffonts"))
        GTEST_SKIP() << "poppler-utils missing";
    load(scriptsMeet());
    PrintSelection selection;
    selection.eventNode = eventNode(1);
    selection.resultLists = &models.lists;
    TVnxReport engine;
    TLanescopeDrucken report(engine, meet, document);
    report.setSelection(selection);
    engine.PdfFileName = std::filesystem::path(::testing::TempDir()) / "scripts.pdf";
    SilentStatus status;
    ASSERT_TRUE(engine.PrintToPdf(status));
    expectQpdfClean(engine.PdfFileName);
    // Bidi marks that a viewer adds around right-to-left words are no part of the names.
    std::string text = commandOutput("pdftotext '" + engine.PdfFileName.string() + "' -");
    for (const char* mark : {"\u202B", "\u202A", "\u202C", "\u200F", "\u200E"})
        text = base::replaceAll(text, mark, "");
    // Every name in logical order; the decomposed accents come back composed, the override is gone.
    for (const char* name : {"山田 花子", "東京スイミング", "العلي فاطمة", "نادي دبي", "כהן נועה", "מכבי תל אביב",
                             "Dörig Renée"})
        EXPECT_NE(text.find(name), std::string::npos) << name << " not in\n" << text;
    EXPECT_EQ(text.find("\u202E"), std::string::npos);
    const std::string fonts = commandOutput("pdffonts '" + engine.PdfFileName.string() + "'");
    if (!commandOutput("fc-list :lang=ja").empty()) {
        EXPECT_NE(fonts.find("CJK"), std::string::npos) << fonts;
    }
}

TEST_F(ResultPages, BookHasContentsOutlineAndEveryList)
{
    load(R"(<?xml version="1.0" encoding="UTF-8"?><LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS>
<COMPETITION><NAME>Book Meet</NAME><PLACE>Kiel</PLACE><PL>25</PL><PERIODS>
<PERIOD><NUM>1</NUM><DATE>20261017</DATE><EVENTS>
<EVENT id="1"><NUM>1</NUM><DIS>100</DIS><STR>FR</STR><SEX>F</SEX><CATS><CAT id="1"><MIN>2000</MIN><MAX>2005</MAX>
</CAT><CAT id="2"><MIN>2006</MIN><MAX>2010</MAX></CAT></CATS></EVENT>
<EVENT id="2"><NUM>2</NUM><DIS>50</DIS><STR>BK</STR><SEX>F</SEX></EVENT></EVENTS></PERIOD>
<PERIOD><NUM>2</NUM><DATE>20261018</DATE><EVENTS>
<EVENT id="3"><NUM>3</NUM><DIS>200</DIS><STR>BR</STR><SEX>F</SEX></EVENT>
<EVENT id="4"><NUM>4</NUM><DIS>400</DIS><STR>FR</STR><SEX>F</SEX></EVENT></EVENTS></PERIOD></PERIODS>
<CLUBS><CLUB><NAME>SC</NAME><PERSONS>
<PERSON id="1"><NAME>Alpha</NAME><FNAME>A</FNAME><YOB>2003</YOB><RESULTS>
<RESULT><EID>1</EID><CID>1</CID><RANK>1</RANK><TIME>V00h01:00.00</TIME></RESULT>
<RESULT><EID>3</EID><RANK>1</RANK><TIME>V00h02:40.00</TIME></RESULT></RESULTS>
<ENTRIES><ENTRY><EID>4</EID><TIME>E00h05:00.00</TIME></ENTRY></ENTRIES></PERSON>
<PERSON id="2"><NAME>Bravo</NAME><FNAME>B</FNAME><YOB>2008</YOB><RESULTS>
<RESULT><EID>1</EID><CID>2</CID><RANK>1</RANK><TIME>V00h01:05.00</TIME></RESULT>
<RESULT><EID>2</EID><RANK>1</RANK><TIME>V00h00:35.00</TIME></RESULT></RESULTS></PERSON>
</PERSONS></CLUB></CLUBS></COMPETITION></COMPETITIONS></LENEX>)");
    TVnxReport engine;
    TResultBook book(engine, meet, document, models.events, models.lists, false);
    // Sessions, events and age groups with results; the entries-only event 4 is left out.
    std::vector<std::pair<int, std::string>> contents;
    for (const TResultBook::Entry& entry : book.Contents())
        contents.emplace_back(entry.level, entry.title.substr(0, 7));
    ASSERT_EQ(contents.size(), 7u);
    EXPECT_EQ(contents[0].first, 0);
    EXPECT_EQ(contents[1], (std::pair<int, std::string>{1, "Event 1"}));
    EXPECT_EQ(contents[2].first, 2);
    EXPECT_EQ(contents[3].first, 2);
    EXPECT_EQ(contents[4], (std::pair<int, std::string>{1, "Event 2"}));
    EXPECT_EQ(contents[5].first, 0);
    EXPECT_EQ(contents[6], (std::pair<int, std::string>{1, "Event 3"}));

    engine.PdfFileName = std::filesystem::path(::testing::TempDir()) / "book.pdf";
    SilentStatus status;
    ASSERT_TRUE(engine.PrintToPdf(status));
    expectQpdfClean(engine.PdfFileName);
    const std::string bytes = lanescope::testing::readFile(engine.PdfFileName);
    EXPECT_NE(bytes.find("/Outlines"), std::string::npos);
    EXPECT_NE(bytes.find("/Subtype /Link"), std::string::npos);
    if (onPath("pdftotext")) {
        // The contents give each list's page: session 2 starts on a page of its own after session 1.
        const std::string text = commandOutput("pdftotext -layout '" + engine.PdfFileName.string() + "' -");
        EXPECT_NE(text.find("Contents"), std::string::npos);
        EXPECT_NE(text.find("Result book"), std::string::npos);
        for (const char* name : {"Alpha A", "Bravo B"})
            EXPECT_NE(text.find(name), std::string::npos) << name;
    }

    // The preview counts its pages too: the contents give each session's page (one page each after the
    // title and contents pages).
    RecordingDevice preview;
    engine.PrintToPreview(status, preview);
    ASSERT_EQ(preview.pages().size(), 4u);
    const std::vector<TResultBook::Entry> entries = book.Contents();
    EXPECT_EQ(lineWith(preview.pages()[1], entries[0].title).back(), "3");
    EXPECT_EQ(lineWith(preview.pages()[1], entries[5].title).back(), "4");

    // HTML has no pages: the contents' titles link to anchors at the lists, each link to one target.
    const std::optional<std::string> html = engine.PrintToHtmlText(status);
    ASSERT_TRUE(html);
    std::set<std::string> targets;
    const std::regex target("<a id=\"([^\"]+)\"></a>");
    for (auto it = std::sregex_iterator(html->begin(), html->end(), target); it != std::sregex_iterator(); ++it)
        EXPECT_TRUE(targets.insert((*it)[1]).second) << (*it)[1];
    std::vector<std::string> links;
    const std::regex link("<a href=\"#([^\"]+)\">");
    for (auto it = std::sregex_iterator(html->begin(), html->end(), link); it != std::sregex_iterator(); ++it)
        links.push_back((*it)[1]);
    EXPECT_EQ(links.size(), entries.size());
    for (const std::string& anchor : links)
        EXPECT_TRUE(targets.contains(anchor)) << anchor;
}

TEST_F(ResultPages, BookIsInThePrintLanguage)
{
    load(R"(<?xml version="1.0" encoding="UTF-8"?><LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS>
<COMPETITION><NAME>Book Meet</NAME><PERIODS><PERIOD><NUM>1</NUM><DATE>20261017</DATE><EVENTS>
<EVENT id="2"><NUM>2</NUM><DIS>50</DIS><STR>BK</STR><SEX>F</SEX></EVENT></EVENTS></PERIOD></PERIODS>
<CLUBS><CLUB><NAME>SC</NAME><PERSONS><PERSON id="2"><NAME>Bravo</NAME><FNAME>B</FNAME><YOB>2008</YOB><RESULTS>
<RESULT><EID>2</EID><RANK>1</RANK><TIME>V00h00:35.00</TIME></RESULT></RESULTS></PERSON>
</PERSONS></CLUB></CLUBS></COMPETITION></COMPETITIONS></LENEX>)");
    // The shown tree is in the screen language; the book's contents and headings follow the print language.
    TVnxReport::setPrintLanguageHooks(
        [] {
            base::setLanguageTextSource([](char section, int number, int item) {
                return section == 'S' && number == 18 ? std::string("Bewerb ") : reportText(section, number, item);
            });
        },
        [] { base::setLanguageTextSource(reportText); });
    TVnxReport engine;
    TResultBook book(engine, meet, document, models.events, models.lists, false);
    RecordingDevice preview;
    SilentStatus status;
    engine.PrintToPreview(status, preview);
    TVnxReport::setPrintLanguageHooks({}, {});
    const auto texts = allTexts(preview.pages());
    EXPECT_TRUE(std::none_of(texts.begin(), texts.end(),
                             [](const std::string& text) { return text.starts_with("Event 2"); }));
    EXPECT_GE(std::count_if(texts.begin(), texts.end(),
                            [](const std::string& text) { return text.starts_with("Bewerb 2"); }),
              2) << "in the contents and above the list";
}

} // namespace
} // namespace lanescope::report
