#pragma once

#include <string>
#include <string_view>
#include <vector>

/**
 * The drawing recorder behind the two list surfaces of the main window. Core code records positioned
 * text items and lines; the Qt surface only paints what was recorded, so the layout is testable without
 * a display.
 */
namespace lanescope::browser {

/** Bits of the text flags of `TvnxPaintBox::AddText`, combined by addition. */
namespace textflag {
constexpr int left = 1;   // also the meaning of 0: left-aligned at x
constexpr int right = 2;  // x is the right edge
constexpr int centre = 4; // centred on x
constexpr int bold = 8;
constexpr int italic = 16;
constexpr int underline = 32; // a line under the text; the item counts one pixel higher
constexpr int rotated = 64;   // text turned by 90 degrees
} // namespace textflag

/** Colours as roles of the window palette; the shell maps them to the platform's colours. */
enum class ColourRole
{
    Window,
    WindowText,
    Highlight,
    HighlightText,
    Changed, // the bar of a result that is new or changed since the previous load
};

/** Font style bits of a text measurement. */
enum class FontStyle
{
    Plain,
    Bold,
    Italic,
    BoldItalic,
};

/**
 * Text measurement of the surface font. The core default is a fixed metric model; the Qt shell passes
 * its real font metrics so that alignment matches the pixels it paints.
 */
class TextMeasure
{
public:
    virtual ~TextMeasure() = default;
    /** Width in pixels of a UTF-8 text in the given style. */
    virtual int textWidth(std::string_view text, FontStyle style) const = 0;
    /** Height in pixels of one line of text (ascent plus descent). */
    virtual int textHeight() const = 0;
};

/**
 * The default measurement: the surface font is Arial (Liberation Sans on Linux) at 8 points on a
 * 96 dpi screen, an em of 11 pixels and a line of 13 pixels. Character widths are the standard
 * Arial/Helvetica advance widths of the printable ASCII letters (bold has its own table, italic uses the
 * plain one); every other character counts as an average letter. Widths are summed in em units and
 * rounded once, so the result does not depend on how a text is split.
 */
class ArialMeasure : public TextMeasure
{
public:
    int textWidth(std::string_view text, FontStyle style) const override;
    int textHeight() const override;
};

/**
 * The text shortened to the width: as much of its start as fits, "…", and its last keepEnd bytes (a
 * swimmer's year of birth). When even "…" and the kept end do not fit, the end is shortened too. The text
 * itself when it fits. Cuts fall between UTF-8 characters.
 */
std::string elideText(const TextMeasure& measure, std::string_view text, int width, FontStyle style,
                      std::size_t keepEnd = 0);

/** One recorded item: a text or a line. */
struct PaintItem
{
    enum class Kind
    {
        Text,
        Line,
        Bar, // a filled rectangle from (x, y) to (x2, y2) in the brush colour
    };
    Kind kind = Kind::Text;

    // Text: x and flags as passed to AddText; left is the left edge after alignment; drawnWidth the
    // (clipped) width of the text; clipWidth the width passed (0 or less: not clipped); height the line
    // height of the text. The shell clips the text to [left, left + drawnWidth) when clipWidth > 0; a text
    // longer than clipWidth is already shortened to fit.
    int x = 0;
    int y = 0;
    int clipWidth = 0;
    int flags = 0;
    std::string text;
    std::string fullText; // the whole text when text was shortened to clipWidth with "…"; else empty
    int left = 0;
    int drawnWidth = 0;
    int height = 0;
    ColourRole brush = ColourRole::Window;
    ColourRole fontColour = ColourRole::WindowText;

    // Line: from (x, y) to (x2, y2) with pen width pen. An underlined text also carries its underline
    // pen width here (text height / 15; 0 is the thinnest pen).
    int x2 = 0;
    int y2 = 0;
    int pen = 0;
};

/**
 * `TvnxPaintBox`: records one drawing between the first draw call and `Finish`. The first draw call
 * after a `Finish` (or a `Clear`) starts a new drawing: the items, the used extent and the colours are
 * reset. Drawings of any length are recorded whole (no canvas size limit).
 */
class TvnxPaintBox
{
public:
    /** Uses the default Arial measurement. */
    TvnxPaintBox();
    /** Uses the given measurement; it must outlive the paint box. */
    explicit TvnxPaintBox(const TextMeasure& measure);

    /** Removes the shown picture and any drawing being recorded. */
    void Clear();
    /**
     * Records a text item; flags are the sum of `textflag` bits. A text wider than a width above 0 is
     * shortened with "…" (keeping its last keepEnd bytes) and keeps the whole text as fullText.
     */
    void AddText(int x, int y, int width, int flags, std::string_view text, std::size_t keepEnd = 0);
    /** Records a line from (x1, y1) to (x2, y2); the argument order is the surface's own. */
    void AddLine(int x1, int y1, int penWidth, int y2, int x2);
    /** Records a filled rectangle of the given size in a colour role (drawn under nothing, beside the text).
     */
    void AddBar(int x, int y, int width, int height, ColourRole role);
    /** Ends the drawing: the recorded items become the shown picture (empty: a 1 x 1 image). */
    void Finish();

    /** Colours of the following text items (the recording canvas' brush and font colours). */
    void setBrush(ColourRole role);
    void setFontColour(ColourRole role);

    void SetScale(int percent);
    int scale() const { return scale_; }

    /** Largest right and bottom edge of anything drawn since the drawing started. */
    int usedWidth() const { return usedWidth_; }
    int usedHeight() const { return usedHeight_; }
    /** Size of the shown image: the used size times the scale, or 1 x 1 when nothing was drawn. */
    int imageWidth() const;
    int imageHeight() const;

    /** The recorded items, in drawing order (the current drawing or the shown picture). */
    const std::vector<PaintItem>& items() const { return items_; }
    bool recording() const { return recording_; }
    const TextMeasure& measure() const { return *measure_; }

private:
    void startDrawing();
    void cover(int right, int bottom);

    const TextMeasure* measure_;
    std::vector<PaintItem> items_;
    bool recording_ = false;
    int usedWidth_ = 0;
    int usedHeight_ = 0;
    int scale_ = 100;
    ColourRole brush_ = ColourRole::Window;
    ColourRole fontColour_ = ColourRole::WindowText;
};

} // namespace lanescope::browser
