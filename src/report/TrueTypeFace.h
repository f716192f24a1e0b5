#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>

/**
 * A TrueType font file opened for PDF output: glyphs by code point, advance widths in thousandths of the
 * font size, the metrics a PDF font descriptor needs, and subsets that hold only chosen glyphs. Read
 * through HarfBuzz; a face is immutable after opening and may be shared between documents.
 */
namespace lanescope::report {

struct FontDescriptorMetrics
{
    /** In thousandths of the font size. */
    int ascent = 0;
    int descent = 0;
    int capHeight = 0;
    int bbox[4] = {0, 0, 0, 0};
    /** Degrees counter-clockwise from the vertical; 0 for upright faces. */
    int italicAngle = 0;
};

class TrueTypeFace
{
public:
    /**
     * Opens the file; null when it cannot be read or holds no TrueType outlines ("glyf" table), which
     * an embedded CID font of type 2 needs.
     */
    static std::shared_ptr<const TrueTypeFace> open(const std::string& fileName);
    ~TrueTypeFace();
    TrueTypeFace(const TrueTypeFace&) = delete;
    TrueTypeFace& operator=(const TrueTypeFace&) = delete;

    /** The glyph of the code point, 0 (the missing-glyph box) when the face lacks it. */
    std::uint16_t glyph(char32_t codePoint) const;
    /** Advance width of the glyph in thousandths of the font size, rounded. */
    int advance(std::uint16_t glyph) const;
    /** The PostScript name, blanks and PDF delimiters removed ("LiberationSans-Bold"). */
    const std::string& postScriptName() const { return FPostScriptName; }
    const FontDescriptorMetrics& metrics() const { return FMetrics; }
    /**
     * A font file holding the glyphs (and the missing-glyph box) under their own glyph numbers, so that
     * text written with this face's numbers shows the same glyphs; hinting is dropped. Empty on failure.
     */
    std::string subset(const std::set<std::uint16_t>& glyphs, const std::set<char32_t>& codePoints) const;

private:
    struct HarfBuzz;
    explicit TrueTypeFace(std::unique_ptr<HarfBuzz> harfBuzz);

    std::unique_ptr<HarfBuzz> FHarfBuzz;
    std::string FPostScriptName;
    FontDescriptorMetrics FMetrics;
    int FUnitsPerEm = 1000;
};

} // namespace lanescope::report
