#pragma once

#include "report/ReportPicture.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/**
 * The drawing surfaces of the report engine besides PDF and HTML: printer sheets and preview pages.
 * All positions are device units of the surface (pixels at its resolution), y growing downwards.
 * The core records pages for tests and for the preview; the shell adds the printer.
 */
namespace lanescope::report {

struct CanvasPoint
{
    int x = 0;
    int y = 0;
};

/**
 * How a path is drawn: an outline in a colour, with an optional dash pattern, or a filled shape. Pictures
 * such as the race picture tell swimmers apart by colour and, for greyscale print, by dashes.
 */
struct PathStyle
{
    /** 0xRRGGBB. */
    std::uint32_t colour = 0;
    int penWidth = 1;
    /** Alternating dash and gap lengths in device units; empty draws a solid line. */
    std::vector<int> dashes;
    /** Fills the closed shape in the colour instead of drawing its outline. */
    bool filled = false;
    /** What the path shows ("gap 3": the gap line of the third swimmer); SVG output names it as its class. */
    std::string name;
};

/** One page being drawn. */
class ReportCanvas
{
public:
    virtual ~ReportCanvas() = default;

    /** Selects the font for the following texts; size in whole points, escapement in tenths of a degree. */
    virtual void setFont(const std::string& name, int sizePoints, bool bold, bool italic, bool underline,
                         int escapement) = 0;
    virtual int textWidth(std::string_view text) = 0;
    virtual int textHeight(std::string_view text) = 0;
    /** Draws a text with its top-left corner at (x, y). */
    virtual void drawText(int x, int y, std::string_view text) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2, int penWidth) = 0;
    /** An unfilled rectangle (the page frame of a preview page). */
    virtual void drawRectangle(int left, int top, int right, int bottom, int penWidth) = 0;
    /** Stretches a picture into the rectangle. */
    virtual void drawPicture(int left, int top, int right, int bottom, const ReportPicture& picture) = 0;
    /**
     * A line through the points, or a filled shape. A surface without colours and dashes draws the outline
     * with plain lines, so nothing is lost on it.
     */
    virtual void drawPath(const std::vector<CanvasPoint>& points, const PathStyle& style);
    /** A text that a screen shows when the pointer rests on the rectangle; outputs on paper ignore it. */
    virtual void addHint(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/, std::string_view /*text*/)
    {
    }
};

/** Paper orientation of the page setup: 0 portrait, 1 landscape. */
enum class Orientation
{
    Portrait = 0,
    Landscape = 1,
};

/**
 * A device that hands out one canvas per page: a printer job or the preview page list. The engine
 * begins the job at its first page and ends it after the run.
 */
class ReportDevice
{
public:
    virtual ~ReportDevice() = default;

    /** Logical pixels per inch (at least 10) and the physical offset of the printable area. */
    virtual int dpiX() const = 0;
    virtual int dpiY() const = 0;
    virtual int offsetX() const { return 0; }
    virtual int offsetY() const { return 0; }
    /** Whether the device makes copies by itself (then the engine runs the report once). */
    virtual bool canMakeCopies() const { return false; }
    virtual void setCopies(int copies) { (void)copies; }
    virtual void setJobTitle(const std::string& title) { (void)title; }
    virtual bool jobRunning() const = 0;
    /** Starts the job with the first page in the given orientation and size (tenths of a millimetre). */
    virtual ReportCanvas& beginJob(Orientation orientation, int pageWidth, int pageHeight) = 0;
    /** Gives the next page of the running job (the engine has closed the previous one with endPage). */
    virtual ReportCanvas& newSheet() = 0;
    /** Closes the current page (a preview page is complete); its canvas is not used any more. */
    virtual void endPage() {}
    /** Drops the pages of an earlier run: the preview empties its page list before every run. */
    virtual void discardPages() {}
    /** Ends the job; aborted discards what was not yet printed. */
    virtual void endJob(bool aborted) = 0;
};

/**
 * The status dialog of a run: shows the page being produced and tells whether the user aborted.
 * Polling `aborted` is where a shell keeps its window alive during a run.
 */
class ReportStatus
{
public:
    virtual ~ReportStatus() = default;
    virtual void setLine(int index, const std::string& text) = 0;
    /** A problem the run goes on without (a page image that cannot be read), to be shown to the user. */
    virtual void warning(const std::string& text) { (void)text; }
    virtual bool aborted() = 0;
    /** Marks the run as aborted (test-page output stops after the current copy). */
    virtual void setAborted() = 0;
};

/** A status that shows nothing and is never aborted (command line, tests). */
class SilentStatus : public ReportStatus
{
public:
    void setLine(int, const std::string&) override {}
    bool aborted() override { return FAborted; }
    void setAborted() override { FAborted = true; }

private:
    bool FAborted = false;
};

} // namespace lanescope::report
