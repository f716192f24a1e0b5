#include "ui/ListSurface.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace lanescope::ui {

namespace {

constexpr int kScrollStep = 15; // one row of a list

QPalette::ColorRole paletteRole(browser::ColourRole role)
{
    switch (role) {
    case browser::ColourRole::Window:
        return QPalette::Base;
    case browser::ColourRole::WindowText:
        return QPalette::Text;
    case browser::ColourRole::Highlight:
        return QPalette::Highlight;
    case browser::ColourRole::HighlightText:
        return QPalette::HighlightedText;
    case browser::ColourRole::Changed:
        // The colour a theme gives to what stands out from the text, light on dark themes and dark on light.
        return QPalette::Link;
    }
    return QPalette::Text;
}

QColor colourOf(browser::ColourRole role, const QPalette& palette)
{
    return palette.color(paletteRole(role));
}

browser::FontStyle styleOf(int flags)
{
    const bool bold = (flags & browser::textflag::bold) != 0;
    const bool italic = (flags & browser::textflag::italic) != 0;
    if (bold)
        return italic ? browser::FontStyle::BoldItalic : browser::FontStyle::Bold;
    return italic ? browser::FontStyle::Italic : browser::FontStyle::Plain;
}

// The lists are laid out in an 8-point font. They are drawn larger in the proportion of the desktop's font
// size, so they read like the rest of the window; never smaller than laid out.
int desktopListScale()
{
    const double points = QApplication::font().pointSizeF();
    if (points <= 0)
        return 100;
    return std::clamp(static_cast<int>(std::lround(points * 100 / 8)), 100, 300);
}

} // namespace

ListSurface::ListSurface(QWidget* parent)
    : QAbstractScrollArea(parent)
    , FBox(FMeasure)
{
    FBox.SetScale(desktopListScale());
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(kScrollStep);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    updateScrollRanges();
}

void ListSurface::finished()
{
    updateScrollRanges();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void ListSurface::scrollToY(int y) { verticalScrollBar()->setValue(y); }

int ListSurface::scrollY() const { return verticalScrollBar()->value(); }

int ListSurface::scrollX() const { return horizontalScrollBar()->value(); }

int ListSurface::clientHeight() const { return viewport()->height(); }

void ListSurface::updateScrollRanges()
{
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, FBox.imageWidth() - view.width()));
    horizontalScrollBar()->setPageStep(std::max(1, view.width()));
    verticalScrollBar()->setRange(0, std::max(0, FBox.imageHeight() - view.height()));
    verticalScrollBar()->setPageStep(std::max(1, view.height()));
}

void ListSurface::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRanges();
    emit horizontalScrolled(-scrollX());
}

void ListSurface::scrollContentsBy(int dx, int /*dy*/)
{
    viewport()->update();
    if (dx != 0)
        emit horizontalScrolled(-scrollX());
}

void ListSurface::setRows(std::vector<std::pair<int, int>> rows, std::set<int> selected, int current)
{
    FRows = std::move(rows);
    FSelected = std::move(selected);
    FCurrent = current < static_cast<int>(FRows.size()) ? current : -1;
    if (FCurrent < 0 || FAnchor >= static_cast<int>(FRows.size()))
        FAnchor = FCurrent;
}

QRect ListSurface::rowRect(int row) const
{
    const double scale = FBox.scale() / 100.0;
    const auto& [top, bottom] = FRows[static_cast<std::size_t>(row)];
    const int y = static_cast<int>(top * scale) - scrollY() - 1;
    const int height = static_cast<int>((bottom - top) * scale);
    return QRect(0, y, std::max(viewport()->width(), FBox.imageWidth() - scrollX()), height);
}

int ListSurface::rowAt(const QPoint& point) const
{
    const double y = (point.y() + scrollY()) * 100.0 / FBox.scale() + 1;
    for (std::size_t k = 0; k < FRows.size(); ++k)
        if (y >= FRows[k].first && y < FRows[k].second)
            return static_cast<int>(k);
    return -1;
}

