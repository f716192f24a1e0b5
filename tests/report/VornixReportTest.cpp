#include "report/VornixReport.h"

#include "base/VnxIniFiles.h"

#include "ReportMeet.h"
#include "base/ProductVersion.h"
#include "report/MakerLogo.h"
#include "report/VnxReport.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lanescope::report {
namespace {

using base::encodeDate;
using namespace lanescope::report::testing;

struct DateRangeCase
{
    const char* name;
    base::DateParts from; // year, month, day; all 0: no date
    base::DateParts to;
    const char* longFormat;
    const char* expected;
};

const DateRangeCase kDateRanges[] = {
    {"OneDay", {2026, 10, 17}, {2026, 10, 17}, "dddd, d. mmmm yyyy", "Saturday, 17. October 2026"},
    {"TwoDaysOneMonth",
     {2026, 10, 17},
     {2026, 10, 18},
     "dddd, d. mmmm yyyy",
     "Saturday, 17. / Sunday, 18. October 2026"},
    {"ThreeDays",
     {2026, 10, 17},
     {2026, 10, 19},
     "dddd, d. mmmm yyyy",
     "Saturday, 17. - Monday, 19. October 2026"},
    {"AcrossMonths",
     {2026, 10, 31},
     {2026, 11, 1},
     "dddd, d. mmmm yyyy",
     "Saturday, 31. October / Sunday, 1. November 2026"},
    {"AcrossYears",
     {2026, 12, 31},
     {2027, 1, 2},
     "dddd, d. mmmm yyyy",
     "Thursday, 31. December 2026 - Saturday, 2. January 2027"},
    // The month and year parts leave separators behind: doubled ones collapse, trailing commas go.
    {"NumericFormat", {2026, 10, 17}, {2026, 10, 18}, "dd/mm/yyyy", "17. / 18.10.2026"},
    {"USFormat",
     {2026, 10, 17},
     {2026, 10, 18},
     "dddd, mmmm d, yyyy",
     "Saturday, 17 / Sunday, October 18, 2026"},
    {"Inverted", {2026, 10, 18}, {2026, 10, 17}, "dddd, d. mmmm yyyy", ""},
    {"NoDate", {}, {}, "dddd, d. mmmm yyyy", ""},
};

class DateRange : public ::testing::TestWithParam<DateRangeCase>
{
};

TEST_P(DateRange, Text)
{
    base::TFormatSettings settings;
    settings.dateSeparator = '.';
    settings.longDateFormat = GetParam().longFormat;
    const auto day = [](const base::DateParts& date) { return encodeDate(date.year, date.month, date.day); };
    EXPECT_EQ(dateRangeText(day(GetParam().from), day(GetParam().to), settings), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Meets, DateRange, ::testing::ValuesIn(kDateRanges),
                         [](const ::testing::TestParamInfo<DateRangeCase>& range) {
                             return std::string(range.param.name);
                         });

TEST(BrandedHeadHtml, TemplateWithWidthNameAndPlace)
{
    const std::string head = brandedHeadHtml(-1, "Autumn Open", "Kiel  (GER)");
    const std::string program = std::string(base::productName) + " " + base::versionText;
    const std::string before =
        "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\" border=\"0\"><tr><td>Autumn Open</td>"
        "<td align=\"right\" rowspan=\"2\"><table width=\"125\" cellspacing=\"0\" cellpadding=\"0\" "
        "border=\"0\"><tr><td style=\"font-family: Arial,Helvetica; font-style:normal; font-size: "
        "10pt;\"><b>Lanescope</b></td><td align=\"center\" rowspan=\"2\"><img border=\"0\" alt=\"\" "
        "src=\"data:image/jpeg;base64,";
    const std::string after =
        "\"></td></tr><tr><td "
        "style=\"font-family: Arial,Helvetica; font-style:normal; font-size: 7pt;\">" + program + "</td></tr>"
        "</table></td></tr><tr><td>Kiel  (GER)</td></tr><tr><td colspan=\"2\"><hr size=\"1\" noshade "
        "color=\"black\"></td></tr></table>";
    ASSERT_TRUE(head.starts_with(before)) << head;
    ASSERT_TRUE(head.ends_with(after)) << head;
    // The logo is the built-in JPEG itself: 4 base64 digits for every 3 bytes, starting with FF D8 FF.
    const std::string logo = head.substr(before.size(), head.size() - before.size() - after.size());
    EXPECT_TRUE(logo.starts_with("/9j/"));
    EXPECT_EQ(logo.size(), (makerLogoJpeg().size() + 2) / 3 * 4);
    EXPECT_TRUE(brandedHeadHtml(600, "A", "B").starts_with("<table width=\"600\" "));
    // No address is made up; a configured one is linked, escaped like every other text.
    EXPECT_EQ(head.find("href"), std::string::npos);
    EXPECT_NE(brandedHeadHtml(-1, "A", "B", "https://club.example/?a=1&b=\"2\"")
                  .find("<a href=\"https://club.example/?a=1&amp;b=&quot;2&quot;\">"),
              std::string::npos);
}

TEST(BrandedHeadHtml, MeetTextsCannotAddMarkup)
{
    const std::string head = brandedHeadHtml(-1, "<script>x</script> & Co", "\"Pool\"");
    EXPECT_NE(head.find("<td>&lt;script&gt;x&lt;/script&gt; &amp; Co</td>"), std::string::npos);
    EXPECT_NE(head.find("<td>&quot;Pool&quot;</td>"), std::string::npos);
    EXPECT_EQ(head.find("<script>"), std::string::npos);
}

TEST(MakerLogo, IsTheBuiltInJpeg)
{
    const ReportPicture& logo = makerLogo();
    EXPECT_EQ(logo.kind, ReportPicture::Kind::Jpeg);
    EXPECT_EQ(logo.width, 65);
    EXPECT_EQ(logo.height, 54);
    EXPECT_EQ(logo.jpegData, std::string(makerLogoJpeg()));
}

/** A report whose body is the head, a few rows and, on request, enough rows for several pages. */
class SampleReport : public TVornixReport
{
public:
    using TVornixReport::TVornixReport;
    int rows = 3;
    std::vector<std::pair<std::string, int>> afterBreak; // columns and percent after each new page

protected:
    void Body() override
    {
        BrandedHead();
        Report().SetColumns("L500;R200");
        Report().SetFontSizePercent(85);
        for (int i = 0; i < rows; ++i) {
            if (CheckPageBreakWithHead(10))
                afterBreak.emplace_back(Report().GetColumns(), Report().FontSizePercent());
            Report().PrintRow({"row " + std::to_string(i + 1), "x"}, 0);
        }
    }
};

constexpr std::string_view kSmallMeet = R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS>
<COMPETITION><NAME>Autumn Open</NAME><PLACE>Lübeck</PLACE><NATION>GER</NATION><PL>25</PL><PM>m</PM>
<PERIODS><PERIOD><NUM>1</NUM><DATE>20261017</DATE></PERIOD><PERIOD><NUM>2</NUM><DATE>20261018</DATE></PERIOD>
</PERIODS></COMPETITION></COMPETITIONS></LENEX>)";

class VornixReportRun : public ReportMeetTest
{
protected:
    void SetUp() override
    {
        ReportMeetTest::SetUp();
        load(kSmallMeet);
    }
};

TEST_F(VornixReportRun, CanvasHeadAndFooterOnEveryPage)
{
    TVnxReport engine;
    SampleReport report(engine, nullptr, meet);
    report.setFixedStartTime(encodeDate(2026, 10, 17) + base::encodeTime(9, 5));
    report.rows = 120;
    EXPECT_EQ(engine.Document().FixCharPerLine, 84);
    RecordingDevice device(254); // one device unit per tenth of a millimetre
    SilentStatus status;
    engine.PrintToPreview(status, device);

    ASSERT_GE(device.pages().size(), 2u);
    const TVnxDocument& setup = engine.Document();
    EXPECT_EQ(setup.TopMargin, 100) << "margins are restored after the run";
    EXPECT_EQ(setup.BottomMargin, 100);
    const int right = setup.PageWidth() - setup.RightMargin;
    const int footerY = setup.PageHeight() - setup.BottomMargin - 50 + 30;
    for (std::size_t p = 0; p < device.pages().size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const RecordedPage& page = device.pages()[p];
        const auto texts = page.texts();
        const std::string program = std::string(base::productName) + " " + base::versionText;
        for (const std::string& expected : {std::string("Autumn Open"), std::string("Lübeck  (GER)"),
                                            std::string(base::productName), program,
                                            std::string("Sat 17 Oct 2026   09:05")})
            EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
        // The head names the meet's days and pool; no web address unless one is configured.
        EXPECT_NE(std::find_if(texts.begin(), texts.end(),
                               [](const std::string& text) { return text.ends_with("25m Pool"); }),
                  texts.end());
        EXPECT_TRUE(std::none_of(texts.begin(), texts.end(),
                                 [](const std::string& text) { return text.find("http") != std::string::npos; }));
        // The footer: the program and its version, the run's start and the page of the pages counted.
        const std::string pageText =
            "Page " + std::to_string(p + 1) + " of " + std::to_string(device.pages().size());
        EXPECT_EQ(lineWith(page, "Sat 17 Oct 2026   09:05"),
                  (std::vector<std::string>{program, "Sat 17 Oct 2026   09:05", pageText}));
        const auto name = std::find_if(page.items.begin(), page.items.end(),
                                       [](const RecordedItem& item) { return item.text == "Autumn Open"; });
        EXPECT_EQ(name->fontSize, 10);
        EXPECT_EQ(name->x, setup.LeftMargin);
        EXPECT_EQ(name->y, setup.TopMargin); // the head sits in the band above the enlarged top margin
        const auto logo = std::find_if(page.items.begin(), page.items.end(), [](const RecordedItem& item) {
            return item.kind == RecordedItem::Kind::Picture;
        });
        ASSERT_NE(logo, page.items.end());
        EXPECT_EQ(logo->x2, right - 20);
        const auto pageLabel =
            std::find_if(page.items.begin(), page.items.end(), [&](const RecordedItem& item) {
                return item.text == pageText;
            });
        EXPECT_EQ(pageLabel->x + pageLabel->width, right);
        EXPECT_EQ(pageLabel->y, footerY);
        EXPECT_EQ(pageLabel->fontSize, 6);
        EXPECT_EQ(pageLabel->fontName, "Arial");
    }
    // The head in between does not change the report's columns or font size.
    ASSERT_FALSE(report.afterBreak.empty());
    for (const auto& [columns, percent] : report.afterBreak) {
        EXPECT_EQ(columns, "L500;R200;L300;");
        EXPECT_EQ(percent, 85);
    }
    const auto texts = allTexts(device.pages());
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "row 120"), 1);
}

