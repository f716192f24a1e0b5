#pragma once

#include "base/DateTime.h"
#include "report/RecordingDevice.h"
#include "report/ReportCanvas.h"
#include "report/VnxDocument.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

/**
 * The running half of the report engine: owns the page setup, runs a report for one output (printer,
 * preview, test page, HTML or PDF), keeps the write position and counts pages and copies. A report is
 * a set of event handlers that place texts into the columns of the current line and advance lines.
 *
 * Units: x in thousandths of the current page-column width, y in tenths of a line of the base font;
 * `TextAt`, `LineAt` and `ImageAt` take tenths of a millimetre from the paper's top-left corner.
 */
namespace lanescope::base {
class CustomIniFile;
}

namespace lanescope::report {

class TBSPdf;
class THtmlFile;

/** Bits of the text flags passed with every text. */
namespace reportflag {
constexpr int left = 1;
constexpr int right = 2;
constexpr int centre = 4;
constexpr int bold = 8;
constexpr int italic = 16;
constexpr int underline = 32;
constexpr int rotated = 64;
/** The text may run over the columns to its right (a comment line of its own); cut at the line's end. */
constexpr int toLineEnd = 128;
} // namespace reportflag

enum class TPrnDlgOption
{
    pdCanPreview,
    pdCanHTML,
    pdCanTestPage,
};

enum class OutputKind
{
    None,
    Printer,
    Preview,
    Html,
    TestPage,
    Pdf,
};

enum class FontPitch
{
    Variable,
    Fixed,
};

class TVnxReport;
using TReportEvent = std::function<void(TVnxReport&)>;

class TVnxReport
{
public:
    TVnxReport();
    ~TVnxReport();
    TVnxReport(const TVnxReport&) = delete;
    TVnxReport& operator=(const TVnxReport&) = delete;

    TVnxDocument& Document() { return FDocument; }
    const TVnxDocument& Document() const { return FDocument; }

    bool HasOption(TPrnDlgOption option) const;
    /** Setting `pdCanTestPage` removes `pdCanHTML`. */
    void SetOptions(std::initializer_list<TPrnDlgOption> options);

    TReportEvent OnInitReport;
    TReportEvent OnOneExemplar;
    TReportEvent OnAllExemplare;
    TReportEvent OnStartPage;
    TReportEvent OnPageHead;
    TReportEvent OnEndPage;

    /** Caption of the form that owns the report (part of the printer job title). */
    std::string OwnerCaption;
    int Copies = 1;
    bool TestPage = false;
    std::filesystem::path HtmlFileName;
    /** An HTML template given as text; when set, it takes the place of the document's template file. */
    std::string HtmlTemplateText;
    std::filesystem::path PdfFileName;

    // Output entry points. The status shows progress and is polled for an abort.
    void PrintToPrinter(ReportStatus& status, ReportDevice& printer);
    void PrintToPreview(ReportStatus& status, ReportDevice& preview);
    /** False when the file could not be written. */
    bool PrintToHtml(ReportStatus& status);
    /** The HTML page as text instead of a file; nothing when the run failed. */
    std::optional<std::string> PrintToHtmlText(ReportStatus& status);
    /** False when the file could not be written, the run failed or the user aborted it (no file then). */
    bool PrintToPdf(ReportStatus& status);

    // Operations used by reports while they run. Drawing before a page is open starts one with its head.
    /**
     * Column -1 is the first column right of the write position; a column that does not exist prints
     * nothing. A text wider than its column is cut to it, with "..." where that fits, so it never
     * overprints its neighbours. A left-aligned text may use the filler column after it; the last
     * column of the page (and a text flagged `toLineEnd`) may run to 5 mm before the paper's edge.
     * In HTML output a link makes the text point to that address; other outputs ignore it.
     */
    void PrintCell(int column, const std::string& text, int flags, const std::string& htmlLink = {});
    /** Checks for a page break with one line, prints text i into column i (empty ones skipped), advances. */
    void PrintRow(const std::vector<std::string>& texts, int flags);
    void AdvanceLines(int tenths);
    bool CheckPageBreak(int tenths);
    /**
     * Marks the current line as the place `anchor` names: an outline entry (level 0 at the top) in PDF
     * output, the target of "#anchor" links in HTML output, and the page number `AnchorPage` gives in the
     * real run of a page output.
     */
    void Bookmark(int level, const std::string& title, const std::string& anchor);
    /** The page of the anchor in the counting pass of a page output; 0 when unknown. */
    int AnchorPage(const std::string& anchor) const;
    /** Makes the current line a link to the anchor (PDF output). */
    void LinkLine(const std::string& anchor);
    /** Tenths of a line left on the current page column above the footer. */
    int LinesLeft();
    /** Tenths of a line a fresh page column holds below its head lines. */
    int LinesPerPage();
    void NewPage();
    /** Thickness as `LineAt`; -1 draws a double rule. */
    void PrintRule(int thickness);
    void RuleWithSpace(int above, int below);
    void SetColumns(const std::string& specification);
    std::string GetColumns() const;
    void SetPitch(FontPitch pitch);
    void SetFontName(const std::string& name);
    void SetFontSizePercent(int percent);
    int FontSizePercent() const;
    void TextAt(int x, int y, int flags, const std::string& text);
    void LineAt(int x1, int y1, int thickness, int y2, int x2);
    void ImageAt(int x, int y, const ReportPicture& picture, int alignment, int scale);
    /**
     * Draws a recorded drawing (recorded at dpi) at the write position's line, left at the page column's
     * edge, and moves the write position below it: replayed on printer and preview pages, as vector paths
     * and texts in PDF, inline SVG in HTML. The caller checks for a page break with `DrawingLines` first.
     */
    void PrintDrawing(const RecordedPage& drawing, int dpi);
    /** Tenths of a line that the drawing takes up. */
    int DrawingLines(const RecordedPage& drawing, int dpi) const;
    /** Width of a page column in tenths of a millimetre. */
    int ColumnWidthMm() const;
    int TextWidthMm(const std::string& text);
    /** The text cut (as `PrintCell` cuts) to a width in tenths of a millimetre in the current font. */
    std::string FitTextMm(const std::string& text, int flags, int width);
    void HtmlRaw(const std::string& text);
    void HtmlNewLine();
    void HtmlFlushRow();
    /**
     * Starts a page (images, footers) without the head; the branded head calls it itself. Called again
     * on a page column that has started already, it leaves out the images and footers drawn before.
     */
    void StartPage();
    /** Stores the page number and starts the page with the head lines and `OnPageHead`. */
    void PageHead(int pageNumber);
    /** Ends the current page column, or the whole page when forced; true when the page ended. */
    bool EndColumn(bool force);

