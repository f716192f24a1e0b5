#pragma once

#include "report/RecordingDevice.h"
#include "report/ReportCanvas.h"

#include <QFont>
#include <QImage>
#include <vector>

class QPainter;

namespace lanescope::ui {

/** The report canvas on a Qt painter: printer sheets and preview page pictures. */
class QtReportCanvas : public report::ReportCanvas
{
public:
    /** The painter must be active on its device while the canvas is used. */
    explicit QtReportCanvas(QPainter& painter);

    void setFont(const std::string& name, int sizePoints, bool bold, bool italic, bool underline,
                 int escapement) override;
    int textWidth(std::string_view text) override;
    int textHeight(std::string_view text) override;
    void drawText(int x, int y, std::string_view text) override;
    void drawLine(int x1, int y1, int x2, int y2, int penWidth) override;
    void drawRectangle(int left, int top, int right, int bottom, int penWidth) override;
    void drawPicture(int left, int top, int right, int bottom, const report::ReportPicture& picture) override;
    void drawPath(const std::vector<report::CanvasPoint>& points, const report::PathStyle& style) override;

private:
    QPainter& FPainter;
    QFont FFont;
    int FEscapement = 0;
};

/** A report picture as a Qt image; a null image when a JPEG cannot be decoded. */
QImage toImage(const report::ReportPicture& picture);

/** Draws the recorded items of a page onto a canvas in their order. */
void replayPage(const report::RecordedPage& page, report::ReportCanvas& canvas);

/**
 * The preview picture of a recorded page: white, one pixel wider and higher than the page frame with its
 * shadow, at the resolution the page was recorded with.
 */
QImage pagePicture(const report::RecordedPage& page, int dpi);

/** The preview pictures of every recorded page. */
std::vector<QImage> pagePictures(const report::RecordingDevice& device);

} // namespace lanescope::ui