TEST_F(VornixReportRun, PrinterCountsThePagesOfOneCopy)
{
    TVnxReport engine;
    SampleReport report(engine, nullptr, meet);
    report.rows = 120;
    engine.Copies = 2;
    RecordingDevice printer(300); // makes no copies itself: the engine prints each one
    SilentStatus status;
    engine.PrintToPrinter(status, printer);
    ASSERT_EQ(printer.pages().size() % 2, 0u);
    const std::size_t perCopy = printer.pages().size() / 2;
    ASSERT_GE(perCopy, 2u);
    for (std::size_t p = 0; p < printer.pages().size(); ++p) {
        const std::string label = "Page " + std::to_string(p % perCopy + 1) + " of " + std::to_string(perCopy);
        const auto texts = printer.pages()[p].texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
    }
}

TEST_F(VornixReportRun, ConfiguredWebAddressPrintsInTheMakerBlock)
{
    TVnxReport engine;
    base::TVnxMemIniFile settings{std::filesystem::path()};
    settings.WriteString("Special", "WebAddress", " https://swim.example/results ");
    engine.Settings = &settings;
    SampleReport report(engine, nullptr, meet);
    RecordingDevice device(254);
    SilentStatus status;
    engine.PrintToPreview(status, device);
    ASSERT_FALSE(device.pages().empty());
    const auto texts = device.pages()[0].texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "https://swim.example/results"), texts.end());
}

