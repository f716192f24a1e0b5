#pragma once

#include "browser/PaintBox.h"
#include "ui/QtTextMeasure.h"

#include <QAbstractScrollArea>
#include <set>
#include <utility>
#include <vector>

namespace lanescope::ui {

/**
 * `TvnxPaintBox` on the screen: a scroll area that paints the items the core recorded into its paint box.
 * Only the items inside the visible part are painted, and the scroll position is an offset, so lists of
 * any length scroll to their end. A text the core shortened shows its whole text as tool tip. When the
 * drawing has rows, they are selected with the mouse (click, Shift, Ctrl) and the keys (arrows, Page keys,
 * Home, End, Ctrl+A); the current row has a focus frame while the list has the focus.
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
     * Top and bottom of each row of the drawing, in drawing pixels, with the selected rows and the current
     * row (-1: none) as drawn.
     */
    void setRows(std::vector<std::pair<int, int>> rows, std::set<int> selected = {}, int current = -1);
    const std::set<int>& selectedRows() const { return FSelected; }
    int currentRow() const { return FCurrent; }
    /**
     * Ends the process right after the next paint, without saving settings or freeing the meet: the
     * start-up benchmark times the process from its start to the first drawn list this way.
     */
    void quitAfterNextPaint();

signals:
    /** The drawing moved horizontally: left is its new left position (0 or negative). */
    void horizontalScrolled(int left);
    /** The user changed the selected rows; the drawing must show them. */
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    /** Row under a point of the viewport; -1 for none. */
    int rowAt(const QPoint& point) const;
    /** Makes the row current and selects it (alone, or from the anchor with extend). */
    void moveTo(int row, bool extend);
    void scrollToRow(int row);
    /** A row's rectangle in viewport pixels. */
    QRect rowRect(int row) const;
    void updateScrollRanges();
    void paintItems(QPainter& painter, const QRect& rect) const;
    void paintText(QPainter& painter, const browser::PaintItem& item) const;

    QtTextMeasure FMeasure;
    browser::TvnxPaintBox FBox;
    bool FQuitAfterPaint = false;
    std::vector<std::pair<int, int>> FRows;
    std::set<int> FSelected;
    int FCurrent = -1;
    int FAnchor = -1;
};

} // namespace lanescope::ui