    /** The settings file the printer output saves the page setup to (not owned; none: not saved). */
    base::CustomIniFile* Settings = nullptr;
    /** The language layer's switch to the print language and back, around every run. */
    static void setPrintLanguageHooks(std::function<void()> begin, std::function<void()> end);
    /** Fixes the clock for "@DATE@" and "@TIME@" and the HTML date; use only in test suites. */
    void setFixedNow(base::TDateTime now) { FFixedNow = now; }

    OutputKind Output() const { return FOutput; }
    int PageNumber() const { return FPageNumber; }
    /**
     * The number of pages of the run, for "Page N of M": every page output (printer, preview, test page,
     * PDF) counts them in a first pass that draws nothing; 0 while counting and in HTML output.
     */
    int TotalPages() const { return FTotalPages; }
    void SetPageNumber(int number) { FPageNumber = number; }
    int PageColumnIndex() const { return FPageColumn; }
    int CopyIndex() const { return FCopyIndex; }
    int X() const { return FX; }
    int Y() const { return FY; }
    /** The "@TIME@" text of the running report. */
    const std::string& StartTimeText() const { return FStartTime; }
    /** The HTML writer of a running HTML output (for tests), else null. */
    THtmlFile* HtmlWriter() { return FHtml.get(); }

    /**
     * Switches the texts to the print language for its lifetime, also when the code inside throws. Every
     * run holds one; work that writes report texts outside a run (a website's index) holds one around it.
     * Scopes nest: only the outermost switches.
     */
    class PrintLanguageScope
    {
    public:
        PrintLanguageScope();
        ~PrintLanguageScope();
        PrintLanguageScope(const PrintLanguageScope&) = delete;
        PrintLanguageScope& operator=(const PrintLanguageScope&) = delete;
    };

private:
    base::TDateTime now() const;
    void Run(ReportStatus& status, OutputKind kind, ReportDevice* device);
    /**
     * Runs the report once into a device that draws nothing, at the resolution given, and keeps the number
     * of pages and the page of every anchor for the real run; starts the real run at the same page number.
     */
    void CountPages(ReportStatus& status, int dpi);
    /** Forgets what `CountPages` learnt, at the end of a run. */
    void ForgetCount();
    /** Runs the report into a new HTML writer and hands it to finish; false when either fails. */
    bool RunHtml(ReportStatus& status, const std::function<bool(THtmlFile&)>& finish);
    void ResetRun();
    bool HasCanvasOutput() const;
    bool DrawsPages() const;
    void EnsurePage();
    void OpenPageSurface();
    void DrawPageImages();
    void PrintFooters();
    std::string ReplaceFieldCodes(const std::string& line) const;
    int ColumnXmm(int x) const;
    int RowYmm(int y) const;
    int DeviceX(int mm) const;
    int DeviceY(int mm) const;
    std::string CurrentFontName() const;
    /** Draws at device coordinates and gives the width the write position moves by, in device units. */
    int OutputText(int x, int y, int flags, const std::string& text);
    /** Width of the text in device units in the font that `OutputText` would set for the flags. */
    int MeasureText(int flags, const std::string& text);
    /** The text cut to the width in device units, ending in "..." where that fits. */
    std::string FitText(const std::string& text, int flags, int width);
    /** The room of a text in the column, in device units (see `PrintCell`). */
    int CellRoom(int column, int flags) const;
    void DrawRule(int y, int thickness);
    void WriteHtmlFooters();

    TVnxDocument FDocument;
    unsigned FOptions = 0;
    OutputKind FOutput = OutputKind::None;
    ReportDevice* FDevice = nullptr;
    ReportCanvas* FCanvas = nullptr;
    std::unique_ptr<TBSPdf> FPdf;
    std::unique_ptr<THtmlFile> FHtml;
    ReportStatus* FStatus = nullptr;
    FontPitch FPitch = FontPitch::Variable;
    std::string FFontName;
    int FDefaultPercent = 100;
    int FPercent = 100;
    int FFontSize = 100;
    bool FColumnStarted = false;
    bool FPageOpen = false;
    int FDpiX = 72;
    int FDpiY = 72;
    int FOffsetX = 0;
    int FOffsetY = 0;
    int FPageColumn = 0;
    int FCopyIndex = 0;
    int FPageNumber = 1;
    int FTotalPages = 0;
    std::map<std::string, int> FAnchorPages;
    std::map<std::string, int> FCountedAnchorPages;
    int FHeaderHeight = 0;
    int FX = 0;
    int FY = 0;
    std::string FStartTime;
    base::TDateTime FFixedNow = 0;
    /** Page images of this run that could not be read (each is reported once). */
    std::set<std::string> FUnreadableImages;
};

} // namespace lanescope::report
