#pragma once

#include "report/ReportCanvas.h"

#include <memory>
#include <string>
#include <vector>

/**
 * A report device that keeps every page as a list of drawn items instead of painting: the report tests
 * read the items, and the preview dialog paints them. Text widths come from fixed font metrics, so a
 * recorded page is the same on every machine.
 */
namespace lanescope::report {

struct RecordedItem
{
    enum class Kind
    {
        Text,
        Line,
        Rectangle,
        Picture,
        Path,
        Hint,
    };
    Kind kind = Kind::Text;
    /**
     * Text: top-left corner; line: the two end points; rectangle, picture and hint: left, top, right,
     * bottom.
     */
    int x = 0;
    int y = 0;
    int x2 = 0;
    int y2 = 0;
    int penWidth = 0;
    std::string text;
    std::string fontName;
    int fontSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int escapement = 0;
    /** The measured width of a text. */
    int width = 0;
    std::shared_ptr<const ReportPicture> picture;
    /** A path's points and style. */
    std::vector<CanvasPoint> points;
    PathStyle style;
};

struct RecordedPage
{
    Orientation orientation = Orientation::Portrait;
    /** Paper size in tenths of a millimetre. */
    int pageWidth = 0;
    int pageHeight = 0;
    /** Page size in device units at the device's resolution. */
    int deviceWidth = 0;
    int deviceHeight = 0;
    bool complete = false;
    std::vector<RecordedItem> items;

    /** The texts of the page in drawing order. */
    std::vector<std::string> texts() const;
};

/**
 * Draws the items of a recorded page onto another canvas, scaled by numerator / denominator and moved by
 * (left, top) device units of that canvas: a picture recorded once is printed, previewed and shown this
 * way. Fonts keep their point size; the target canvas measures them at its own resolution.
 */
void replayItems(const RecordedPage& page, ReportCanvas& canvas, int left, int top, int numerator,
                 int denominator);

/** A canvas that appends what it is asked to draw to a page. */
class RecordingCanvas : public ReportCanvas
{
public:
    explicit RecordingCanvas(int dpi)
        : FDpi(dpi)
    {
    }
    void setPage(RecordedPage* page) { FPage = page; }

    void setFont(const std::string& name, int sizePoints, bool bold, bool italic, bool underline,
                 int escapement) override;
    /** Fixed-pitch fonts ("Courier ...") 0.6 em per character, every other font by the Helvetica metrics. */
    int textWidth(std::string_view text) override;
    /** 1.15 em. */
    int textHeight(std::string_view text) override;
    void drawText(int x, int y, std::string_view text) override;
    void drawLine(int x1, int y1, int x2, int y2, int penWidth) override;
    void drawRectangle(int left, int top, int right, int bottom, int penWidth) override;
    void drawPicture(int left, int top, int right, int bottom, const ReportPicture& picture) override;
    void drawPath(const std::vector<CanvasPoint>& points, const PathStyle& style) override;
    void addHint(int left, int top, int right, int bottom, std::string_view text) override;

private:
    RecordedPage& page();

    int FDpi;
    RecordedPage* FPage = nullptr;
    RecordedPage FSpare;
    std::string FFontName = "Arial";
    int FFontSize = 10;
    bool FBold = false;
    bool FItalic = false;
    bool FUnderline = false;
    int FEscapement = 0;
};

/**
 * Records the pages of one job. Beginning a job empties the page list, as the preview empties its
 * list at the start of every run.
 */
class RecordingDevice : public ReportDevice
{
public:
    explicit RecordingDevice(int dpi = 300, bool canMakeCopies = false);

    int dpiX() const override { return FDpi; }
    int dpiY() const override { return FDpi; }
    int offsetX() const override { return OffsetX; }
    int offsetY() const override { return OffsetY; }
    bool canMakeCopies() const override { return FCanMakeCopies; }
    void setCopies(int copies) override { FCopies = copies; }
    void setJobTitle(const std::string& title) override { FJobTitle = title; }
    bool jobRunning() const override { return FRunning; }
    ReportCanvas& beginJob(Orientation orientation, int pageWidth, int pageHeight) override;
    ReportCanvas& newSheet() override;
    void endPage() override;
    void endJob(bool aborted) override;
    void discardPages() override;

    const std::vector<RecordedPage>& pages() const { return FPages; }
    int copies() const { return FCopies; }
    const std::string& jobTitle() const { return FJobTitle; }
    int jobsBegun() const { return FJobsBegun; }
    int jobsEnded() const { return FJobsEnded; }
    bool lastJobAborted() const { return FLastAborted; }

    /** The printable area's physical offset that the engine subtracts from every position. */
    int OffsetX = 0;
    int OffsetY = 0;

private:
    ReportCanvas& addPage();

    int FDpi;
    bool FCanMakeCopies;
    int FCopies = 1;
    std::string FJobTitle;
    bool FRunning = false;
    Orientation FOrientation = Orientation::Portrait;
    int FPageWidth = 0;
    int FPageHeight = 0;
    int FJobsBegun = 0;
    int FJobsEnded = 0;
    bool FLastAborted = false;
    std::vector<RecordedPage> FPages;
    RecordingCanvas FCanvas;
};

} // namespace lanescope::report
