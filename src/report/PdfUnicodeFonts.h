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
 * The embedded fonts of one PDF document, for texts that Windows-1252 cannot hold: Liberation Sans in
 * the text's style, DejaVu Sans for the letters Liberation lacks. Texts are split into runs of one face,
 * written as two-byte glyph numbers (Identity-H); every glyph used is remembered, so that the document
 * embeds subsets with exactly those glyphs, their widths and a map back to Unicode.
 */
namespace lanescope::report {

class PdfUnicodeFonts
{
public:
    /** A piece of text in one face: the font's resource name and the glyph numbers as hex digits. */
    struct Run
    {
        std::string fontName;
        std::string glyphHex;
    };

    /** True when an installed face was found; without one, texts stay in Windows-1252 and Helvetica. */
    bool available();
    /** Width of the UTF-8 text in thousandths of the font size. */
    int width(std::string_view utf8, bool bold, bool italic);
    /** The runs of the text; their glyphs are marked as used. */
    std::vector<Run> runs(std::string_view utf8, bool bold, bool italic);
    /** The fonts of the faces used so far, by resource name, each with a subset of its used glyphs. */
    std::map<std::string, PdfType0Font> fonts() const;

    /** True when every character of the UTF-8 text exists in Windows-1252. */
    static bool fitsWindows1252(std::string_view utf8);

private:
    struct Glyph
    {
        int face = 0;
        std::uint16_t number = 0;
        int width = 0;
    };
    struct FaceUse
    {
        std::shared_ptr<const TrueTypeFace> face;
        std::string fontName;
        /** Glyph number and the first code point it was used for. */
        std::map<std::uint16_t, char32_t> glyphs;
    };
    struct Style
    {
        int primary = -1;
        int fallback = -1;
        std::unordered_map<char32_t, Glyph> glyphs;
    };

    Style& style(bool bold, bool italic);
    int faceIndex(const std::shared_ptr<const TrueTypeFace>& face);
    const Glyph& glyph(Style& style, char32_t codePoint);

    std::vector<FaceUse> FFaces;
    std::map<int, Style> FStyles;
};

} // namespace lanescope::report
