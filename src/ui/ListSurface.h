#pragma once

#include "browser/PaintBox.h"
#include "ui/QtTextMeasure.h"

#include <QAbstractScrollArea>

namespace lanescope::ui {

/**
 * `TvnxPaintBox` on the screen: a scroll area that paints the items the core recorded into its paint box.
 * Only the items inside the visible part are painted, and the scroll position is an offset, so lists of
 * any length scroll to their end.
 */
class ListSurface : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit ListSurface(QWidget* parent = nullptr);

    /** The recorder that drawing code writes into; call finished() after its Finish. */
    browser::TvnxPaintBox& paintBox() { return FBox; }
    const browser::TvnxPaintBox& paintBox() const { return FBox; }

    /** Shows the finished drawing at the top left: both scroll bars go to 0. */
    void finished();
    /** Scrolls vertically to the pixel position (limited to the scroll range). */
    void scrollToY(int y);
    int scrollY() const;
    int scrollX() const;
    /** Visible height of the drawing area. */
    int clientHeight() const;
    /**
     * Ends the process right after the next paint, without saving settings or freeing the meet: the
     * start-up benchmark times the process from its start to the first drawn list this way.
     */
    void quitAfterNextPaint();

signals:
    /** The drawing moved horizontally: left is its new left position (0 or negative). */
    void horizontalScrolled(int left);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateScrollRanges();
    void paintItems(QPainter& painter, const QRect& rect) const;
    void paintText(QPainter& painter, const browser::PaintItem& item) const;

    QtTextMeasure FMeasure;
    browser::TvnxPaintBox FBox;
    bool FQuitAfterPaint = false;
};

} // namespace lanescope::ui
