#include "library/LibraryReport.h"

#include "base/LanguageTexts.h"
#include "library/LibraryFixtures.h"
#include "report/RecordingDevice.h"
#include "report/VnxReport.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace lanescope::library {
namespace {

using Cells = std::vector<std::string>;
using report::RecordedItem;
using report::RecordedPage;

// The texts of a page on the line of the first text equal to the given one.
Cells lineWith(const RecordedPage& page, const std::string& text)
{
    const auto anchor = std::find_if(page.items.begin(), page.items.end(), [&](const RecordedItem& item) {
        return item.kind == RecordedItem::Kind::Text && item.text == text;
    });
    Cells line;
    if (anchor == page.items.end())
        return line;
    for (const RecordedItem& item : page.items)
        if (item.kind == RecordedItem::Kind::Text && item.y == anchor->y && !item.text.empty())
            line.push_back(item.text);
    return line;
}

bool holds(const RecordedPage& page, const std::string& text)
{
    const Cells texts = page.texts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The page footer's texts of the engine; the library's own fall back to English by themselves.
class LibraryReport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        base::setLanguageTextSource([](char section, int number, int) -> std::string {
            if (section == 'G' && number == 55)
                return "Page ";
            return section == 'V' && number == 140 ? "Page %d of %d" : "";
        });
    }
    void TearDown() override { base::setLanguageTextSource({}); }
};

std::vector<RecordedPage> preview(LibraryList list, const LibraryTable& table)
{
    report::TVnxReport engine;
    TLibraryReport content(engine, list, table);
    report::RecordingDevice device(254);
    report::SilentStatus status;
    engine.PrintToPreview(status, device);
    return device.pages();
}

BestListRow bestListRow(const std::string& event, int rank, const std::string& last, int born,
                        std::int32_t timeMs, const std::string& meet)
{
    BestListRow row;
    row.event = event;
    row.course = kCourseSCM;
    row.rank = rank;
    row.athlete.lastName = last;
    row.athlete.firstName = "Lena";
    row.athlete.birthYear = born;
    row.club = "SV Nord";
    row.timeMs = timeMs;
    row.date = "2024-03-02";
    row.meet = meet;
    return row;
}

TEST_F(LibraryReport, BestListPrintsAHeadingPerEventAndNumberedPlaces)
{
    const LibraryTable table = bestListTable(
        "Club best list, Nord", {bestListRow("100m Freestyle", 1, "Weit", 2010, 64000, "June Meet"),
                                 bestListRow("100m Freestyle", 2, "Kurz", 2010, 65000, "March Meet"),
                                 bestListRow("100m Breaststroke", 1, "Kurz", 2010, 91000, "March")});
    const auto pages = preview(LibraryList::BestList, table);
    ASSERT_EQ(pages.size(), 1u);
    const RecordedPage& page = pages[0];
    // The head names the list where a result list names its meet; the footer is the result lists' own.
    EXPECT_TRUE(holds(page, "Club best list, Nord"));
    EXPECT_TRUE(holds(page, "Page 1 of 1"));
    EXPECT_EQ(lineWith(page, "100m Freestyle, SCM"), Cells{"100m Freestyle, SCM"});
    EXPECT_EQ(lineWith(page, "100m Breaststroke, SCM"), Cells{"100m Breaststroke, SCM"});
    EXPECT_EQ(lineWith(page, "Place"), (Cells{"Place", "Athlete", "Club", "Time", "Date", "Meet"}));
    EXPECT_EQ(lineWith(page, "Weit Lena, 2010"),
              (Cells{"1.", "Weit Lena, 2010", "SV Nord", "1:04.00", "2024-03-02", "June Meet"}));
    const Cells texts = page.texts();
    const auto at = [&](const std::string& text) { return std::find(texts.begin(), texts.end(), text); };
    EXPECT_LT(at("2."), at("100m Breaststroke, SCM")) << "each event's rows stay under its heading";
}

