#include "ui/ElidedTexts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace lanescope::ui {

ElidedLabel::ElidedLabel(QWidget* parent)
    : QFrame(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void ElidedLabel::setText(const QString& text)
{
    FText = text;
    updateToolTip();
    update();
}

bool ElidedLabel::elided() const { return fontMetrics().horizontalAdvance(FText) > contentsRect().width(); }

QSize ElidedLabel::sizeHint() const
{
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(FText) + margins.left() + margins.right(),
            fontMetrics().height() + margins.top() + margins.bottom()};
}

QSize ElidedLabel::minimumSizeHint() const { return {0, sizeHint().height()}; }

void ElidedLabel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(FText, Qt::ElideRight, area.width()));
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    updateToolTip();
}

void ElidedLabel::updateToolTip() { setToolTip(elided() ? FText : QString()); }

bool WholeTextToolTips::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                  const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event == nullptr || view == nullptr || event->type() != QEvent::ToolTip)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    // The room the text gets: the item's width without its icon and the style's margins.
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QStyle* style = view->style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, view);
    if (item.fontMetrics.horizontalAdvance(text) > textRect.width() - 2 * margin) {
        QToolTip::showText(event->globalPos(), text, view);
        return true;
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

void showWholeTexts(QAbstractItemView* view)
{
    view->setTextElideMode(Qt::ElideMiddle);
    view->setItemDelegate(new WholeTextToolTips(view));
}

} // namespace lanescope::ui
