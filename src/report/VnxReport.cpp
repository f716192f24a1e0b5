#include "report/VnxReport.h"

#include "base/FormatSettings.h"
#include "base/LanguageTexts.h"
#include "base/ProductVersion.h"
#include "base/Strings.h"
#include "report/BSPdf.h"
#include "report/DrawingPdf.h"
#include "report/DrawingSvg.h"
#include "report/HtmlFile.h"
#include "report/LocalClock.h"
#include "report/MulDiv.h"
#include "report/RecordingDevice.h"
#include "swim/TextFormat.h"

#include <algorithm>
#include <exception>
#include <string_view>
#include <unicode/brkiter.h>
#include <unicode/utext.h>
#include <utility>

namespace lanescope::report {

namespace {

struct PrintLanguageHooks
{
    std::function<void()> begin;
    std::function<void()> end;
};

PrintLanguageHooks& printLanguageHooks()
{
    static PrintLanguageHooks hooks;
    return hooks;
}

/** How many print-language scopes are open: only the outermost one switches. */
int printLanguageDepth = 0;

/**
 * Where the letter groups (user-perceived characters: a letter with its accents, a syllable block) of
 * the UTF-8 text begin; a cut between them never splits a letter from its marks.
 */
std::vector<std::size_t> letterGroupStarts(const std::string& text)
{
    std::vector<std::size_t> starts;
    UErrorCode error = U_ZERO_ERROR;
    UText* utext = utext_openUTF8(nullptr, text.data(), static_cast<std::int64_t>(text.size()), &error);
    icu::BreakIterator* groups = icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), error);
    if (U_SUCCESS(error) && groups != nullptr) {
        groups->setText(utext, error);
        for (std::int32_t at = groups->first(); at != icu::BreakIterator::DONE && U_SUCCESS(error);
             at = groups->next())
            if (static_cast<std::size_t>(at) < text.size())
                starts.push_back(static_cast<std::size_t>(at));
    }
    delete groups;
    utext_close(utext);
    if (starts.empty())
        for (std::size_t i = 0; i < text.size(); ++i)
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
                starts.push_back(i);
    return starts;
}

unsigned optionBit(TPrnDlgOption option) { return 1u << static_cast<unsigned>(option); }

const std::string& lineOrEmpty(const std::vector<std::string>& lines, std::size_t index)
{
    static const std::string empty;
    return index < lines.size() ? lines[index] : empty;
}

} // namespace

TVnxReport::PrintLanguageScope::PrintLanguageScope()
{
    if (printLanguageDepth++ == 0 && printLanguageHooks().begin)
        printLanguageHooks().begin();
}

TVnxReport::PrintLanguageScope::~PrintLanguageScope()
{
    if (--printLanguageDepth == 0 && printLanguageHooks().end)
        printLanguageHooks().end();
}

TVnxReport::TVnxReport() { SetOptions({TPrnDlgOption::pdCanPreview, TPrnDlgOption::pdCanHTML}); }

TVnxReport::~TVnxReport() = default;

void TVnxReport::setPrintLanguageHooks(std::function<void()> begin, std::function<void()> end)
{
    printLanguageHooks() = {std::move(begin), std::move(end)};
}

bool TVnxReport::HasOption(TPrnDlgOption option) const { return (FOptions & optionBit(option)) != 0; }

void TVnxReport::SetOptions(std::initializer_list<TPrnDlgOption> options)
{
    FOptions = 0;
    for (TPrnDlgOption option : options)
        FOptions |= optionBit(option);
    if (HasOption(TPrnDlgOption::pdCanTestPage))
        FOptions &= ~optionBit(TPrnDlgOption::pdCanHTML);
}

base::TDateTime TVnxReport::now() const { return FFixedNow != 0 ? FFixedNow : localNow(); }

bool TVnxReport::HasCanvasOutput() const
{
    return FOutput == OutputKind::Printer || FOutput == OutputKind::Preview ||
           FOutput == OutputKind::TestPage;
}

bool TVnxReport::DrawsPages() const { return HasCanvasOutput() || FOutput == OutputKind::Pdf; }

int TVnxReport::ColumnXmm(int x) const
{
    const int width = FDocument.ColumnWidth();
    return FDocument.LeftMargin + mulDiv(x, width, 1000) + (width + FDocument.ColumnDistance) * FPageColumn;
}

int TVnxReport::RowYmm(int y) const { return FDocument.TopMargin + mulDiv(y, FDocument.LineHeight(), 10); }

int TVnxReport::DeviceX(int mm) const { return mulDiv(mm, FDpiX, 254) - FOffsetX; }

int TVnxReport::DeviceY(int mm) const { return mulDiv(mm, FDpiY, 254) - FOffsetY; }

