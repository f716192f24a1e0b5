#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/**
 * A small PDF 1.2 object writer: pages with Flate-compressed content streams, non-embedded Type 1
 * fonts, embedded TrueType fonts (Type 0, Identity-H) and image XObjects as page resources, the document
 * information, and the file with its cross-reference table. Lines end with CR LF; all numbers are written as
 * decimals.
 */
namespace lanescope::report {

/** A non-embedded Type 1 font with its widths from firstChar on. */
struct PdfFont
{
    std::string baseFont;
    std::string encoding;
    int firstChar = 32;
    std::vector<int> widths;
};

/**
 * An embedded TrueType font addressed by two-byte glyph numbers (Identity-H, CIDToGIDMap Identity):
 * written as the Type 0 font, its CID font, the descriptor, the font file and the ToUnicode map.
 */
struct PdfType0Font
{
    /** The name with its subset tag, e.g. "ABCDEF+LiberationSans". */
    std::string baseFont;
    /** The TrueType file; empty leaves the font unembedded. */
    std::string fontFile;
    /** The contents of the /W array: "glyph [width] ...". */
    std::string widths;
    /** The CMap program from glyph numbers to Unicode. */
    std::string toUnicode;
    /** CFF outlines: a CID font of type 0 with the bare CFF table; else type 2 with the TrueType file. */
    bool cff = false;
    /** The descriptor's entries besides its type, name and file: flags, box, angle, ascent, ... */
    std::string descriptorEntries;
};

/** An image XObject with 8 bits per component. */
struct PdfImage
{
    int width = 0;
    int height = 0;
    /** The /ColorSpace value as written, e.g. "/DeviceRGB" or "[/Indexed /DeviceRGB 1 <000000FFFFFF>]". */
    std::string colourSpace;
    /** Extra dictionary entries, e.g. "/Decode [1 0 1 0 1 0 1 0]"; may be empty. */
    std::string extraEntries;
    /** The procedure set the page needs for it: "ImageB", "ImageC" or "ImageI". */
    std::string procSet = "ImageC";
    /** Already DCT-encoded data is written as it is; raw samples get Flate-compressed. */
    bool dctEncoded = false;
    std::string data;
};

struct PdfInfo
{
    std::string producer;
    std::string creator;
    std::string author;
    std::string subject;
    /** "D:" followed by yyyymmddhhnnss. */
    std::string creationDate;
};

class PdfDocument
{
public:
    /** Starts a new page with a media box of the given size in points; it becomes the current page. */
    void addPage(int width, int height);
    bool hasPages() const;
    /** Appends content operators to the current page. */
    void appendContent(std::string_view operators);
    /** Makes the font a resource of the current page under the name; a name keeps its first font. */
    void useFont(const std::string& name, const PdfFont& font);
    /** Makes the embedded font of that name (defined before the document is serialized) a page resource. */
    void useEmbeddedFont(const std::string& name);
    /** Defines (or replaces) an embedded font; its glyphs are only known once all pages are drawn. */
    void defineEmbeddedFont(const std::string& name, PdfType0Font font);
    /**
     * Adds the image as a resource of the current page under a new name. Pictures equal to an earlier one
     * (a logo on every page) share its image object, so the file holds their data once.
     */
    void addImage(const std::string& name, PdfImage image);
    /**
     * An outline entry (bookmark) at height y (PDF coordinates) of the current page; level 0 is the top,
     * a deeper level nests under the entry before it.
     */
    void addOutline(int level, const std::string& title, int y);
    /** Names the place at height y of the current page as a destination for links. */
    void addDestination(const std::string& name, int y);
    /** A link over the rectangle (PDF coordinates) of the current page to a named destination. */
    void addLink(int left, int bottom, int right, int top, const std::string& destination);
    /** The whole file. */
    std::string serialize(const PdfInfo& info) const;

    /** Writes text as a PDF string literal, escaping "(", ")", "\" and line breaks. */
    static std::string literalString(std::string_view bytes);
    /** A text string of the document information: literal when ASCII, else UTF-16BE with byte order mark. */
    static std::string textString(std::string_view utf8);

private:
    struct Page
    {
        int width = 0;
        int height = 0;
        std::string content;
        std::vector<std::string> fonts;
        /** Resource names with the index of their image in FImages. */
        std::vector<std::pair<std::string, std::size_t>> images;
    };

    Page& currentPage();

    struct Place
    {
        std::size_t page = 0;
        int y = 0;
    };
    struct OutlineEntry
    {
        int level = 0;
        std::string title;
        Place place;
    };
    struct Link
    {
        std::size_t page = 0;
        int rect[4] = {0, 0, 0, 0};
        std::string destination;
    };
    std::vector<OutlineEntry> FOutline;
    std::map<std::string, Place> FDestinations;
    std::vector<Link> FLinks;

    std::vector<Page> FPages;
    void addPageFont(const std::string& name);

    std::map<std::string, PdfFont> FFonts;
    std::map<std::string, PdfType0Font> FEmbeddedFonts;
    std::vector<PdfImage> FImages;
    std::multimap<std::size_t, std::size_t> FImagesByHash;
};

} // namespace lanescope::report
