#pragma once

#include "report/ReportCanvas.h"
#include "report/ReportPicture.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

/**
 * The PDF front end of the report engine: texts with alignment and style, text widths, lines and
 * pictures in points with the origin at the top-left of the page, turned into a PDF 1.2 file with
 * compressed page contents. Texts that Windows-1252 holds are set in the four standard Helvetica fonts
 * (not embedded, WinAnsiEncoding); any other text in embedded subsets of installed TrueType fonts, so
 * that no letter is lost. Widths always come from the font the text is set in.
 */
namespace lanescope::report {

class PdfDocument;
class PdfUnicodeFonts;

/** Style bits of `TBSPdf::SetStyle` (the engine's text flags shifted right by 3). */
namespace pdfstyle {
constexpr int bold = 1;
constexpr int italic = 2;
constexpr int underline = 4;
} // namespace pdfstyle

class TBSPdf
{
public:
    /** Output goes to a new file of this name when the document is saved. */
    explicit TBSPdf(std::filesystem::path outputFile);
    ~TBSPdf();
    TBSPdf(const TBSPdf&) = delete;
    TBSPdf& operator=(const TBSPdf&) = delete;

    void SetCreator(const std::string& text);
    void SetAuthor(const std::string& text);
    void SetFontName(const std::string& name);
    void SetFontSize(int points);
    void SetStyle(int flags);
    void SetPageWidth(int points);
    void SetPageHeight(int points);
    int PageWidth() const;
    int PageHeight() const;
    int FontSize() const;

    /** Opens the document at the first call (creation date now), otherwise adds a page. */
    void NewPage();
    /** Width in points of the text (UTF-8) in the current font and size, to the nearest integer. */
    int TextWidth(std::string_view text) const;
    /** Text with its top-left corner at (x, y); alignment 0 left, 1 right (x is the end), 2 centred. */
    void TextOut(int x, int y, int alignment, std::string_view text);
    void DrawLine(int x1, int y1, int width, int y2, int x2);
    /** A point of a path in points from the top-left corner; fractions are kept to a hundredth. */
    struct PathPoint
    {
        double x = 0;
        double y = 0;
    };
    /**
     * A line through the points in the style's colour and dashes (pen width and dash lengths in points), or
     * the filled shape; the colour applies to this path only. Fewer than two points draw nothing.
     */
    void DrawPath(const std::vector<PathPoint>& points, std::uint32_t colour, double penWidth,
                  const std::vector<double>& dashes, bool filled);
    /**
     * Registers the picture as image BSImage<n> and draws it into the rectangle; an empty rectangle draws
     * nothing. A picture whose fields do not fit together (a programmer error) throws std::invalid_argument.
     */
    void DrawImage(int left, int top, int right, int bottom, const ReportPicture& picture);
    /** Writes the document (replacing the file); false when writing failed. Nothing happens without pages. */
    bool SaveAndClose();
    /** An outline entry and a named destination at height y (from the top) of the current page. */
    void AddBookmark(int level, const std::string& title, const std::string& name, int y);
    /** A link over the rectangle (top-left coordinates) of the current page to a named destination. */
    void AddLink(int left, int top, int right, int bottom, const std::string& name);
    /** Pages of the open document. */
    int PageCount() const;
    /** Glyphs drawn as the missing-glyph box because no installed font has their character. */
    int MissingGlyphCount() const;
    /** Frees the document without writing. */
    void Discard();

    /** Fixes the creation date for golden-file tests ("yyyymmddhhnnss"); use only in test suites. */
    void setFixedCreationDate(std::string date);

private:
    std::filesystem::path FOutputFile;
    bool useUnicodeFonts(std::string_view text) const;

    std::unique_ptr<PdfDocument> FDocument;
    std::unique_ptr<PdfUnicodeFonts> FUnicodeFonts;
    std::string FCreator;
    std::string FAuthor;
    std::string FSubject;
    std::string FFontName = "Arial";
    std::string FFixedDate;
    std::string FCreationDate;
    int FImageCount = 0;
    int FPageCount = 0;
    int FMissingGlyphs = 0;
    int FAscent = 9;
    int FFontSize = 10;
    int FStyle = 0;
    int FPageWidth = 595;
    int FPageHeight = 842;
};

} // namespace lanescope::report
