#include "report/VnxReport.h"

#include "base/FormatSettings.h"
#include "base/ProductVersion.h"
#include "report/EngineTexts.h"
#include "report/MulDiv.h"
#include "report/RecordingDevice.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace lanescope::report {
namespace {

namespace fs = std::filesystem;

constexpr int kDpi = 300;

/** A status that keeps its lines and can abort after a number of completed copies. */
class RecordingStatus : public ReportStatus
{
public:
    void setLine(int index, const std::string& text) override
    {
        lines.push_back(std::to_string(index) + ":" + text);
    }
    void warning(const std::string& text) override { warnings.push_back(text); }
    bool aborted() override { return FAborted; }
    void setAborted() override { FAborted = true; }

    std::vector<std::string> lines;
    std::vector<std::string> warnings;

private:
    bool FAborted = false;
};

std::string readFile(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

const RecordedItem* findText(const RecordedPage& page, const std::string& text)
{
    for (const RecordedItem& item : page.items)
        if (item.kind == RecordedItem::Kind::Text && item.text == text)
            return &item;
    return nullptr;
}

bool hasText(const RecordedPage& page, const std::string& text) { return findText(page, text) != nullptr; }

/** Runs qpdf's structure check on a written PDF when qpdf is installed. */
void expectValidPdf(const fs::path& file)
{
    EXPECT_EQ(readFile(file).rfind("%PDF-1.2", 0), 0u);
    if (std::system("command -v qpdf >/dev/null 2>&1") != 0)
        return;
    const std::string command = "qpdf --check '" + file.string() + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << "qpdf --check failed on " << file;
}

class EngineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        base::setCurrentFormatSettings(base::TFormatSettings{});
        TVnxDocument::setPrinterQuery([] { return PrinterPaper{true, "Office", 9, Orientation::Portrait}; });
        report = std::make_unique<TVnxReport>();
        report->setFixedNow(base::encodeDate(2026, 3, 14) + base::encodeTime(9, 5));
        folder = fs::path(::testing::TempDir());
    }
    void TearDown() override { TVnxDocument::setPrinterQuery({}); }

    TVnxDocument& document() { return report->Document(); }

    /** Each copy prints the rows "row 1" ... through PrintRow. */
    void printRows(int count)
    {
        report->OnOneExemplar = [count](TVnxReport& r) {
            r.SetColumns("L500;R500");
            for (int row = 1; row <= count; ++row)
                r.PrintRow({"row " + std::to_string(row), std::to_string(row)}, 0);
        };
    }

    /** Device x of a position in thousandths of page column `pageColumn` on the standard portrait page. */
    int deviceX(int x, int pageColumn = 0)
    {
        const int width = document().ColumnWidth();
        return mulDiv(document().LeftMargin + mulDiv(x, width, 1000) +
                          (width + document().ColumnDistance) * pageColumn,
                      kDpi, 254);
    }

    testing::EngineTexts texts;
    std::unique_ptr<TVnxReport> report;
    RecordingStatus status;
    fs::path folder;
};

TEST_F(EngineTest, TextsAlignInTheirColumns)
{
    RecordingDevice preview(kDpi);
    int xAfterRight = -1;
    int xAfterLeft = -1;
    int xAfterNext = -1;
    report->OnOneExemplar = [&](TVnxReport& r) {
        r.SetColumns("L400;R300;C300");
        r.PrintCell(0, "left", 0);
        xAfterLeft = r.X();
        r.PrintCell(1, "12:34.56", 0);
        xAfterRight = r.X();
        r.PrintCell(2, "middle", reportflag::bold);
        r.AdvanceLines(10);
        r.PrintCell(1, "Nr. 17", reportflag::centre);
        r.AdvanceLines(10);
        r.PrintCell(0, "x", 0);
        r.PrintCell(-1, "next", 0);
        xAfterNext = r.X();
        r.PrintCell(7, "no such column", 0);
    };
    report->PrintToPreview(status, preview);
    ASSERT_EQ(preview.pages().size(), 1u);
    const RecordedPage& page = preview.pages()[0];

    const RecordedItem* left = findText(page, "left");
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->x, deviceX(0));
    EXPECT_EQ(xAfterLeft, mulDiv(mulDiv(left->width, 254, kDpi), 1000, document().ColumnWidth()));

    const RecordedItem* right = findText(page, "12:34.56");
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(right->x + right->width, deviceX(700));
    EXPECT_EQ(xAfterRight, 700);

    const RecordedItem* middle = findText(page, "middle");
    ASSERT_NE(middle, nullptr);
    EXPECT_TRUE(middle->bold);
    EXPECT_EQ(middle->x + middle->width / 2, deviceX(850));

    // A centred text in a right-aligned column still ends at the column's right edge.
    const RecordedItem* number = findText(page, "Nr. 17");
    ASSERT_NE(number, nullptr);
    EXPECT_NEAR(number->x + number->width, deviceX(700), 1);
    EXPECT_GT(number->y, right->y);

    // Column -1 takes the first column that starts right of the write position.
    const RecordedItem* next = findText(page, "next");
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->x + next->width, deviceX(700));
    EXPECT_EQ(xAfterNext, 701);
    EXPECT_FALSE(hasText(page, "no such column"));
}