void ListSurface::moveTo(int row, bool extend)
{
    if (FRows.empty())
        return;
    row = std::clamp(row, 0, static_cast<int>(FRows.size()) - 1);
    if (!extend || FAnchor < 0)
        FAnchor = row;
    FSelected.clear();
    for (int k = std::min(FAnchor, row); k <= std::max(FAnchor, row); ++k)
        FSelected.insert(k);
    FCurrent = row;
    scrollToRow(row);
    emit selectionChanged();
}

void ListSurface::scrollToRow(int row)
{
    const QRect rect = rowRect(row);
    if (rect.top() < 0)
        verticalScrollBar()->setValue(scrollY() + rect.top());
    else if (rect.bottom() > viewport()->height())
        verticalScrollBar()->setValue(scrollY() + rect.bottom() - viewport()->height() + 2);
}

void ListSurface::keyPressEvent(QKeyEvent* event)
{
    QScrollBar* bar = verticalScrollBar();
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    const int last = static_cast<int>(FRows.size()) - 1;
    // Rows that fit one view, for the Page keys.
    const int pageRows =
        FRows.empty() ? 1 : std::max(1, clientHeight() / std::max(1, rowRect(0).height()) - 1);
    if (!FRows.empty()) {
        int row = -2;
        switch (event->key()) {
        case Qt::Key_Up:
            row = FCurrent < 0 ? 0 : FCurrent - 1;
            break;
        case Qt::Key_Down:
            row = FCurrent < 0 ? 0 : FCurrent + 1;
            break;
        case Qt::Key_PageUp:
            row = std::max(0, FCurrent - pageRows);
            break;
        case Qt::Key_PageDown:
            row = std::min(last, std::max(0, FCurrent) + pageRows);
            break;
        case Qt::Key_Home:
            row = 0;
            break;
        case Qt::Key_End:
            row = last;
            break;
        default:
            break;
        }
        if (row != -2) {
            moveTo(row, shift);
            event->accept();
            return;
        }
        if (event->matches(QKeySequence::SelectAll)) {
            FSelected.clear();
            for (int k = 0; k <= last; ++k)
                FSelected.insert(k);
            emit selectionChanged();
            event->accept();
            return;
        }
    }
    int delta = 0;
    switch (event->key()) {
    case Qt::Key_PageUp:
        delta = -(clientHeight() - bar->singleStep());
        break;
    case Qt::Key_PageDown:
        delta = clientHeight() - bar->singleStep();
        break;
    case Qt::Key_Up:
        delta = -bar->singleStep();
        break;
    case Qt::Key_Down:
        delta = bar->singleStep();
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    // Without a vertical scroll bar these keys do nothing.
    if (bar->maximum() > 0)
        bar->setValue(std::clamp(bar->value() + delta, 0, FBox.imageHeight()));
    event->accept();
}

void ListSurface::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const int row = event->button() == Qt::LeftButton ? rowAt(event->position().toPoint()) : -1;
    if (row >= 0) {
        if ((event->modifiers() & Qt::ControlModifier) != 0) {
            if (!FSelected.erase(row))
                FSelected.insert(row);
            FAnchor = row;
            FCurrent = row;
            emit selectionChanged();
        } else {
            moveTo(row, (event->modifiers() & Qt::ShiftModifier) != 0);
        }
        event->accept();
        return;
    }
    QAbstractScrollArea::mousePressEvent(event);
}

bool ListSurface::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        // The whole text of a shortened cell under the mouse.
        const auto* help = static_cast<QHelpEvent*>(event);
        const double scale = FBox.scale() / 100.0;
        const QPointF at((help->pos().x() + scrollX()) / scale, (help->pos().y() + scrollY()) / scale);
        for (const browser::PaintItem& item : FBox.items())
            if (item.kind == browser::PaintItem::Kind::Text && !item.fullText.empty() &&
                QRectF(item.left, item.y, item.drawnWidth, item.height).contains(at)) {
                QToolTip::showText(help->globalPos(), QString::fromStdString(item.fullText), viewport());
                return true;
            }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void ListSurface::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void ListSurface::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void ListSurface::quitAfterNextPaint()
{
    FQuitAfterPaint = true;
    viewport()->update();
}