std::string TVnxReport::CurrentFontName() const
{
    if (!FFontName.empty())
        return FFontName;
    return FPitch == FontPitch::Fixed ? FDocument.FixedFont : FDocument.VariableFont;
}

std::string TVnxReport::ReplaceFieldCodes(const std::string& line) const
{
    std::string text = base::replaceAll(line, "@PAGE@", std::to_string(FPageNumber));
    if (text.find("@DATE@") != std::string::npos)
        text = base::replaceAll(text, "@DATE@",
                                base::formatDateTime(base::currentFormatSettings().longDateFormat, now()));
    return base::replaceAll(text, "@TIME@", FStartTime);
}

int TVnxReport::OutputText(int x, int y, int flags, const std::string& text)
{
    const std::string name = CurrentFontName();
    const int points = FFontSize / 10;
    if (FOutput == OutputKind::Pdf) {
        FPdf->SetFontName(name);
        FPdf->SetFontSize(points);
        FPdf->SetStyle((flags >> 3) & (pdfstyle::bold | pdfstyle::italic | pdfstyle::underline));
        const int width = FPdf->TextWidth(text);
        const int alignment = (flags & reportflag::right) ? 1 : (flags & reportflag::centre) ? 2 : 0;
        FPdf->TextOut(x, y, alignment, text);
        return width;
    }
    if (!FCanvas)
        return 0;
    const bool bold = flags & reportflag::bold;
    const bool italic = flags & reportflag::italic;
    FCanvas->setFont(name, points, bold, italic, false, (flags & reportflag::rotated) ? 900 : 0);
    const int fullWidth = FCanvas->textWidth(text);
    int width = fullWidth;
    if (flags & reportflag::centre) {
        width /= 2;
        x -= width;
    }
    if (flags & reportflag::right) {
        x -= width;
        width = 0;
    }
    FCanvas->drawText(x, y, text);
    if (flags & reportflag::underline) {
        const int height = FCanvas->textHeight(text);
        FCanvas->drawLine(x, y + height, x + fullWidth, y + height, height / 15);
    }
    FCanvas->setFont(name, points, false, false, false, 0);
    return width;
}

int TVnxReport::MeasureText(int flags, const std::string& text)
{
    const std::string name = CurrentFontName();
    const int points = FFontSize / 10;
    if (FOutput == OutputKind::Pdf) {
        FPdf->SetFontName(name);
        FPdf->SetFontSize(points);
        FPdf->SetStyle((flags >> 3) & (pdfstyle::bold | pdfstyle::italic));
        return FPdf->TextWidth(text);
    }
    if (!FCanvas)
        return 0;
    FCanvas->setFont(name, points, flags & reportflag::bold, flags & reportflag::italic, false, 0);
    return FCanvas->textWidth(text);
}

std::string TVnxReport::FitText(const std::string& text, int flags, int width)
{
    // Every text keeps a blank's width from what follows, so it never touches the next column.
    width -= MeasureText(flags, " ");
    if (MeasureText(flags, text) <= width)
        return text;
    // A code in brackets at the end ("(COM)") or a year after a comma (", 05") is kept whole; the text
    // before it gives way.
    std::string tail;
    std::string head = text;
    std::size_t tailStart = std::string::npos;
    if (const std::size_t open = text.rfind(" ("); open != std::string::npos && open > 0 && text.ends_with(")") &&
                                                   text.size() - open <= 12)
        tailStart = open;
    else if (const std::size_t comma = text.rfind(", "); comma != std::string::npos && comma > 0 &&
                                                         text.size() - comma <= 6 &&
                                                         std::all_of(text.begin() + static_cast<std::ptrdiff_t>(comma + 2), text.end(),
                                                                     [](char c) { return c >= '0' && c <= '9'; }))
        tailStart = comma;
    if (tailStart != std::string::npos && MeasureText(flags, text.substr(tailStart)) <= width) {
        tail = text.substr(tailStart);
        head = text.substr(0, tailStart);
    }
    const std::vector<std::size_t> cuts = letterGroupStarts(head);
    const std::string ellipsis = MeasureText(flags, "..." + tail) <= width ? "..." : "";
    const auto shortened = [&](std::size_t index) {
        std::string cut(base::trimRightView(std::string_view(head).substr(0, cuts[index])));
        return cut.empty() ? cut : cut + ellipsis + tail;
    };
    std::size_t low = 0; // shortened(low) always fits: the empty text
    std::size_t high = cuts.size();
    while (high - low > 1) {
        const std::size_t middle = (low + high) / 2;
        if (MeasureText(flags, shortened(middle)) <= width)
            low = middle;
        else
            high = middle;
    }
    return shortened(low);
}

