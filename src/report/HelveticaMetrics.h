#pragma once

#include <array>
#include <cstdint>
#include <string_view>

/**
 * Character widths of the four standard Helvetica fonts (Adobe's published metrics) for the
 * Windows-1252 code page, which PDF calls WinAnsiEncoding. Widths are in thousandths of the font size.
 */
namespace lanescope::report {

enum class HelveticaFont
{
    Regular,
    Bold,
    Oblique,
    BoldOblique,
};

/** First and last code of the width tables; codes below the first have no glyph and width 0. */
constexpr int helveticaFirstChar = 32;
constexpr int helveticaLastChar = 255;

/** The font's PostScript name ("Helvetica", "Helvetica-Bold", ...). */
std::string_view helveticaBaseFont(HelveticaFont font);
/** The widths of codes 32 to 255, as the font's /Widths array lists them. */
const std::array<std::uint16_t, 224>& helveticaWidths(HelveticaFont font);
/** Width of one Windows-1252 byte. */
int helveticaCharWidth(HelveticaFont font, unsigned char code);
/** Width of Windows-1252 text. */
int helveticaWindows1252Width(HelveticaFont font, std::string_view windows1252);
/** Width of UTF-8 text as it is set in Windows-1252: characters the code page lacks count as "?". */
int helveticaTextWidth(HelveticaFont font, std::string_view utf8);

} // namespace lanescope::report