TEST_F(EngineTest, TextsWiderThanTheirColumnAreCut)
{
    RecordingDevice preview(kDpi);
    const std::string club = "Schwimmgemeinschaft Neptun Kiel-Holtenau";
    const std::string remark = "(Fastest heat)  Heat 2, lane 1";
    const std::string comment = "Disqualified: one-hand touch at the turn to breaststroke, 150 m";
    report->OnOneExemplar = [&](TVnxReport& r) {
        r.SetColumns("L100;L150;R100;L150");
        r.PrintCell(0, club, 0);
        r.PrintCell(1, "Kiel", 0);
        r.PrintCell(2, "Ondřej Gemov-Långnamn", reportflag::bold);
        r.PrintCell(3, remark, 0);
        r.AdvanceLines(10);
        r.PrintCell(0, comment, reportflag::italic | reportflag::toLineEnd);
        r.AdvanceLines(10);
        // The layout comes back from its text, as reports restore it after a page head.
        r.SetColumns(r.GetColumns());
        r.PrintCell(3, remark, 0);
    };
    report->PrintToPreview(status, preview);
    ASSERT_EQ(preview.pages().size(), 1u);
    const RecordedPage& page = preview.pages()[0];
    const auto textStarting = [&page](const std::string& start) -> const RecordedItem* {
        for (const RecordedItem& item : page.items)
            if (item.kind == RecordedItem::Kind::Text && item.text.starts_with(start))
                return &item;
        return nullptr;
    };

    // Cut to the column with a blank's room before the next one.
    const RecordedItem* clubItem = textStarting("Sch");
    ASSERT_NE(clubItem, nullptr);
    EXPECT_TRUE(clubItem->text.ends_with("...")) << clubItem->text;
    EXPECT_LT(clubItem->text.size(), club.size());
    EXPECT_LE(clubItem->x + clubItem->width, deviceX(100));
    EXPECT_TRUE(hasText(page, "Kiel"));
    // A right-aligned text is cut so that it starts inside its column; letters stay whole.
    const RecordedItem* name = textStarting("Ond");
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(name->text.ends_with("...")) << name->text;
    EXPECT_GE(name->x, deviceX(250));
    EXPECT_EQ(name->x + name->width, deviceX(350));
    // The column before the filler, a comment line and the restored layout may use the room to the right.
    EXPECT_EQ(std::count_if(page.items.begin(), page.items.end(),
                            [&](const RecordedItem& item) { return item.text == remark; }),
              2);
    EXPECT_GT(findText(page, remark)->x + findText(page, remark)->width, deviceX(500));
    EXPECT_TRUE(hasText(page, comment));
}

TEST_F(EngineTest, TestPageOptionExcludesHtml)
{
    EXPECT_TRUE(report->HasOption(TPrnDlgOption::pdCanPreview));
    EXPECT_TRUE(report->HasOption(TPrnDlgOption::pdCanHTML));
    report->SetOptions({TPrnDlgOption::pdCanHTML, TPrnDlgOption::pdCanTestPage});
    EXPECT_FALSE(report->HasOption(TPrnDlgOption::pdCanHTML));
    EXPECT_FALSE(report->HasOption(TPrnDlgOption::pdCanPreview));
    EXPECT_TRUE(report->HasOption(TPrnDlgOption::pdCanTestPage));
}