TEST_F(VornixReportRun, HtmlHeadIsOneRawLine)
{
    TVnxReport engine;
    SampleReport report(engine, nullptr, meet);
    engine.HtmlFileName = std::filesystem::path(::testing::TempDir()) / "head.html";
    SilentStatus status;
    ASSERT_TRUE(engine.PrintToHtml(status));
    const std::string html = lanescope::testing::readFile(engine.HtmlFileName);
    EXPECT_NE(
        html.find("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\" border=\"0\"><tr><td>Autumn "
                  "Open</td>"),
        std::string::npos);
    EXPECT_NE(html.find("<tr><td>L&uuml;beck&nbsp;&nbsp;(GER)</td></tr>"), std::string::npos);
    EXPECT_EQ(html.find("Page 1"), std::string::npos) << "no page footer in HTML";
}

TEST_F(VornixReportRun, InitCallbackRunsOncePerRun)
{
    TVnxReport engine;
    int calls = 0;
    SampleReport report(
        engine, [&](TVornixReport&) { ++calls; }, meet);
    engine.Document().HeadLeftLines = {"left"};
    RecordingDevice device;
    SilentStatus status;
    engine.PrintToPreview(status, device);
    EXPECT_EQ(calls, 2) << "the pass that counts the pages and the real run";
    EXPECT_TRUE(engine.Document().HeadLeftLines.empty());
    EXPECT_EQ(report.MeetDateText(), dateRangeText(encodeDate(2026, 10, 17), encodeDate(2026, 10, 18)));
}

} // namespace
} // namespace lanescope::report
