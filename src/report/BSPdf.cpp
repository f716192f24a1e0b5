#include "report/BSPdf.h"

#include "base/CodePage.h"
#include "report/HelveticaMetrics.h"
#include "report/MulDiv.h"
#include "report/PdfDocument.h"
#include "report/PdfUnicodeFonts.h"

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace lanescope::report {

namespace {

HelveticaFont fontOfStyle(int style)
{
    return static_cast<HelveticaFont>(style & (pdfstyle::bold | pdfstyle::italic));
}

/** The resource name under which the font of the style is used: "Arial", "Arial-Bold", ... */
std::string fontResourceName(int style)
{
    if ((style & (pdfstyle::bold | pdfstyle::italic)) == 0)
        return "Arial";
    std::string name = "Arial-";
    if (style & pdfstyle::bold)
        name += "Bold";
    if (style & pdfstyle::italic)
        name += "Italic";
    return name;
}

/** Text with control characters or beyond Windows-1252 goes through NFC and the control-character rules. */
bool needsPreparing(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }) ||
           !PdfUnicodeFonts::fitsWindows1252(text);
}

PdfFont pdfFont(HelveticaFont font)
{
    const auto& widths = helveticaWidths(font);
    return {std::string(helveticaBaseFont(font)), "WinAnsiEncoding", helveticaFirstChar,
            std::vector<int>(widths.begin(), widths.end())};
}

/** Thousandths as a PDF decimal number: 2500 is "2.5", -125 is "-0.125". */
std::string thousandthsText(int thousandths)
{
    const int whole = std::abs(thousandths) / 1000;
    std::string fraction = std::to_string(1000 + std::abs(thousandths) % 1000).substr(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return (thousandths < 0 ? "-" : "") + std::to_string(whole) + (fraction.empty() ? "" : "." + fraction);
}

std::string localTimestamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
    return text;
}

std::string hexBytes(const std::vector<std::uint8_t>& bytes)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const std::uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

PdfImage jpegImage(const ReportPicture& picture)
{
    PdfImage image;
    image.width = picture.width;
    image.height = picture.height;
    image.dctEncoded = true;
    image.data = picture.jpegData;
    // The colour space must match the JPEG's components, or viewers reject or miscolour the picture.
    switch (picture.components) {
    case 1:
        image.colourSpace = "/DeviceGray";
        image.procSet = "ImageB";
        break;
    case 3:
        image.colourSpace = "/DeviceRGB";
        break;
    case 4:
        image.colourSpace = "/DeviceCMYK";
        // Adobe applications store CMYK JPEGs with inverted components.
        if (picture.adobeInverted)
            image.extraEntries = "/Decode [1 0 1 0 1 0 1 0]";
        break;
    default:
        throw std::invalid_argument("JPEG picture with unsupported colour components");
    }
    return image;
}

PdfImage bitmapImage(const ReportPicture& picture)
{
    PdfImage image;
    image.width = picture.width;
    image.height = picture.height;
    const auto pixelCount =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (picture.bitsPerPixel == 1 || picture.bitsPerPixel == 4 || picture.bitsPerPixel == 8) {
        const std::size_t colours = picture.palette.size() / 3;
        if (colours == 0 || colours > 256 || picture.palette.size() % 3 != 0 ||
            picture.pixels.size() != pixelCount)
            throw std::invalid_argument("palette picture with inconsistent palette or pixels");
        image.colourSpace =
            "[/Indexed /DeviceRGB " + std::to_string(colours - 1) + " <" + hexBytes(picture.palette) + ">]";
        image.procSet = "ImageI";
    } else {
        if (picture.pixels.size() != pixelCount * 3)
            throw std::invalid_argument("RGB picture with inconsistent pixels");
        image.colourSpace = "/DeviceRGB";
    }
    image.data.assign(picture.pixels.begin(), picture.pixels.end());
    return image;
}

} // namespace

TBSPdf::TBSPdf(std::filesystem::path outputFile)
    : FOutputFile(std::move(outputFile))
    , FUnicodeFonts(std::make_unique<PdfUnicodeFonts>())
{
}

TBSPdf::~TBSPdf() = default;

void TBSPdf::SetCreator(const std::string& text) { FCreator = text; }

void TBSPdf::SetAuthor(const std::string& text) { FAuthor = text; }

void TBSPdf::SetFontName(const std::string& name) { FFontName = name; }

void TBSPdf::SetFontSize(int points)
{
    FFontSize = points;
    FAscent = mulDiv(points, 905, 1000);
}

void TBSPdf::SetStyle(int flags) { FStyle = flags; }

void TBSPdf::SetPageWidth(int points) { FPageWidth = std::clamp(points, 0, 65535); }

