#include "ui/VnxComboBox.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

namespace lanescope::ui {

TVnxComboBox::TVnxComboBox(QWidget* parent)
    : QComboBox(parent)
    , FFocusPolicy(focusPolicy())
{
}

void TVnxComboBox::setReadOnly(bool readOnly)
{
    if (readOnly == FReadOnly)
        return;
    FReadOnly = readOnly;
    if (readOnly) {
        FFocusPolicy = focusPolicy();
        hidePopup();
        setFocusPolicy(Qt::NoFocus);
    } else {
        setFocusPolicy(FFocusPolicy);
    }
    update();
}

void TVnxComboBox::showPopup()
{
    if (!FReadOnly)
        QComboBox::showPopup();
}

void TVnxComboBox::paintEvent(QPaintEvent* event)
{
    if (!FReadOnly) {
        QComboBox::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, currentText());
}

void TVnxComboBox::keyPressEvent(QKeyEvent* event)
{
    if (FReadOnly)
        event->ignore();
    else
        QComboBox::keyPressEvent(event);
}

void TVnxComboBox::wheelEvent(QWheelEvent* event)
{
    if (FReadOnly)
        event->ignore();
    else
        QComboBox::wheelEvent(event);
}

} // namespace lanescope::ui