std::string TVnxReport::FitTextMm(const std::string& text, int flags, int width)
{
    if (!DrawsPages())
        return text;
    return FitText(text, flags, DeviceX(width) - DeviceX(0));
}

int TVnxReport::CellRoom(int column, int flags) const
{
    const TColDivList& columns = FDocument.Columns;
    const ColumnDivision& division = columns[column];
    int end = division.start + division.width;
    const bool leftAligned = division.alignment == ColumnAlignment::Left;
    if (leftAligned && column + 1 < columns.Count() && columns.IsFiller(column + 1))
        end = 1000;
    int right = ColumnXmm(end);
    const bool lineEnd = (flags & reportflag::toLineEnd) || end >= 1000;
    if (leftAligned && lineEnd) {
        // Nothing lies right of the page's last column: it may use the margin, but not leave the paper.
        right = FPageColumn + 1 >= FDocument.PageColumns ? std::max(right, FDocument.PageWidth() - 50)
                                                         : ColumnXmm(1000);
    }
    return std::max(DeviceX(right) - DeviceX(ColumnXmm(division.start)), 0);
}

void TVnxReport::DrawRule(int y, int thickness)
{
    const int millimetres = thickness < 0 ? -thickness : mulDiv(thickness, FDocument.LineHeight(), 50);
    const int pen = mulDiv(millimetres, FDpiY, 254);
    const int left = DeviceX(ColumnXmm(0));
    const int right = DeviceX(ColumnXmm(1000));
    const int top = DeviceY(RowYmm(y));
    if (FOutput == OutputKind::Pdf)
        FPdf->DrawLine(left, top, pen, top, right);
    else if (FCanvas)
        FCanvas->drawLine(left, top, right, top, pen);
}

void TVnxReport::EnsurePage()
{
    // A report that prints before it started a page gets one with the head, instead of drawing nowhere.
    if (DrawsPages() && !FPageOpen)
        PageHead(FPageNumber);
}

void TVnxReport::PrintCell(int column, const std::string& text, int flags, const std::string& htmlLink)
{
    if (FOutput == OutputKind::Html) {
        FHtml->AddCell(column, text, flags, htmlLink);
        return;
    }
    if (!DrawsPages())
        return;
    const TColDivList& columns = FDocument.Columns;
    if (column >= columns.Count() || column < -1)
        return;
    EnsurePage();
    if (column >= 0) {
        FDocument.CurrentColumn = column;
    } else {
        const auto& items = columns.Items();
        const auto next = std::find_if(items.begin(), items.end(),
                                       [this](const ColumnDivision& item) { return item.start > FX; });
        FDocument.CurrentColumn =
            next == items.end() ? columns.Count() - 1 : static_cast<int>(next - items.begin());
    }
    const ColumnDivision& division = columns[FDocument.CurrentColumn];
    int x = division.start;
    int alignment = reportflag::left;
    if (division.alignment == ColumnAlignment::Right) {
        x += division.width;
        alignment = reportflag::right;
    } else if (division.alignment == ColumnAlignment::Centre) {
        x += division.width / 2;
        alignment = reportflag::centre;
    }
    if (x >= 0) {
        const std::string shown = (flags & reportflag::rotated)
                                      ? text
                                      : FitText(text, flags, CellRoom(FDocument.CurrentColumn, flags));
        const int width = OutputText(DeviceX(ColumnXmm(x)), DeviceY(RowYmm(FY)), flags | alignment, shown);
        FX = x + mulDiv(mulDiv(width, 254, FDpiX), 1000, FDocument.ColumnWidth());
    }
    if (column == -1)
        ++FX;
}

void TVnxReport::PrintRow(const std::vector<std::string>& texts, int flags)
{
    CheckPageBreak(10);
    for (std::size_t index = 0; index < texts.size(); ++index)
        if (!texts[index].empty())
            PrintCell(static_cast<int>(index), texts[index], flags);
    AdvanceLines(10);
}

void TVnxReport::AdvanceLines(int tenths)
{
    if (FOutput == OutputKind::Html) {
        for (int line = 0; line < tenths / 10; ++line)
            FHtml->NewLine();
        return;
    }
    FY += tenths * FPercent / 100;
    FX = 0;
}

bool TVnxReport::CheckPageBreak(int tenths)
{
    if (FOutput == OutputKind::Html)
        return false;
    if (FDocument.PrintableHeight() - FDocument.FooterHeight() >=
        mulDiv(tenths + FY, FDocument.LineHeight(), 10))
        return false;
    NewPage();
    return true;
}

void TVnxReport::Bookmark(int level, const std::string& title, const std::string& anchor)
{
    FAnchorPages.try_emplace(anchor, FPageNumber);
    if (FOutput == OutputKind::Html)
        FHtml->Anchor(anchor);
    if (FOutput != OutputKind::Pdf)
        return;
    EnsurePage();
    FPdf->AddBookmark(level, title, anchor, DeviceY(RowYmm(FY)));
}