TEST_F(EngineTest, LongRunGetsNumberedPagesWithFooters)
{
    RecordingDevice preview(kDpi);
    document().FooterCentreLines = {"- @PAGE@ -"};
    printRows(300);
    report->PrintToPreview(status, preview);

    const std::vector<RecordedPage>& pages = preview.pages();
    ASSERT_GE(pages.size(), 5u);
    const int footerTop =
        mulDiv(document().TopMargin + document().PrintableHeight() - document().FooterHeight(), kDpi, 254);
    int nextRow = 1;
    for (std::size_t index = 0; index < pages.size(); ++index) {
        const RecordedPage& page = pages[index];
        const std::string number = std::to_string(index + 1);
        SCOPED_TRACE("page " + number);
        EXPECT_TRUE(page.complete);
        EXPECT_TRUE(hasText(page, "Page " + number));
        const RecordedItem* footer = findText(page, "- " + number + " -");
        ASSERT_NE(footer, nullptr);
        EXPECT_GE(footer->y, footerTop);
        for (const RecordedItem& item : page.items) {
            if (item.kind != RecordedItem::Kind::Text || item.text.rfind("row ", 0) != 0)
                continue;
            EXPECT_EQ(item.text, "row " + std::to_string(nextRow++));
            EXPECT_LT(item.y + mulDiv(document().LineHeight(), kDpi, 254), footerTop);
        }
    }
    EXPECT_EQ(nextRow, 301);
}

TEST_F(EngineTest, HeadOnColumnNumbersEveryPageColumn)
{
    for (const bool headOnColumn : {true, false}) {
        SCOPED_TRACE(headOnColumn);
        RecordingDevice preview(kDpi);
        document().SetDefaults(1);
        document().HeadOnColumn = headOnColumn;
        report->SetPageNumber(1);
        document().FooterLeftLines = {"p@PAGE@"};
        printRows(80);
        report->PrintToPreview(status, preview);
        ASSERT_EQ(preview.pages().size(), 1u);
        const RecordedPage& page = preview.pages()[0];
        EXPECT_TRUE(hasText(page, "Page 1"));
        EXPECT_TRUE(hasText(page, "p1"));
        EXPECT_EQ(hasText(page, "Page 2"), headOnColumn);
        EXPECT_EQ(hasText(page, "p2"), headOnColumn);
        // Without it, the one head-right line sits at the right edge of the last page column.
        const RecordedItem* head = findText(page, "Page 1");
        ASSERT_NE(head, nullptr);
        EXPECT_EQ(head->x + head->width, headOnColumn ? deviceX(1000, 0) : deviceX(1000, 1));
        const RecordedItem* last = findText(page, "row 80");
        ASSERT_NE(last, nullptr);
        EXPECT_EQ(last->x, deviceX(0, 1));
    }
}

struct CopyCase
{
    const char* name;
    bool deviceCopies;
    bool testPage;
    int runs;
    int deviceCopyCount;
};

constexpr CopyCase kCopies[] = {
    {"PrinterWithoutCopies", false, false, 3, 1},
    {"PrinterMakingCopies", true, false, 1, 3},
    {"TestPageWithoutCopies", false, true, 1, 1},
    {"TestPageMakingCopies", true, true, 1, 3},
};

class EngineCopies : public EngineTest, public ::testing::WithParamInterface<CopyCase>
{
};

TEST_P(EngineCopies, RunsOncePerCopyTheDeviceCannotMake)
{
    RecordingDevice printer(kDpi, GetParam().deviceCopies);
    report->Copies = 3;
    report->TestPage = GetParam().testPage;
    report->OwnerCaption = "Ausdrucken";
    int runs = 0;
    report->OnOneExemplar = [&runs](TVnxReport& r) {
        // The pass that counts the pages runs as a preview.
        if (r.Output() != OutputKind::Preview)
            ++runs;
        r.PrintRow({"copy " + std::to_string(r.CopyIndex() + 1)}, 0);
    };
    report->PrintToPrinter(status, printer);
    EXPECT_EQ(runs, GetParam().runs);
    EXPECT_EQ(printer.pages().size(), static_cast<std::size_t>(GetParam().runs));
    EXPECT_EQ(printer.copies(), GetParam().deviceCopyCount);
    EXPECT_EQ(printer.jobsBegun(), 1);
    EXPECT_EQ(printer.jobsEnded(), 1);
    EXPECT_FALSE(printer.lastJobAborted());
    EXPECT_FALSE(printer.jobRunning());
    EXPECT_EQ(printer.jobTitle(), std::string(base::applicationTitle) + " - Ausdrucken");
    EXPECT_EQ(status.lines.front(), "0:Printing...");
    const std::string lastPage =
        "0:Page 1 (copy " + std::to_string(GetParam().deviceCopies ? 3 : runs) + " of 3)";
    EXPECT_EQ(status.lines.back(), lastPage);
}

