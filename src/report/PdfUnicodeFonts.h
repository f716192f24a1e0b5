#pragma once

#include "report/PdfDocument.h"
#include "report/TrueTypeFace.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

/**
 * The embedded fonts of one PDF document, for texts that Windows-1252 cannot hold. A text is made ready
 * first: NFC, control characters out (tab and line breaks become blanks, marks of direction and embedding
 * go), then each cell is one paragraph of ICU's bidi algorithm. Every letter group gets a face:
 * Liberation Sans in the text's style when it has the letters, else the face fontconfig prefers for them
 * (a CJK face for Chinese, Japanese, Korean). Each run of one face and direction is shaped by HarfBuzz and
 * written as two-byte glyph numbers (Identity-H) in visual order. Every glyph used is remembered with
 * the text it stands for, so that the document embeds subsets with exactly those glyphs, their widths
 * and a map back to Unicode; a letter no face has is drawn as the missing-glyph box and counted.
 */
namespace lanescope::report {

class PdfUnicodeFonts
{
public:
    /**
     * A piece of text in one face at one height: the font's resource name, the contents of its TJ array,
     * and how far above the baseline its glyphs sit (thousandths of the font size; a mark that shaping
     * placed above or below its letter, negative below).
     */
    struct Run
    {
        std::string fontName;
        std::string glyphArray;
        int rise = 0;
    };

    /** True when an installed face was found; without one, texts stay in Windows-1252 and Helvetica. */
    bool available();
    /** Width of the UTF-8 text in thousandths of the font size. */
    int width(std::string_view utf8, bool bold, bool italic);
    /**
     * The runs of the text, left to right, a new one where the face or the height changes; their glyphs are marked as used, and each letter that no face
     * has adds one to the missing count.
     */
    std::vector<Run> runs(std::string_view utf8, bool bold, bool italic);
    /** Letters drawn as the missing-glyph box so far. */
    int missingCount() const { return FMissing; }
    /** The fonts of the faces used so far, by resource name, each with a subset of its used glyphs. */
    std::map<std::string, PdfType0Font> fonts() const;

    /** True when every character of the UTF-8 text exists in Windows-1252. */
    static bool fitsWindows1252(std::string_view utf8);
    /** NFC, tabs and line breaks as blanks, other control characters and direction marks removed. */
    static std::string prepared(std::string_view utf8);

private:
    struct PlacedGlyph
    {
        int face = 0;
        std::uint16_t number = 0;
        /** The shaped advance and offset, thousandths of the font size. */
        int advance = 0;
        int offsetX = 0;
        int offsetY = 0;
        /** The text the glyph stands for; empty for the further glyphs of one letter group. */
        std::u16string text;
    };
    struct Shaped
    {
        std::vector<PlacedGlyph> glyphs;
        int width = 0;
        int missing = 0;
    };
    struct FaceUse
    {
        std::shared_ptr<const TrueTypeFace> face;
        std::string fontName;
        /** Glyph number and the text it stands for (the first text seen for it). */
        std::map<std::uint16_t, std::u16string> glyphs;
    };
    struct Style
    {
        bool bold = false;
        bool italic = false;
        int primary = -1;
        /** The faces chosen for code points so far. */
        std::unordered_map<char32_t, int> faceOf;
    };

    Style& style(bool bold, bool italic);
    int faceIndex(const std::shared_ptr<const TrueTypeFace>& face);
    /** The face for a letter group: the primary when it has every letter, else fontconfig's; -1: none. */
    int faceFor(Style& style, const std::u16string& text, std::size_t start, std::size_t end);
    const Shaped& shaped(std::string_view utf8, bool bold, bool italic);
    Shaped shape(Style& style, const std::u16string& text);

    std::vector<FaceUse> FFaces;
    std::map<int, Style> FStyles;
    std::unordered_map<std::string, Shaped> FShaped;
    int FMissing = 0;
};

} // namespace lanescope::report