int TVnxReport::AnchorPage(const std::string& anchor) const
{
    const auto found = FCountedAnchorPages.find(anchor);
    return found == FCountedAnchorPages.end() ? 0 : found->second;
}

void TVnxReport::LinkLine(const std::string& anchor)
{
    if (FOutput != OutputKind::Pdf)
        return;
    EnsurePage();
    FPdf->AddLink(DeviceX(ColumnXmm(0)), DeviceY(RowYmm(FY)), DeviceX(ColumnXmm(1000)),
                  DeviceY(RowYmm(FY + 10)), anchor);
}

int TVnxReport::LinesLeft()
{
    const int lineHeight = std::max(FDocument.LineHeight(), 1);
    return (FDocument.PrintableHeight() - FDocument.FooterHeight()) * 10 / lineHeight - FY;
}

int TVnxReport::LinesPerPage()
{
    const int lineHeight = std::max(FDocument.LineHeight(), 1);
    return (FDocument.PrintableHeight() - FDocument.FooterHeight()) * 10 / lineHeight - FHeaderHeight;
}

void TVnxReport::NewPage()
{
    const FontPitch pitch = FPitch;
    const int fontSize = FFontSize;
    const int percent = FPercent;
    if (EndColumn(false) || FDocument.HeadOnColumn)
        ++FPageNumber;
    PageHead(FPageNumber);
    FPitch = pitch;
    SetFontSizePercent(percent);
    FFontSize = fontSize;
}

void TVnxReport::PrintRule(int thickness)
{
    if (FOutput == OutputKind::Html) {
        FHtml->Rule();
        return;
    }
    if (!DrawsPages())
        return;
    EnsurePage();
    FY += 1;
    if (thickness == -1) {
        DrawRule(FY, 3);
        FY += 2;
        thickness = 3;
    }
    DrawRule(FY, thickness);
    FY += 1;
}

void TVnxReport::RuleWithSpace(int above, int below)
{
    AdvanceLines(above);
    PrintRule(3);
    AdvanceLines(below);
}

void TVnxReport::SetColumns(const std::string& specification)
{
    FDocument.SetColumns(specification);
    if (FOutput == OutputKind::Html && FHtml)
        FHtml->SetColumns(specification);
}

std::string TVnxReport::GetColumns() const { return FDocument.GetColumns(); }

void TVnxReport::SetPitch(FontPitch pitch) { FPitch = pitch; }

void TVnxReport::SetFontName(const std::string& name) { FFontName = name; }

void TVnxReport::SetFontSizePercent(int percent)
{
    FPercent = percent;
    FFontSize = mulDiv(FDocument.BaseFontSize(), percent, 100);
    if (FOutput == OutputKind::Html && FHtml)
        FHtml->FontSizeId = percent / 10;
}

int TVnxReport::FontSizePercent() const { return FPercent; }

void TVnxReport::TextAt(int x, int y, int flags, const std::string& text)
{
    if (!DrawsPages())
        return;
    EnsurePage();
    OutputText(DeviceX(x), DeviceY(y), flags, text);
}

void TVnxReport::LineAt(int x1, int y1, int thickness, int y2, int x2)
{
    if (!DrawsPages())
        return;
    EnsurePage();
    const int pen = mulDiv(thickness, FDpiX, 254);
    if (FOutput == OutputKind::Pdf)
        FPdf->DrawLine(DeviceX(x1), DeviceY(y1), pen, DeviceY(y2), DeviceX(x2));
    else if (FCanvas)
        FCanvas->drawLine(DeviceX(x1), DeviceY(y1), DeviceX(x2), DeviceY(y2), pen);
}

void TVnxReport::ImageAt(int x, int y, const ReportPicture& picture, int alignment, int scale)
{
    if (!DrawsPages())
        return;
    EnsurePage();
    const int width = mulDiv(static_cast<std::int64_t>(picture.width) * scale, FDpiX, 10000);
    const int height = mulDiv(static_cast<std::int64_t>(picture.height) * scale, FDpiY, 10000);
    int left = DeviceX(x);
    if (alignment == 1)
        left -= width;
    else if (alignment == 2)
        left -= width / 2;
    const int top = DeviceY(y);
    if (FOutput == OutputKind::Pdf)
        FPdf->DrawImage(left, top, left + width, top + height, picture);
    else if (FCanvas)
        FCanvas->drawPicture(left, top, left + width, top + height, picture);
}

int TVnxReport::ColumnWidthMm() const { return FDocument.ColumnWidth(); }

