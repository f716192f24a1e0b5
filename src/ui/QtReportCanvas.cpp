#include "ui/QtReportCanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

namespace lanescope::ui {

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QtReportCanvas::QtReportCanvas(QPainter& painter)
    : FPainter(painter)
    , FFont(QStringLiteral("Arial"), 10)
{
}

void QtReportCanvas::setFont(const std::string& name, int sizePoints, bool bold, bool italic, bool underline,
                             int escapement)
{
    FFont = QFont(QString::fromStdString(name));
    FFont.setPointSize(std::max(sizePoints, 1));
    FFont.setBold(bold);
    FFont.setItalic(italic);
    FFont.setUnderline(underline);
    FEscapement = escapement;
}

int QtReportCanvas::textWidth(std::string_view text)
{
    return QFontMetrics(FFont, FPainter.device()).horizontalAdvance(qs(text));
}

int QtReportCanvas::textHeight(std::string_view) { return QFontMetrics(FFont, FPainter.device()).height(); }

void QtReportCanvas::drawText(int x, int y, std::string_view text)
{
    const QFontMetrics metrics(FFont, FPainter.device());
    FPainter.save();
    FPainter.setFont(FFont);
    FPainter.setPen(Qt::black);
    FPainter.translate(x, y);
    // The escapement turns the text counter-clockwise around its top-left corner.
    if (FEscapement != 0)
        FPainter.rotate(-FEscapement / 10.0);
    FPainter.drawText(QPoint(0, metrics.ascent()), qs(text));
    FPainter.restore();
}

void QtReportCanvas::drawLine(int x1, int y1, int x2, int y2, int penWidth)
{
    FPainter.setPen(QPen(Qt::black, std::max(penWidth, 1), Qt::SolidLine, Qt::FlatCap));
    FPainter.drawLine(x1, y1, x2, y2);
}

void QtReportCanvas::drawRectangle(int left, int top, int right, int bottom, int penWidth)
{
    FPainter.setPen(QPen(Qt::black, std::max(penWidth, 1)));
    FPainter.setBrush(Qt::NoBrush);
    FPainter.drawRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void QtReportCanvas::drawPath(const std::vector<report::CanvasPoint>& points, const report::PathStyle& style)
{
    if (points.empty())
        return;
    QPolygon polygon;
    for (const report::CanvasPoint& point : points)
        polygon << QPoint(point.x, point.y);
    const QColor colour = QColor::fromRgb(static_cast<QRgb>(style.colour));
    FPainter.save();
    FPainter.setRenderHint(QPainter::Antialiasing);
    if (style.filled) {
        FPainter.setPen(Qt::NoPen);
        FPainter.setBrush(colour);
        FPainter.drawPolygon(polygon);
    } else {
        QPen pen(colour, std::max(style.penWidth, 1));
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::RoundJoin);
        if (!style.dashes.empty()) {
            // Qt counts dash lengths in pen widths.
            QList<qreal> pattern;
            for (const int dash : style.dashes)
                pattern << std::max(1.0, static_cast<double>(dash) / pen.widthF());
            if (pattern.size() % 2 != 0)
                pattern << pattern.back();
            pen.setDashPattern(pattern);
        }
        FPainter.setPen(pen);
        FPainter.setBrush(Qt::NoBrush);
        FPainter.drawPolyline(polygon);
    }
    FPainter.restore();
}

void QtReportCanvas::drawPicture(int left, int top, int right, int bottom,
                                 const report::ReportPicture& picture)
{
    const QImage image = toImage(picture);
    if (!image.isNull())
        FPainter.drawImage(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), image);
}

QImage toImage(const report::ReportPicture& picture)
{
    if (picture.kind == report::ReportPicture::Kind::Jpeg)
        return QImage::fromData(reinterpret_cast<const uchar*>(picture.jpegData.data()),
                                static_cast<int>(picture.jpegData.size()), "JPEG");
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    const bool palette = picture.bitsPerPixel <= 8;
    const std::size_t bytes = palette ? 1 : 3;
    if (picture.pixels.size() < static_cast<std::size_t>(picture.width) * picture.height * bytes)
        return {};
    const std::uint8_t* pixel = picture.pixels.data();
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x, pixel += bytes) {
            if (!palette) {
                line[x] = qRgb(pixel[0], pixel[1], pixel[2]);
                continue;
            }
            const std::size_t entry = static_cast<std::size_t>(*pixel) * 3;
            line[x] =
                entry + 2 < picture.palette.size()
                    ? qRgb(picture.palette[entry], picture.palette[entry + 1], picture.palette[entry + 2])
                    : qRgb(0, 0, 0);
        }
    }
    return image;
}

void replayPage(const report::RecordedPage& page, report::ReportCanvas& canvas)
{
    report::replayItems(page, canvas, 0, 0, 1, 1);
}

QImage pagePicture(const report::RecordedPage& page, int dpi)
{
    QImage image(std::max(page.deviceWidth + 2, 1), std::max(page.deviceHeight + 2, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    // Fonts given in points come out at the size the page was measured with.
    const int dotsPerMeter = qRound(dpi * 10000.0 / 254.0);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QtReportCanvas canvas(painter);
    replayPage(page, canvas);
    return image;
}

std::vector<QImage> pagePictures(const report::RecordingDevice& device)
{
    std::vector<QImage> pictures;
    for (const report::RecordedPage& page : device.pages())
        pictures.push_back(pagePicture(page, device.dpiX()));
    return pictures;
}

} // namespace lanescope::ui
