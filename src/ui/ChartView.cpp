#include "ui/ChartView.h"

#include "ui/QtReportCanvas.h"

#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

namespace lanescope::ui {

namespace {

// Pictures are drawn in logical pixels; the painter scales them to the screen.
constexpr int kScreenDpi = 96;

} // namespace

class ChartView::Picture : public QWidget
{
public:
    explicit Picture(const report::RecordedPage& page)
        : FPage(page)
    {
        setAutoFillBackground(true);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, Qt::white);
        setPalette(colours);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        QtReportCanvas canvas(painter);
        replayPage(FPage, canvas);
    }

    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip)
            return QWidget::event(event);
        const QPoint position = static_cast<QHelpEvent*>(event)->pos();
        for (const report::RecordedItem& item : FPage.items)
            if (item.kind == report::RecordedItem::Kind::Hint &&
                QRect(QPoint(item.x, item.y), QPoint(item.x2, item.y2)).contains(position)) {
                QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                                   QString::fromStdString(item.text), this);
                return true;
            }
        QToolTip::hideText();
        event->ignore();
        return true;
    }

private:
    const report::RecordedPage& FPage;
};

ChartView::ChartView(QWidget* parent)
    : QScrollArea(parent)
    , FPicture(new Picture(FPage))
{
    setWidget(FPicture);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBackgroundRole(QPalette::Base);
}

void ChartView::setDrawing(chart::PictureDrawing drawing)
{
    FDrawing = std::move(drawing);
    record();
}

void ChartView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    if (FPage.deviceWidth != viewport()->width())
        record();
}

void ChartView::record()
{
    FPage = {};
    report::RecordingCanvas canvas(kScreenDpi);
    canvas.setPage(&FPage);
    const int width = std::max(viewport()->width(), 200);
    FPage.deviceWidth = width;
    FPage.deviceHeight = FDrawing ? FDrawing(canvas, width, kScreenDpi) : 0;
    FPicture->resize(width, std::max(FPage.deviceHeight, viewport()->height()));
    FPicture->update();
}

} // namespace lanescope::ui