int TVnxReport::DrawingLines(const RecordedPage& drawing, int dpi) const
{
    const int heightMm = mulDiv(drawing.deviceHeight, 254, std::max(dpi, 1));
    const int lineHeight = std::max(FDocument.LineHeight(), 1);
    return (heightMm * 10 + lineHeight - 1) / lineHeight;
}

void TVnxReport::PrintDrawing(const RecordedPage& drawing, int dpi)
{
    const int lines = DrawingLines(drawing, dpi);
    if (FOutput == OutputKind::Html) {
        FHtml->CloseTable();
        FHtml->AddRaw(svgElement(drawing, dpi));
        return;
    }
    if (!DrawsPages())
        return;
    EnsurePage();
    const int left = DeviceX(ColumnXmm(0));
    const int top = DeviceY(RowYmm(FY));
    if (FOutput == OutputKind::Pdf)
        drawOnPdf(*FPdf, drawing, dpi, left, top);
    else if (FCanvas)
        replayItems(drawing, *FCanvas, left, top, FDpiX, dpi);
    AdvanceLines(lines * 100 / std::max(FPercent, 1));
}

int TVnxReport::TextWidthMm(const std::string& text)
{
    const std::string name = CurrentFontName();
    if (FOutput == OutputKind::Pdf) {
        FPdf->SetFontName(name);
        FPdf->SetFontSize(FFontSize / 10);
        FPdf->SetStyle(0);
        return mulDiv(FPdf->TextWidth(text), 254, 72);
    }
    if (!FCanvas)
        return 0;
    FCanvas->setFont(name, FFontSize / 10, false, false, false, 0);
    return mulDiv(FCanvas->textWidth(text), 254, FDpiX);
}

void TVnxReport::HtmlRaw(const std::string& text)
{
    if (FOutput == OutputKind::Html)
        FHtml->AddRaw(text);
}

void TVnxReport::HtmlNewLine()
{
    if (FOutput == OutputKind::Html)
        FHtml->NewLine();
}

void TVnxReport::HtmlFlushRow()
{
    if (FOutput == OutputKind::Html)
        FHtml->FlushRow();
}

void TVnxReport::OpenPageSurface()
{
    const int pageWidth = FDocument.PageWidth();
    const int pageHeight = FDocument.PageHeight();
    if (FOutput == OutputKind::Pdf) {
        FDpiX = FDpiY = 72;
        FOffsetX = FOffsetY = 0;
        FPdf->SetPageWidth(mulDiv(pageWidth, 72, 254));
        FPdf->SetPageHeight(mulDiv(pageHeight, 72, 254));
        FPdf->NewPage();
        return;
    }
    FDpiX = std::max(FDevice->dpiX(), 10);
    FDpiY = std::max(FDevice->dpiY(), 10);
    FOffsetX = FDevice->offsetX();
    FOffsetY = FDevice->offsetY();
    FCanvas = FDevice->jobRunning() ? &FDevice->newSheet()
                                    : &FDevice->beginJob(FDocument.PaperOrientation, pageWidth, pageHeight);
    if (FOutput == OutputKind::Preview) {
        // The sheet with a shadow at its right and bottom edge.
        const int width = mulDiv(pageWidth, FDpiX, 254);
        const int height = mulDiv(pageHeight, FDpiY, 254);
        FCanvas->drawRectangle(0, 0, width, height, 1);
        FCanvas->drawLine(3, height, width, height, 3);
        FCanvas->drawLine(width, height, width, 3, 3);
    }
}

void TVnxReport::DrawPageImages()
{
    for (const std::string& entry : FDocument.ImageEntries) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        while (fields.size() < 4) {
            const std::size_t end = entry.find(';', start);
            if (end == std::string::npos)
                break;
            fields.push_back(entry.substr(start, end - start));
            start = end + 1;
        }
        if (fields.size() < 4)
            continue;
        const std::string file = base::trim(entry.substr(start));
        if (file.empty())
            continue;
        const std::optional<ReportPicture> picture = loadPageImage(file);
        if (!picture) {
            if (FUnreadableImages.insert(file).second && FStatus)
                FStatus->warning("The page image \"" + file +
                                 "\" cannot be read; the pages are printed without it.");
            continue;
        }
        const int x = base::strToIntDef(base::trim(fields[0]), 5);
        const int y = base::strToIntDef(base::trim(fields[1]), 5);
        const int scale = base::strToIntDef(base::trim(fields[2]), 100);
        const int alignment = base::strToIntDef(base::trim(fields[3]), 0);
        ImageAt(x * 10, y * 10, *picture, alignment, scale);
    }
}