INSTANTIATE_TEST_SUITE_P(Examples, EngineCopies, ::testing::ValuesIn(kCopies),
                         [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST_F(EngineTest, UserAbortStopsCopiesAndAbortsTheJob)
{
    RecordingDevice printer(kDpi);
    report->Copies = 3;
    int runs = 0;
    report->OnOneExemplar = [&](TVnxReport& r) {
        r.PrintRow({"x"}, 0);
        if (r.Output() == OutputKind::Preview)
            return; // the pass that counts the pages
        ++runs;
        status.setAborted();
    };
    report->PrintToPrinter(status, printer);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(printer.lastJobAborted());
}

TEST_F(EngineTest, PreviewPagesHaveAFrameAndReplaceEarlierOnes)
{
    RecordingDevice preview(kDpi);
    printRows(100);
    report->PrintToPreview(status, preview);
    ASSERT_EQ(preview.pages().size(), 2u);
    const RecordedPage& page = preview.pages()[0];
    const int width = mulDiv(2100, kDpi, 254);
    const int height = mulDiv(2970, kDpi, 254);
    EXPECT_EQ(page.deviceWidth, width);
    ASSERT_GE(page.items.size(), 3u);
    EXPECT_EQ(page.items[0].kind, RecordedItem::Kind::Rectangle);
    EXPECT_EQ(page.items[0].x2, width);
    EXPECT_EQ(page.items[0].y2, height);
    EXPECT_EQ(page.items[1].kind, RecordedItem::Kind::Line);
    EXPECT_EQ(page.items[1].penWidth, 3);

    printRows(0);
    report->PrintToPreview(status, preview);
    EXPECT_TRUE(preview.pages().empty());
}

TEST_F(EngineTest, FieldCodesInFootersAndHeads)
{
    RecordingDevice preview(kDpi);
    document().FooterLeftLines = {"@DATE@"};
    document().FooterRightLines = {"@TIME@ p@PAGE@"};
    report->OnInitReport = [](TVnxReport& r) { r.Document().HeadLeftLines = {"List @PAGE@"}; };
    printRows(1);
    report->PrintToPreview(status, preview);
    ASSERT_EQ(preview.pages().size(), 1u);
    const RecordedPage& page = preview.pages()[0];
    EXPECT_TRUE(hasText(page, "Saturday, March 14, 2026"));
    EXPECT_TRUE(hasText(page, "9:05 AM p1"));
    EXPECT_TRUE(hasText(page, "List 1"));
    EXPECT_EQ(report->StartTimeText(), "9:05 AM");
}

TEST_F(EngineTest, LinesRulesAndFontSizes)
{
    RecordingDevice printer(kDpi);
    printer.OffsetX = 20;
    printer.OffsetY = 10;
    std::vector<int> ys;
    report->OnOneExemplar = [&ys](TVnxReport& r) {
        ys.clear(); // the positions of the real run, after the pass that counts the pages
        r.PageHead(1);
        ys.push_back(r.Y());
        r.SetFontSizePercent(150);
        r.AdvanceLines(10);
        ys.push_back(r.Y());
        r.PrintRule(-1);
        ys.push_back(r.Y());
        r.SetFontSizePercent(100);
        r.RuleWithSpace(5, 10);
        ys.push_back(r.Y());
        r.LineAt(100, 200, 5, 300, 400);
    };
    report->PrintToPrinter(status, printer);
    const int head = 25; // one head line: (10 + 15) tenths
    EXPECT_EQ(ys, (std::vector<int>{head, head + 15, head + 19, head + 19 + 5 + 2 + 10}));
    std::vector<RecordedItem> lines;
    for (const RecordedItem& item : printer.pages().at(0).items)
        if (item.kind == RecordedItem::Kind::Line)
            lines.push_back(item);
    ASSERT_EQ(lines.size(), 4u);
    // The double rule: thickness 3 is 3 × 48 ÷ 50 = 3 tenths of a millimetre, two lines 2 tenths of a line
    // apart.
    EXPECT_EQ(lines[0].penWidth, mulDiv(3, kDpi, 254));
    EXPECT_EQ(lines[0].x, deviceX(0) - 20);
    EXPECT_EQ(lines[0].x2, deviceX(1000) - 20);
    EXPECT_EQ(lines[1].y - lines[0].y, mulDiv(100 + mulDiv(head + 18, 48, 10), kDpi, 254) -
                                           mulDiv(100 + mulDiv(head + 16, 48, 10), kDpi, 254));
    const RecordedItem& free = lines[3];
    EXPECT_EQ(free.x, mulDiv(100, kDpi, 254) - 20);
    EXPECT_EQ(free.y, mulDiv(200, kDpi, 254) - 10);
    EXPECT_EQ(free.x2, mulDiv(400, kDpi, 254) - 20);
    EXPECT_EQ(free.y2, mulDiv(300, kDpi, 254) - 10);
    EXPECT_EQ(free.penWidth, mulDiv(5, kDpi, 254));
}

TEST_F(EngineTest, PageBreakLeavesRoomForTheFooters)
{
    RecordingDevice preview(kDpi);
    document().FooterLeftLines = {"foot"};
    std::vector<bool> breaks;
    report->OnOneExemplar = [&breaks](TVnxReport& r) {
        breaks.clear(); // the breaks of the real run, after the pass that counts the pages
        r.PageHead(1);
        // Text area 2770 - footer 86 = 2684 tenths of a millimetre, 48 per line: y + n up to 559 fits.
        r.AdvanceLines(549 - r.Y());
        breaks.push_back(r.CheckPageBreak(10));
        r.AdvanceLines(1);
        breaks.push_back(r.CheckPageBreak(10));
        breaks.push_back(r.CheckPageBreak(10));
    };
    report->PrintToPreview(status, preview);
    EXPECT_EQ(breaks, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(preview.pages().size(), 2u);
}

void writeBmp(const fs::path& file)
{
    // 2 × 2 pixels, 24 bits, rows padded to 8 bytes, bottom row first.
    const unsigned char bytes[] = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                                    // file header
        40,  0,   0,  0, 2, 0, 0, 0, 2, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0,   0, 16,  0, 0, 0, // info header
        0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 255, 0, 255, 0, 0, 0,
        255, 0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,   0, 0,   0, 0, 0,
    };
    std::ofstream stream(file, std::ios::binary);
    stream.write(reinterpret_cast<const char*>(bytes), 70);
}

TEST_F(EngineTest, PageImagesAreDrawnOnEveryPage)
{
    const fs::path image = folder / "mark.bmp";
    writeBmp(image);
    document().ImageEntries = {"10;20;100;1;" + image.string(),
                               "5;5;100;0;" + (folder / "missing.bmp").string(), "1;1;100;0;"};
    RecordingDevice preview(kDpi);
    printRows(100);
    report->PrintToPreview(status, preview);
    ASSERT_EQ(preview.pages().size(), 2u);
    for (const RecordedPage& page : preview.pages()) {
        const auto pictures =
            std::count_if(page.items.begin(), page.items.end(),
                          [](const RecordedItem& item) { return item.kind == RecordedItem::Kind::Picture; });
        ASSERT_EQ(pictures, 1);
        const auto picture = std::find_if(page.items.begin(), page.items.end(), [](const RecordedItem& item) {
            return item.kind == RecordedItem::Kind::Picture;
        });
        // 100 % shows 100 picture pixels per inch; alignment 1 puts the right edge at 10 mm.
        EXPECT_EQ(picture->x2, mulDiv(100, kDpi, 254));
        EXPECT_EQ(picture->x, picture->x2 - 6);
        EXPECT_EQ(picture->y, mulDiv(200, kDpi, 254));
        EXPECT_EQ(picture->y2, picture->y + 6);
    }
    // The picture that cannot be read is named once, not on every page.
    ASSERT_EQ(status.warnings.size(), 1u);
    EXPECT_NE(status.warnings[0].find("missing.bmp\" cannot be read"), std::string::npos)
        << status.warnings[0];
}

TEST_F(EngineTest, PrintLanguageIsActiveDuringTheRun)
{
    std::vector<std::string> calls;
    TVnxReport::setPrintLanguageHooks([&calls] { calls.push_back("begin"); },
                                      [&calls] { calls.push_back("end"); });
    report->OnInitReport = [&calls](TVnxReport&) { calls.push_back("init"); };
    RecordingDevice preview(kDpi);
    report->PrintToPreview(status, preview);
    TVnxReport::setPrintLanguageHooks({}, {});
    // One switch around the pass that counts the pages and the real run.
    EXPECT_EQ(calls, (std::vector<std::string>{"begin", "init", "init", "end"}));
}

TEST_F(EngineTest, PdfOutputWritesAValidFile)
{
    report->PdfFileName = folder / "report.pdf";
    document().FooterCentreLines = {"@PAGE@"};
    printRows(120);
    report->OnInitReport = [](TVnxReport& r) { r.Document().HeadLeftLines = {"Übersicht"}; };
    ASSERT_TRUE(report->PrintToPdf(status));
    EXPECT_EQ(status.lines.front(), "0:Write PDF file: report.pdf");
    EXPECT_EQ(status.lines.back(), "0:Page 3 (copy 1 of 1)");
    const std::string content = readFile(report->PdfFileName);
    EXPECT_NE(content.find(std::string("/Creator (") + base::productName + " " + base::versionText + ")"),
              std::string::npos);
    expectValidPdf(report->PdfFileName);
}

TEST_F(EngineTest, PdfOutputPrintsJpegAndPngPageImages)
{
    const fs::path images = fs::path(LANESCOPE_TEST_DATA_DIR) / "report" / "images";
    document().ImageEntries = {"10;10;400;0;" + (images / "logo-rgb.jpg").string(),
                               "40;10;2000;0;" + (images / "rgba.png").string()};
    report->PdfFileName = folder / "page-images.pdf";
    printRows(80);
    ASSERT_TRUE(report->PrintToPdf(status));
    EXPECT_TRUE(status.warnings.empty());
    const std::string content = readFile(report->PdfFileName);
    // Two image objects shared by the pages: the JPEG as it is, the PNG as RGB samples.
    std::size_t count = 0;
    for (std::size_t at = content.find("/Subtype /Image"); at != std::string::npos;
         at = content.find("/Subtype /Image", at + 1))
        ++count;
    EXPECT_EQ(count, 2u);
    EXPECT_NE(
        content.find("/Width 16 /Height 8 /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /DCTDecode"),
        std::string::npos);
    EXPECT_NE(
        content.find("/Width 3 /Height 2 /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode"),
        std::string::npos);
    expectValidPdf(report->PdfFileName);
}

TEST_F(EngineTest, PdfOutputReportsFailures)
{
    printRows(3);
    report->PdfFileName = folder / "no" / "folder" / "report.pdf";
    EXPECT_FALSE(report->PrintToPdf(status));

    report->PdfFileName = folder / "aborted.pdf";
    report->OnOneExemplar = [this](TVnxReport& r) {
        r.PrintRow({"x"}, 0);
        status.setAborted();
    };
    EXPECT_FALSE(report->PrintToPdf(status));
    EXPECT_FALSE(fs::exists(report->PdfFileName));
}

TEST_F(EngineTest, HtmlOutputAddsFootersAndTitle)
{
    report->HtmlFileName = folder / "list.html";
    document().FooterLeftLines = {"left"};
    document().FooterRightLines = {"", "p@PAGE@"};
    report->OnInitReport = [](TVnxReport& r) { r.Document().HeadLeftLines = {"Results Zürich"}; };
    report->OnOneExemplar = [](TVnxReport& r) {
        r.SetColumns("L500;R500");
        r.PrintRow({"a", "1"}, 0);
        r.CheckPageBreak(10000);
        r.PrintRow({"b", "2"}, 0);
        r.HtmlFlushRow();
    };
    ASSERT_TRUE(report->PrintToHtml(status));
    EXPECT_EQ(status.lines.front(), "0:Writing HTML file list.html");
    const std::string page = readFile(report->HtmlFileName);
    EXPECT_NE(page.find("<td width=50%>a<br>b</td><td align=right width=50%>1<br>2</td>"), std::string::npos);
    EXPECT_NE(page.find("<hr noshade"), std::string::npos);
    EXPECT_NE(
        page.find("<td width=33%>left<br><br></td><td width=33%></td><td align=right width=33%><br>p1</td>"),
        std::string::npos);
    EXPECT_NE(page.find("<title>\r\nResults Z&uuml;rich\r\n</title>"), std::string::npos);

    report->HtmlFileName = folder / "missing" / "list.html";
    EXPECT_FALSE(report->PrintToHtml(status));
}

} // namespace
} // namespace lanescope::report
