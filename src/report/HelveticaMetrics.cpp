#include "report/HelveticaMetrics.h"

#include "base/CodePage.h"

namespace lanescope::report {

namespace {

// Codes 32 to 255. The codes Windows-1252 leaves unused (127, 129, 141, 143, 144, 157) show the
// bullet in WinAnsiEncoding and get its width. The oblique fonts share the upright widths.
const std::array<std::uint16_t, 224> kRegular = {
    278, 278, 355, 556, 556, 889,  667,  191,  333, 333, 389,  584, 278, 333,  278,  278, 556, 556, 556,
    556, 556, 556, 556, 556, 556,  556,  278,  278, 584, 584,  584, 556, 1015, 667,  667, 722, 722, 667,
    611, 778, 722, 278, 500, 667,  556,  833,  722, 778, 667,  778, 722, 667,  611,  722, 667, 944, 667,
    667, 611, 278, 278, 278, 469,  556,  333,  556, 556, 500,  556, 556, 278,  556,  556, 222, 222, 500,
    222, 833, 556, 556, 556, 556,  333,  500,  278, 556, 500,  722, 500, 500,  500,  334, 260, 334, 584,
    350, 556, 350, 222, 556, 333,  1000, 556,  556, 333, 1000, 667, 333, 1000, 350,  611, 350, 350, 222,
    222, 333, 333, 350, 556, 1000, 333,  1000, 500, 333, 944,  350, 500, 667,  278,  333, 556, 556, 556,
    556, 260, 556, 333, 737, 370,  556,  584,  333, 737, 333,  400, 584, 333,  333,  333, 556, 537, 278,
    333, 333, 365, 556, 834, 834,  834,  611,  667, 667, 667,  667, 667, 667,  1000, 722, 667, 667, 667,
    667, 278, 278, 278, 278, 722,  722,  778,  778, 778, 778,  778, 584, 778,  722,  722, 722, 722, 667,
    667, 611, 556, 556, 556, 556,  556,  556,  889, 500, 556,  556, 556, 556,  278,  278, 278, 278, 556,
    556, 556, 556, 556, 556, 556,  584,  611,  556, 556, 556,  556, 500, 556,  500,
};

const std::array<std::uint16_t, 224> kBold = {
    278, 333, 474, 556, 556, 889,  722,  238,  333, 333, 389,  584, 278, 333,  278,  278, 556, 556, 556,
    556, 556, 556, 556, 556, 556,  556,  333,  333, 584, 584,  584, 611, 975,  722,  722, 722, 722, 667,
    611, 778, 722, 278, 556, 722,  611,  833,  722, 778, 667,  778, 722, 667,  611,  722, 667, 944, 667,
    667, 611, 333, 278, 333, 584,  556,  333,  556, 611, 556,  611, 556, 333,  611,  611, 278, 278, 556,
    278, 889, 611, 611, 611, 611,  389,  556,  333, 611, 556,  778, 556, 556,  500,  389, 280, 389, 584,
    350, 556, 350, 278, 556, 500,  1000, 556,  556, 333, 1000, 667, 333, 1000, 350,  611, 350, 350, 278,
    278, 500, 500, 350, 556, 1000, 333,  1000, 556, 333, 944,  350, 500, 667,  278,  333, 556, 556, 556,
    556, 280, 556, 333, 737, 370,  556,  584,  333, 737, 333,  400, 584, 333,  333,  333, 611, 556, 278,
    333, 333, 365, 556, 834, 834,  834,  611,  722, 722, 722,  722, 722, 722,  1000, 722, 667, 667, 667,
    667, 278, 278, 278, 278, 722,  722,  778,  778, 778, 778,  778, 584, 778,  722,  722, 722, 722, 667,
    667, 611, 556, 556, 556, 556,  556,  556,  889, 556, 556,  556, 556, 556,  278,  278, 278, 278, 611,
    611, 611, 611, 611, 611, 611,  584,  611,  611, 611, 611,  611, 556, 611,  556,
};

bool isBold(HelveticaFont font) { return font == HelveticaFont::Bold || font == HelveticaFont::BoldOblique; }

} // namespace

std::string_view helveticaBaseFont(HelveticaFont font)
{
    switch (font) {
    case HelveticaFont::Regular:
        return "Helvetica";
    case HelveticaFont::Bold:
        return "Helvetica-Bold";
    case HelveticaFont::Oblique:
        return "Helvetica-Oblique";
    case HelveticaFont::BoldOblique:
        return "Helvetica-BoldOblique";
    }
    return "Helvetica";
}

const std::array<std::uint16_t, 224>& helveticaWidths(HelveticaFont font)
{
    return isBold(font) ? kBold : kRegular;
}

int helveticaCharWidth(HelveticaFont font, unsigned char code)
{
    if (code < helveticaFirstChar)
        return 0;
    return helveticaWidths(font)[code - helveticaFirstChar];
}

int helveticaWindows1252Width(HelveticaFont font, std::string_view windows1252)
{
    int width = 0;
    for (const char c : windows1252)
        width += helveticaCharWidth(font, static_cast<unsigned char>(c));
    return width;
}

int helveticaTextWidth(HelveticaFont font, std::string_view utf8)
{
    return helveticaWindows1252Width(font, base::encodeWindows1252(utf8));
}

} // namespace lanescope::report