void TVnxReport::PrintFooters()
{
    const int lineHeight = FDocument.LineHeight();
    const int first =
        (lineHeight > 0 ? FDocument.PrintableHeight() / lineHeight : 0) - FDocument.FooterLineCount() + 1;
    const int columnWidth = FDocument.ColumnWidth();
    const int right = FDocument.HeadOnColumn
                          ? 1000
                          : 1000 + mulDiv(static_cast<std::int64_t>(columnWidth + FDocument.ColumnDistance) *
                                              (FDocument.PageColumns - 1),
                                          1000, columnWidth);
    const struct
    {
        const std::vector<std::string>& lines;
        int x;
        int flags;
    } lists[] = {
        {FDocument.FooterLeftLines, 0, reportflag::left},
        {FDocument.FooterCentreLines, right / 2, reportflag::centre},
        {FDocument.FooterRightLines, right, reportflag::right},
    };
    for (const auto& list : lists) {
        for (std::size_t index = 0; index < list.lines.size(); ++index) {
            const int y = first * 10 + static_cast<int>(index) * (FPercent / 10);
            OutputText(DeviceX(ColumnXmm(list.x)), DeviceY(RowYmm(y)), list.flags,
                       ReplaceFieldCodes(list.lines[index]));
        }
    }
}

void TVnxReport::StartPage()
{
    if (FStatus) {
        std::string line = base::languageText('G', 55) + std::to_string(FPageNumber);
        if (FOutput == OutputKind::Printer || FOutput == OutputKind::TestPage || FOutput == OutputKind::Pdf)
            line += swim::formatText(base::languageText('G', 60), {FCopyIndex + 1, std::max(Copies, 1)});
        FStatus->setLine(0, line);
    }
    if (!DrawsPages())
        return;
    // The branded head starts its page itself after the engine's page head did: the images and
    // footers of a page column are drawn once.
    const bool freshColumn = !FColumnStarted;
    if (!FPageOpen) {
        FPageOpen = true;
        OpenPageSurface();
        DrawPageImages();
    }
    FPitch = FontPitch::Variable;
    SetFontSizePercent(FDefaultPercent * FDocument.FooterFontSize / 100);
    if (freshColumn && (FDocument.HeadOnColumn || FPageColumn == 0))
        PrintFooters();
    FColumnStarted = true;
    SetFontSizePercent(FDefaultPercent);
    FX = 0;
    FY = 0;
    if (OnStartPage)
        OnStartPage(*this);
}

void TVnxReport::PageHead(int pageNumber)
{
    FPageNumber = pageNumber;
    if (FOutput == OutputKind::Html) {
        SetFontSizePercent(FDefaultPercent);
        return;
    }
    StartPage();
    if (!DrawsPages())
        return;
    const auto printLines = [this](const std::vector<std::string>& lines, int x, int flags) {
        for (std::size_t index = 0; index < lines.size(); ++index) {
            const int y = mulDiv(static_cast<int>(index) * 10, FPercent, 100);
            OutputText(DeviceX(ColumnXmm(x)), DeviceY(RowYmm(y)), flags, ReplaceFieldCodes(lines[index]));
        }
    };
    if (FPageColumn == 0 || FDocument.HeadOnColumn) {
        printLines(FDocument.HeadLeftLines, 0, reportflag::left);
        const int lines =
            static_cast<int>(std::max(FDocument.HeadLeftLines.size(), FDocument.HeadRightLines.size()));
        FHeaderHeight = lines > 0 ? mulDiv(lines * 10 + 15, FPercent, 100) : 0;
    }
    if (FDocument.HeadOnColumn) {
        printLines(FDocument.HeadRightLines, 1000, reportflag::right);
    } else if (FPageColumn == 0) {
        FPageColumn = std::max(FDocument.PageColumns - 1, 0);
        printLines(FDocument.HeadRightLines, 1000, reportflag::right);
        FPageColumn = 0;
    }
    FY = FHeaderHeight;
    FX = 0;
    if (OnPageHead) {
        const std::string columns = GetColumns();
        const int percent = FPercent;
        OnPageHead(*this);
        SetColumns(columns);
        SetFontSizePercent(percent);
    }
}

bool TVnxReport::EndColumn(bool force)
{
    if (!FPageOpen)
        return false;
    if (FOutput != OutputKind::Html && OnEndPage)
        OnEndPage(*this);
    ++FPageColumn;
    FColumnStarted = false;
    const bool ended = force || FPageColumn >= FDocument.PageColumns;
    if (ended) {
        FPageColumn = 0;
        FPageOpen = false;
        if (HasCanvasOutput()) {
            FDevice->endPage();
            FCanvas = nullptr;
        }
        if (FOutput == OutputKind::TestPage && FStatus)
            FStatus->setAborted();
    }
    FY = -1;
    FX = 0;
    return ended;
}