void TBSPdf::SetPageHeight(int points) { FPageHeight = std::clamp(points, 0, 65535); }

int TBSPdf::PageWidth() const { return FPageWidth; }

int TBSPdf::PageHeight() const { return FPageHeight; }

int TBSPdf::FontSize() const { return FFontSize; }

void TBSPdf::NewPage()
{
    if (!FDocument) {
        FDocument = std::make_unique<PdfDocument>();
        FUnicodeFonts = std::make_unique<PdfUnicodeFonts>();
        FCreationDate = FFixedDate.empty() ? localTimestamp() : FFixedDate;
        FImageCount = 0;
        FMissingGlyphs = 0;
        FPageCount = 0;
    }
    FDocument->addPage(FPageWidth, FPageHeight);
    ++FPageCount;
}

void TBSPdf::AddBookmark(int level, const std::string& title, const std::string& name, int y)
{
    if (!FDocument)
        throw std::logic_error("TBSPdf::AddBookmark before NewPage");
    FDocument->addOutline(level, title, FPageHeight - y);
    FDocument->addDestination(name, FPageHeight - y);
}

void TBSPdf::AddLink(int left, int top, int right, int bottom, const std::string& name)
{
    if (!FDocument)
        throw std::logic_error("TBSPdf::AddLink before NewPage");
    FDocument->addLink(left, FPageHeight - bottom, right, FPageHeight - top, name);
}

int TBSPdf::PageCount() const { return FPageCount; }

int TBSPdf::MissingGlyphCount() const { return FMissingGlyphs; }

bool TBSPdf::useUnicodeFonts(std::string_view text) const
{
    // Without an installed font the text is set as the code page holds it, "?" for what it lacks.
    return !PdfUnicodeFonts::fitsWindows1252(text) && FUnicodeFonts->available();
}

int TBSPdf::TextWidth(std::string_view text) const
{
    if (needsPreparing(text)) {
        const std::string ready = PdfUnicodeFonts::prepared(text);
        if (ready != text)
            return TextWidth(ready);
    }
    const int width = useUnicodeFonts(text)
                          ? FUnicodeFonts->width(text, FStyle & pdfstyle::bold, FStyle & pdfstyle::italic)
                          : helveticaTextWidth(fontOfStyle(FStyle), text);
    return mulDiv(width, FFontSize, 1000);
}

void TBSPdf::TextOut(int x, int y, int alignment, std::string_view text)
{
    if (!FDocument)
        throw std::logic_error("TBSPdf::TextOut before NewPage");
    // Decomposed accents, control characters and marks of direction are settled first: "e" and U+0301
    // is the Windows-1252 "é", and a tab never draws as a glyph.
    if (needsPreparing(text)) {
        const std::string ready = PdfUnicodeFonts::prepared(text);
        if (ready != text) {
            TextOut(x, y, alignment, ready);
            return;
        }
    }
    const int width = TextWidth(text);
    if (alignment == 1)
        x -= width;
    else if (alignment == 2)
        x -= width / 2;
    if (FStyle & pdfstyle::underline) {
        const int lineY = FPageHeight - (y + mulDiv(FFontSize, 1117, 1000));
        FDocument->appendContent(std::to_string(std::max(FFontSize / 10, 0)) + " w " + std::to_string(x) +
                                 " " + std::to_string(lineY) + " m " + std::to_string(x + width) + " " +
                                 std::to_string(lineY) + " l S");
    }
    const std::string position = std::to_string(x) + " " + std::to_string(FPageHeight - y - FAscent) + " Td ";
    const std::string size = " " + std::to_string(FFontSize) + " Tf ";
    if (useUnicodeFonts(text)) {
        // One run per face, left to right; each TJ moves the text position on, so the runs join up.
        const int missingBefore = FUnicodeFonts->missingCount();
        std::string operators = "BT " + position;
        int rise = 0;
        for (const PdfUnicodeFonts::Run& run :
             FUnicodeFonts->runs(text, FStyle & pdfstyle::bold, FStyle & pdfstyle::italic)) {
            FDocument->useEmbeddedFont(run.fontName);
            // The text rise lifts or lowers a mark to where shaping placed it.
            if (run.rise != rise)
                operators += thousandthsText(run.rise * FFontSize) + " Ts ";
            rise = run.rise;
            operators += "/" + run.fontName + size + "[" + run.glyphArray + "] TJ ";
        }
        // The rise belongs to the graphics state and would outlast the text object.
        if (rise != 0)
            operators += "0 Ts ";
        operators += "ET";
        // Missing-glyph boxes stand for no text: the text they replace is given for copying and search.
        if (FUnicodeFonts->missingCount() != missingBefore)
            operators = "/Span << /ActualText " + PdfDocument::textString(text) + " >> BDC " + operators + " EMC";
        FMissingGlyphs += FUnicodeFonts->missingCount() - missingBefore;
        FDocument->appendContent(operators);
        return;
    }
    const std::string font = fontResourceName(FStyle);
    FDocument->useFont(font, pdfFont(fontOfStyle(FStyle)));
    FDocument->appendContent("BT /" + font + size + position +
                             PdfDocument::literalString(base::encodeWindows1252(text)) + " Tj ET");
}