void ListSurface::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    paintItems(painter, event->rect());
    if (hasFocus()) {
        // The focus frame: around the current row, or around the list when no row is current.
        painter.resetTransform();
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = FCurrent >= 0 ? rowRect(FCurrent).adjusted(1, 0, -2, 0)
                                    : viewport()->rect().adjusted(1, 1, -2, -2);
        option.backgroundColor = palette().color(QPalette::Base);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
    if (FQuitAfterPaint) {
        painter.end();
        std::fflush(nullptr);
        std::_Exit(EXIT_SUCCESS);
    }
}

void ListSurface::paintItems(QPainter& painter, const QRect& rect) const
{
    if (FBox.items().empty())
        return;
    const double scale = FBox.scale() / 100.0;
    painter.translate(-scrollX(), -scrollY());
    painter.scale(scale, scale);
    // The visible part in drawing coordinates; items outside it are not painted.
    const QRectF visible = QRectF(rect.translated(scrollX(), scrollY())).adjusted(-1, -1, 1, 1);
    const QRectF area(visible.left() / scale, visible.top() / scale, visible.width() / scale,
                      visible.height() / scale);
    for (const browser::PaintItem& item : FBox.items()) {
        if (item.kind == browser::PaintItem::Kind::Bar) {
            const QRectF bar = QRectF(QPointF(item.x, item.y), QPointF(item.x2, item.y2));
            if (bar.intersects(area))
                painter.fillRect(bar, colourOf(item.brush, palette()));
            continue;
        }
        if (item.kind == browser::PaintItem::Kind::Line) {
            const QRectF bounds = QRectF(QPointF(item.x, item.y), QPointF(item.x2, item.y2)).normalized();
            if (!bounds.adjusted(-item.pen - 1, -item.pen - 1, item.pen + 1, item.pen + 1).intersects(area))
                continue;
            painter.setPen(QPen(palette().color(QPalette::Text), item.pen));
            painter.drawLine(item.x, item.y, item.x2, item.y2);
            continue;
        }
        const bool rotated = (item.flags & browser::textflag::rotated) != 0;
        const QRectF bounds = rotated ? QRectF(item.left, item.y, item.height + 1, item.drawnWidth)
                                      : QRectF(item.left, item.y, item.drawnWidth, item.height + 1);
        if (bounds.intersects(area))
            paintText(painter, item);
    }
}

void ListSurface::paintText(QPainter& painter, const browser::PaintItem& item) const
{
    painter.save();
    if ((item.flags & browser::textflag::rotated) != 0) {
        // Turned by 90 degrees: the text runs upward from the bottom of its item.
        painter.translate(item.left, item.y + item.drawnWidth);
        painter.rotate(-90);
    } else {
        painter.translate(item.left, item.y);
    }
    const QRect box(0, 0, item.drawnWidth, item.height);
    if (item.brush != browser::ColourRole::Window)
        painter.fillRect(box, colourOf(item.brush, palette()));
    if (item.clipWidth > 0)
        painter.setClipRect(box.adjusted(0, 0, 0, 1));
    const QFont font = surfaceFont(styleOf(item.flags));
    painter.setFont(font);
    const QColor colour = colourOf(item.fontColour, palette());
    painter.setPen(colour);
    const QFontMetrics metrics(font);
    painter.drawText(0, metrics.ascent(), QString::fromStdString(item.text));
    if ((item.flags & browser::textflag::underline) != 0) {
        painter.setPen(QPen(colour, std::max(1, item.pen)));
        painter.drawLine(0, item.height, item.drawnWidth, item.height);
    }
    painter.restore();
}

} // namespace lanescope::ui