void TVnxReport::Run(ReportStatus& status, OutputKind kind, ReportDevice* device)
{
    FStatus = &status;
    FOutput = kind;
    FDevice = device;
    const PrintLanguageScope language;
    if (FHtml)
        FHtml->Language = base::languageTag();
    FStartTime = base::formatDateTime(base::currentFormatSettings().shortTimeFormat, now());
    FUnreadableImages.clear();
    FAnchorPages.clear();
    FDocument.ResetHeads();
    SetColumns("");
    FPageOpen = false;
    FColumnStarted = false;
    FPageColumn = 0;
    FCopyIndex = 0;
    FPitch = FontPitch::Variable;
    FFontName.clear();
    SetFontSizePercent(FDefaultPercent);
    if (OnInitReport)
        OnInitReport(*this);
    if (OnAllExemplare) {
        OnAllExemplare(*this);
        return;
    }
    FX = 0;
    FY = -1;
    FPageColumn = 0;
    const int copies = std::max(Copies, 1);
    const bool copyByCopy =
        (kind == OutputKind::Printer || kind == OutputKind::TestPage) && !device->canMakeCopies();
    for (FCopyIndex = copyByCopy ? 0 : copies - 1; FCopyIndex < copies && !status.aborted(); ++FCopyIndex) {
        if (OnOneExemplar)
            OnOneExemplar(*this);
        EndColumn(true);
    }
}

void TVnxReport::ResetRun()
{
    FOutput = OutputKind::None;
    FDevice = nullptr;
    FCanvas = nullptr;
    FStatus = nullptr;
    FPageOpen = false;
    FColumnStarted = false;
    FPageColumn = 0;
}

namespace {

/** The status of a counting pass: progress and abort go through, warnings wait for the real pass. */
class CountingStatus : public ReportStatus
{
public:
    explicit CountingStatus(ReportStatus& status)
        : FStatus(status)
    {
    }
    void setLine(int index, const std::string& text) override { FStatus.setLine(index, text); }
    bool aborted() override { return FStatus.aborted(); }
    void setAborted() override { FStatus.setAborted(); }

private:
    ReportStatus& FStatus;
};

/** A canvas that measures texts as the recorded pages do and keeps nothing that is drawn. */
class MeasuringCanvas : public RecordingCanvas
{
public:
    using RecordingCanvas::RecordingCanvas;
    void drawText(int, int, std::string_view) override {}
    void drawLine(int, int, int, int, int) override {}
    void drawRectangle(int, int, int, int, int) override {}
    void drawPicture(int, int, int, int, const ReportPicture&) override {}
};

/** The device of a counting pass: it counts the sheets a run asks for and draws nothing. */
class PageCountingDevice : public ReportDevice
{
public:
    explicit PageCountingDevice(int dpi)
        : FDpi(dpi)
        , FCanvas(dpi)
    {
    }
    int dpiX() const override { return FDpi; }
    int dpiY() const override { return FDpi; }
    bool jobRunning() const override { return FRunning; }
    ReportCanvas& beginJob(Orientation, int, int) override
    {
        FRunning = true;
        return newSheet();
    }
    ReportCanvas& newSheet() override
    {
        ++FPages;
        return FCanvas;
    }
    void endJob(bool) override { FRunning = false; }
    int pages() const { return FPages; }

private:
    int FDpi;
    MeasuringCanvas FCanvas;
    bool FRunning = false;
    int FPages = 0;
};

} // namespace

void TVnxReport::CountPages(ReportStatus& status, int dpi)
{
    // Where a page breaks depends on lines and the page setup only, never on how wide a text is drawn, so
    // a pass that draws nothing at the same setup breaks its pages where the real run will.
    const int firstPage = FPageNumber;
    FTotalPages = 0;
    FCountedAnchorPages.clear();
    PageCountingDevice counter(std::max(dpi, 10));
    CountingStatus counting(status);
    try {
        Run(counting, OutputKind::Preview, &counter);
    } catch (...) {
        ResetRun();
        throw;
    }
    FTotalPages = counter.pages();
    FCountedAnchorPages = FAnchorPages;
    FPageNumber = firstPage;
    ResetRun();
}

void TVnxReport::ForgetCount()
{
    FTotalPages = 0;
    FCountedAnchorPages.clear();
}

void TVnxReport::PrintToPrinter(ReportStatus& status, ReportDevice& printer)
{
    status.setLine(0, base::languageText('G', 97));
    if (Settings)
        FDocument.SaveSettings(*Settings);
    printer.setJobTitle(std::string(base::applicationTitle) + " - " + OwnerCaption);
    if (printer.canMakeCopies())
        printer.setCopies(std::max(Copies, 1));
    const OutputKind kind = TestPage ? OutputKind::TestPage : OutputKind::Printer;
    const PrintLanguageScope language;
    try {
        CountPages(status, printer.dpiY());
        if (!status.aborted())
            Run(status, kind, &printer);
    } catch (...) {
        if (printer.jobRunning())
            printer.endJob(true);
        ForgetCount();
        ResetRun();
        throw;
    }
    // A test page marks the status aborted to stop after one copy; its job still ends normally.
    if (printer.jobRunning())
        printer.endJob(kind == OutputKind::Printer && status.aborted());
    ForgetCount();
    ResetRun();
}

