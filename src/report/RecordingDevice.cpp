#include "report/RecordingDevice.h"

#include "report/HelveticaMetrics.h"
#include "report/MulDiv.h"

#include <algorithm>

namespace lanescope::report {

namespace {

int characterCount(std::string_view text)
{
    // UTF-8 continuation bytes do not start a character.
    return static_cast<int>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// An item that covers a rectangle: a frame, a picture or a hint.
RecordedItem boxItem(RecordedItem::Kind kind, int left, int top, int right, int bottom)
{
    RecordedItem item;
    item.kind = kind;
    item.x = left;
    item.y = top;
    item.x2 = right;
    item.y2 = bottom;
    return item;
}

} // namespace

std::vector<std::string> RecordedPage::texts() const
{
    std::vector<std::string> result;
    for (const RecordedItem& item : items)
        if (item.kind == RecordedItem::Kind::Text)
            result.push_back(item.text);
    return result;
}

RecordedPage& RecordingCanvas::page() { return FPage ? *FPage : FSpare; }

void RecordingCanvas::setFont(const std::string& name, int sizePoints, bool bold, bool italic, bool underline,
                              int escapement)
{
    FFontName = name;
    FFontSize = sizePoints;
    FBold = bold;
    FItalic = italic;
    FUnderline = underline;
    FEscapement = escapement;
}

int RecordingCanvas::textWidth(std::string_view text)
{
    std::int64_t thousandths = 0;
    if (FFontName.rfind("Courier", 0) == 0) {
        thousandths = static_cast<std::int64_t>(characterCount(text)) * 600;
    } else {
        const HelveticaFont font = FBold ? (FItalic ? HelveticaFont::BoldOblique : HelveticaFont::Bold)
                                         : (FItalic ? HelveticaFont::Oblique : HelveticaFont::Regular);
        thousandths = helveticaTextWidth(font, text);
    }
    return mulDiv(thousandths * FFontSize, FDpi, 72 * 1000);
}

int RecordingCanvas::textHeight(std::string_view)
{
    return mulDiv(static_cast<std::int64_t>(FFontSize) * 115, FDpi, 7200);
}

void RecordingCanvas::drawText(int x, int y, std::string_view text)
{
    RecordedItem item;
    item.kind = RecordedItem::Kind::Text;
    item.x = x;
    item.y = y;
    item.text = std::string(text);
    item.fontName = FFontName;
    item.fontSize = FFontSize;
    item.bold = FBold;
    item.italic = FItalic;
    item.underline = FUnderline;
    item.escapement = FEscapement;
    item.width = textWidth(text);
    page().items.push_back(std::move(item));
}

void RecordingCanvas::drawLine(int x1, int y1, int x2, int y2, int penWidth)
{
    RecordedItem item;
    item.kind = RecordedItem::Kind::Line;
    item.x = x1;
    item.y = y1;
    item.x2 = x2;
    item.y2 = y2;
    item.penWidth = penWidth;
    page().items.push_back(std::move(item));
}

void RecordingCanvas::drawRectangle(int left, int top, int right, int bottom, int penWidth)
{
    RecordedItem item = boxItem(RecordedItem::Kind::Rectangle, left, top, right, bottom);
    item.penWidth = penWidth;
    page().items.push_back(std::move(item));
}

void RecordingCanvas::drawPicture(int left, int top, int right, int bottom, const ReportPicture& picture)
{
    RecordedItem item = boxItem(RecordedItem::Kind::Picture, left, top, right, bottom);
    item.picture = std::make_shared<const ReportPicture>(picture);
    page().items.push_back(std::move(item));
}

void RecordingCanvas::drawPath(const std::vector<CanvasPoint>& points, const PathStyle& style)
{
    RecordedItem item;
    item.kind = RecordedItem::Kind::Path;
    item.points = points;
    item.style = style;
    item.penWidth = style.penWidth;
    page().items.push_back(std::move(item));
}

void RecordingCanvas::addHint(int left, int top, int right, int bottom, std::string_view text)
{
    RecordedItem item = boxItem(RecordedItem::Kind::Hint, left, top, right, bottom);
    item.text = std::string(text);
    page().items.push_back(std::move(item));
}

void ReportCanvas::drawPath(const std::vector<CanvasPoint>& points, const PathStyle& style)
{
    for (std::size_t k = 1; k < points.size(); ++k)
        drawLine(points[k - 1].x, points[k - 1].y, points[k].x, points[k].y, style.penWidth);
    if (style.filled && points.size() > 2)
        drawLine(points.back().x, points.back().y, points.front().x, points.front().y, style.penWidth);
}

void replayItems(const RecordedPage& page, ReportCanvas& canvas, int left, int top, int numerator,
                 int denominator)
{
    const auto scaled = [&](int value) { return mulDiv(value, numerator, denominator); };
    const auto px = [&](int x) { return left + scaled(x); };
    const auto py = [&](int y) { return top + scaled(y); };
    const auto pen = [&](int width) { return width > 0 ? std::max(1, scaled(width)) : width; };
    for (const RecordedItem& item : page.items) {
        switch (item.kind) {
        case RecordedItem::Kind::Text:
            canvas.setFont(item.fontName, item.fontSize, item.bold, item.italic, item.underline,
                           item.escapement);
            canvas.drawText(px(item.x), py(item.y), item.text);
            break;
        case RecordedItem::Kind::Line:
            canvas.drawLine(px(item.x), py(item.y), px(item.x2), py(item.y2), pen(item.penWidth));
            break;
        case RecordedItem::Kind::Rectangle:
            canvas.drawRectangle(px(item.x), py(item.y), px(item.x2), py(item.y2), pen(item.penWidth));
            break;
        case RecordedItem::Kind::Picture:
            if (item.picture)
                canvas.drawPicture(px(item.x), py(item.y), px(item.x2), py(item.y2), *item.picture);
            break;
        case RecordedItem::Kind::Path: {
            std::vector<CanvasPoint> points;
            points.reserve(item.points.size());
            for (const CanvasPoint& point : item.points)
                points.push_back({px(point.x), py(point.y)});
            PathStyle style = item.style;
            style.penWidth = pen(style.penWidth);
            for (int& dash : style.dashes)
                dash = std::max(1, scaled(dash));
            canvas.drawPath(points, style);
            break;
        }
        case RecordedItem::Kind::Hint:
            canvas.addHint(px(item.x), py(item.y), px(item.x2), py(item.y2), item.text);
            break;
        }
    }
}

RecordingDevice::RecordingDevice(int dpi, bool canMakeCopies)
    : FDpi(std::max(dpi, 10))
    , FCanMakeCopies(canMakeCopies)
    , FCanvas(FDpi)
{
}

ReportCanvas& RecordingDevice::addPage()
{
    RecordedPage page;
    page.orientation = FOrientation;
    page.pageWidth = FPageWidth;
    page.pageHeight = FPageHeight;
    page.deviceWidth = mulDiv(FPageWidth, FDpi, 254);
    page.deviceHeight = mulDiv(FPageHeight, FDpi, 254);
    FPages.push_back(std::move(page));
    FCanvas.setPage(&FPages.back());
    return FCanvas;
}

ReportCanvas& RecordingDevice::beginJob(Orientation orientation, int pageWidth, int pageHeight)
{
    FPages.clear();
    FRunning = true;
    ++FJobsBegun;
    FOrientation = orientation;
    FPageWidth = pageWidth;
    FPageHeight = pageHeight;
    return addPage();
}

ReportCanvas& RecordingDevice::newSheet()
{
    if (!FPages.empty())
        FPages.back().complete = true;
    return addPage();
}

void RecordingDevice::endPage()
{
    if (!FPages.empty())
        FPages.back().complete = true;
}

void RecordingDevice::discardPages()
{
    FCanvas.setPage(nullptr);
    FPages.clear();
}

void RecordingDevice::endJob(bool aborted)
{
    endPage();
    FCanvas.setPage(nullptr);
    FRunning = false;
    ++FJobsEnded;
    FLastAborted = aborted;
}

} // namespace lanescope::report