void TBSPdf::DrawLine(int x1, int y1, int width, int y2, int x2)
{
    if (!FDocument)
        throw std::logic_error("TBSPdf::DrawLine before NewPage");
    FDocument->appendContent(std::to_string(std::max(width, 0)) + " w " + std::to_string(x1) + " " +
                             std::to_string(FPageHeight - y1) + " m " + std::to_string(x2) + " " +
                             std::to_string(FPageHeight - y2) + " l S");
}

namespace {

std::string pdfNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string result = text;
    // "12.50" is written "12.5" and "12.00" as "12": shorter pages, the same drawing.
    while (result.back() == '0')
        result.pop_back();
    if (result.back() == '.')
        result.pop_back();
    return result == "-0" ? "0" : result;
}

std::string pdfColour(std::uint32_t colour)
{
    return pdfNumber(((colour >> 16) & 0xFF) / 255.0) + " " + pdfNumber(((colour >> 8) & 0xFF) / 255.0) +
           " " + pdfNumber((colour & 0xFF) / 255.0);
}

} // namespace

void TBSPdf::DrawPath(const std::vector<PathPoint>& points, std::uint32_t colour, double penWidth,
                      const std::vector<double>& dashes, bool filled)
{
    if (!FDocument)
        throw std::logic_error("TBSPdf::DrawPath before NewPage");
    if (points.size() < 2)
        return;
    std::string operators = "q ";
    if (filled) {
        operators += pdfColour(colour) + " rg ";
    } else {
        operators += pdfColour(colour) + " RG " + pdfNumber(std::max(penWidth, 0.0)) + " w 1 j [";
        for (std::size_t k = 0; k < dashes.size(); ++k)
            operators += (k ? " " : "") + pdfNumber(dashes[k]);
        operators += "] 0 d ";
    }
    for (std::size_t k = 0; k < points.size(); ++k)
        operators +=
            pdfNumber(points[k].x) + " " + pdfNumber(FPageHeight - points[k].y) + (k ? " l " : " m ");
    operators += filled ? "h f Q" : "S Q";
    FDocument->appendContent(operators);
}

void TBSPdf::DrawImage(int left, int top, int right, int bottom, const ReportPicture& picture)
{
    if (!FDocument)
        throw std::logic_error("TBSPdf::DrawImage before NewPage");
    if (picture.width <= 0 || picture.height <= 0)
        throw std::invalid_argument("picture without pixels");
    const int width = right - left;
    const int height = bottom - top;
    // A degenerate matrix makes viewers complain, and there is nothing to see anyway.
    if (width <= 0 || height <= 0)
        return;
    PdfImage image = picture.kind == ReportPicture::Kind::Jpeg ? jpegImage(picture) : bitmapImage(picture);
    const std::string name = "BSImage" + std::to_string(FImageCount++);
    FDocument->addImage(name, std::move(image));
    FDocument->appendContent("q " + std::to_string(width) + " 0 0 " + std::to_string(height) + " " +
                             std::to_string(left) + " " + std::to_string(FPageHeight - top - height) +
                             " cm /" + name + " Do Q");
}

bool TBSPdf::SaveAndClose()
{
    if (!FDocument)
        return true;
    PdfInfo info;
    info.producer = "Korvalin PDF Library";
    info.creator = FCreator;
    info.author = FAuthor;
    info.subject = FSubject;
    info.creationDate = "D:" + FCreationDate;
    for (auto& [name, font] : FUnicodeFonts->fonts())
        FDocument->defineEmbeddedFont(name, std::move(font));
    const std::string bytes = FDocument->serialize(info);
    FDocument.reset();
    FUnicodeFonts = std::make_unique<PdfUnicodeFonts>();

    // Written beside the target first, so a failed write leaves an existing file untouched.
    std::filesystem::path partial = FOutputFile;
    partial += ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(partial, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, FOutputFile, error);
    if (error) {
        std::filesystem::remove(partial, error);
        return false;
    }
    return true;
}

void TBSPdf::Discard()
{
    FDocument.reset();
    FUnicodeFonts = std::make_unique<PdfUnicodeFonts>();
}

void TBSPdf::setFixedCreationDate(std::string date) { FFixedDate = std::move(date); }

} // namespace lanescope::report