void TVnxReport::PrintToPreview(ReportStatus& status, ReportDevice& preview)
{
    status.setLine(0, base::languageText('G', 97));
    preview.discardPages();
    const PrintLanguageScope language;
    try {
        CountPages(status, preview.dpiY());
        if (!status.aborted())
            Run(status, OutputKind::Preview, &preview);
    } catch (...) {
        if (preview.jobRunning())
            preview.endJob(true);
        ForgetCount();
        ResetRun();
        throw;
    }
    if (preview.jobRunning())
        preview.endJob(false);
    ForgetCount();
    ResetRun();
}

void TVnxReport::WriteHtmlFooters()
{
    const int count = FDocument.FooterLineCount();
    if (count > 0) {
        FHtml->FontSizeId = 10;
        if (!FHtml->LastWasRule())
            FHtml->Rule();
        SetColumns("L333;C334;R333");
        for (std::size_t index = 0; index < static_cast<std::size_t>(count); ++index) {
            PrintCell(0, ReplaceFieldCodes(lineOrEmpty(FDocument.FooterLeftLines, index)), 0);
            PrintCell(1, ReplaceFieldCodes(lineOrEmpty(FDocument.FooterCentreLines, index)), 0);
            PrintCell(2, ReplaceFieldCodes(lineOrEmpty(FDocument.FooterRightLines, index)), 0);
            AdvanceLines(10);
        }
    }
    if (FHtml->Title.empty()) {
        if (!FDocument.TitleLines.empty())
            FHtml->Title = FDocument.TitleLines.front();
        else if (!FDocument.HeadLeftLines.empty())
            FHtml->Title = FDocument.HeadLeftLines.front();
    }
}

bool TVnxReport::RunHtml(ReportStatus& status, const std::function<bool(THtmlFile&)>& finish)
{
    const bool ownWidth = FDocument.Options().contains(TDocumentOption::doChgOrientation);
    FHtml = std::make_unique<THtmlFile>(ownWidth ? FDocument.HTMLWidth : -1, FDocument.HtmlTemplate, 10);
    FHtml->FontName = FDocument.VariableFont;
    FHtml->TemplateText = HtmlTemplateText;
    if (FFixedNow != 0)
        FHtml->setFixedDate(FFixedNow);
    bool done = false;
    try {
        Run(status, OutputKind::Html, nullptr);
        WriteHtmlFooters();
        done = finish(*FHtml);
    } catch (const std::exception&) {
        done = false;
    }
    FHtml.reset();
    ResetRun();
    return done;
}

bool TVnxReport::PrintToHtml(ReportStatus& status)
{
    const std::string fileName = HtmlFileName.filename().string();
    status.setLine(0, swim::formatText(base::languageText('G', 96), {std::string_view(fileName)}));
    return RunHtml(status, [this](THtmlFile& html) { return !HtmlFileName.empty() && html.Save(HtmlFileName); });
}

std::optional<std::string> TVnxReport::PrintToHtmlText(ReportStatus& status)
{
    std::string text;
    if (!RunHtml(status, [&text](THtmlFile& html) {
            text = html.PageText();
            return true;
        }))
        return std::nullopt;
    return text;
}

bool TVnxReport::PrintToPdf(ReportStatus& status)
{
    status.setLine(0, base::languageText('G', 158) + ": " + PdfFileName.filename().string());
    bool written = false;
    const PrintLanguageScope language;
    try {
        CountPages(status, 72);
        FPdf = std::make_unique<TBSPdf>(PdfFileName);
        FPdf->SetCreator(std::string(base::productName) + " " + base::versionText);
        FPdf->SetAuthor(std::string(base::productName) + " report engine");
        if (FFixedNow != 0)
            FPdf->setFixedCreationDate(base::formatDateTime("yyyymmddhhnnss", FFixedNow));
        if (!status.aborted())
            Run(status, OutputKind::Pdf, nullptr);
        if (status.aborted() || PdfFileName.empty())
            FPdf->Discard();
        else
            written = FPdf->SaveAndClose();
        if (const int missing = FPdf->MissingGlyphCount(); missing > 0)
            status.warning(swim::formatText(base::languageText('V', 141), {missing}));
    } catch (const std::exception&) {
        if (FPdf)
            FPdf->Discard();
        written = false;
    }
    ForgetCount();
    FPdf.reset();
    ResetRun();
    return written;
}

} // namespace lanescope::report