// A long history goes on over pages, each with the list's heading marked as continued and the column
// headings; the PDF counts its pages and passes qpdf, the HTML page holds every row as text.
TEST_F(LibraryReport, LongHistoryOverPagesAsPdfAndHtml)
{
    std::vector<SwimRow> swims;
    for (int i = 0; i < 150; ++i) {
        SwimRow swim;
        swim.date = "2024-03-" + std::string(i < 9 ? "0" : "") + std::to_string(i % 28 + 1);
        swim.meet = "Meet <" + std::to_string(i) + ">";
        swim.event = "100m Freestyle";
        swim.style = 100;
        swim.course = kCourseLCM;
        swim.round = "TIM";
        swim.timeMs = 60000 + i;
        swim.place = i + 1;
        swims.push_back(swim);
    }
    const LibraryTable table = historyTable("Kurz Lena, 2010 - SV Nord", swims);
    const auto pages = preview(LibraryList::History, table);
    ASSERT_GE(pages.size(), 3u);
    EXPECT_EQ(lineWith(pages[0], "History"), Cells{"History"});
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(holds(pages[i], "Kurz Lena, 2010 - SV Nord")) << "page " << i + 1;
        EXPECT_EQ(lineWith(pages[i], "Date"),
                  (Cells{"Date", "Meet", "Event", "Course", "Round", "Time", "Place", "Points", "Relay leg"}))
            << "page " << i + 1;
        if (i > 0) {
            EXPECT_TRUE(holds(pages[i], "History (cont.)")) << "page " << i + 1;
        }
    }
    EXPECT_EQ(lineWith(pages[0], "Meet <0>"),
              (Cells{"2024-03-01", "Meet <0>", "100m Freestyle", "LCM", "TIM", "1:00.00", "1"}));

    const auto folder = lanescope::testing::testFolder("library-report");
    report::TVnxReport engine;
    TLibraryReport content(engine, LibraryList::History, table);
    report::SilentStatus status;
    engine.PdfFileName = folder / "history.pdf";
    ASSERT_TRUE(engine.PrintToPdf(status));
    if (std::system("command -v qpdf >/dev/null 2>&1") == 0) {
        EXPECT_EQ(std::system(("qpdf --check '" + engine.PdfFileName.string() + "' >/dev/null 2>&1").c_str()),
                  0);
    }
    if (std::system("command -v pdftotext >/dev/null 2>&1") == 0) {
        const auto text = folder / "history.txt";
        ASSERT_EQ(
            std::system(
                ("pdftotext -layout '" + engine.PdfFileName.string() + "' '" + text.string() + "'").c_str()),
            0);
        const std::string printed = lanescope::testing::readFile(text);
        EXPECT_NE(printed.find("Meet <149>"), std::string::npos);
        EXPECT_NE(printed.find("Page 1 of " + std::to_string(pages.size())), std::string::npos);
    }
    engine.HtmlFileName = folder / "history.html";
    ASSERT_TRUE(engine.PrintToHtml(status));
    const std::string html = lanescope::testing::readFile(engine.HtmlFileName);
    EXPECT_NE(html.find("Meet &lt;149&gt;"), std::string::npos);
    EXPECT_EQ(html.find("Meet <"), std::string::npos) << "texts of files are escaped";
    EXPECT_NE(html.find("Kurz Lena, 2010 - SV Nord"), std::string::npos);
}

TEST_F(LibraryReport, PersonalBestsUnderAHeadingPerCourseAndAnEmptyListSaysWhatItIs)
{
    SwimRow best;
    best.event = "50m Backstroke";
    best.course = kCourseSCM;
    best.timeMs = 58220;
    best.date = "2022-12-03";
    best.meet = "Cup 2022";
    const auto pages = preview(LibraryList::PersonalBests, bestsTable("Kurz Lena", {best}));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(lineWith(pages[0], "SCM"), Cells{"SCM"});
    EXPECT_EQ(lineWith(pages[0], "50m Backstroke"),
              (Cells{"50m Backstroke", "58.22", "2022-12-03", "Cup 2022"}));

    const auto empty = preview(LibraryList::History, historyTable("Kurz Lena", {}));
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(lineWith(empty[0], "History"), Cells{"History"});
}

} // namespace
} // namespace lanescope::library
