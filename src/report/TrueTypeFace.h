#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

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
    /** A glyph as shaping placed it; advance and offset in thousandths of the font size. */
    struct ShapedGlyph
    {
        std::uint16_t glyph = 0;
        /** The index in the shaped UTF-16 text of the first character the glyph stands for. */
        std::uint32_t cluster = 0;
        int advance = 0;
        int offsetX = 0;
        /** Upwards from the baseline: a mark placed above or below its letter. */
        int offsetY = 0;
    };

    /**
     * Opens the face (index `faceIndex` of a font collection); null when the file cannot be read or holds
     * neither TrueType ("glyf") nor CFF outlines.
     */
    static std::shared_ptr<const TrueTypeFace> open(const std::string& fileName, int faceIndex = 0);
    ~TrueTypeFace();
    TrueTypeFace(const TrueTypeFace&) = delete;
    TrueTypeFace& operator=(const TrueTypeFace&) = delete;

    /** The glyph of the code point, 0 (the missing-glyph box) when the face lacks it. */
    std::uint16_t glyph(char32_t codePoint) const;
    /** True for CFF outlines (embedded as a CID font of type 0), false for TrueType outlines. */
    bool cff() const { return FCff; }
    /**
     * Shapes text[start, start + length) of the UTF-16 text (the rest is context) with HarfBuzz in the
     * direction given: joined Arabic letters, marks on their letters, ligatures. The glyphs come in
     * visual order, left to right; default-ignorable characters (joiners, marks of direction) give none.
     */
    std::vector<ShapedGlyph> shape(const std::u16string& text, std::size_t start, std::size_t length,
                                   bool rightToLeft) const;
    /** Advance width of the glyph in thousandths of the font size, rounded. */
    int advance(std::uint16_t glyph) const;
    /** The PostScript name, blanks and PDF delimiters removed ("LiberationSans-Bold"). */
    const std::string& postScriptName() const { return FPostScriptName; }
    const FontDescriptorMetrics& metrics() const { return FMetrics; }
    /**
     * A font file holding the glyphs (and the missing-glyph box) under their own glyph numbers, so that
     * text written with this face's numbers shows the same glyphs; hinting is dropped. For CFF outlines
     * the bare CFF table. Empty on failure.
     */
    std::string subset(const std::set<std::uint16_t>& glyphs, const std::set<char32_t>& codePoints) const;

private:
    struct HarfBuzz;
    explicit TrueTypeFace(std::unique_ptr<HarfBuzz> harfBuzz);

    std::unique_ptr<HarfBuzz> FHarfBuzz;
    std::string FPostScriptName;
    FontDescriptorMetrics FMetrics;
    int FUnitsPerEm = 1000;
    bool FCff = false;
};

} // namespace lanescope::report
