#include "ui/VnxStatusBar.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace lanescope::ui {

namespace {

constexpr int kTickMs = 500;
constexpr int kMessageTicks = 8;
constexpr int kProtectedTicks = 3;
constexpr int kIndicatorWidth = 45;

QLabel* indicatorPanel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setFixedWidth(kIndicatorWidth);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

// Caret position (from 1) of an editable text field; empty for anything else.
QString caretPosition(QWidget* focus)
{
    if (auto* combo = qobject_cast<QComboBox*>(focus))
        focus = combo->lineEdit();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(focus))
        focus = spin->findChild<QLineEdit*>();
    if (auto* edit = qobject_cast<QLineEdit*>(focus); edit && !edit->isReadOnly())
        return QString::number(edit->cursorPosition() + 1);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(focus); edit && !edit->isReadOnly()) {
        const QTextCursor cursor = edit->textCursor();
        return QStringLiteral("%1:%2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1);
    }
    if (auto* edit = qobject_cast<QTextEdit*>(focus); edit && !edit->isReadOnly()) {
        const QTextCursor cursor = edit->textCursor();
        return QStringLiteral("%1:%2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1);
    }
    return {};
}

} // namespace

TvnxStatusBar::TvnxStatusBar(QWidget* parent)
    : QStatusBar(parent)
    , FMessage(new QLabel(this))
    , FNum(indicatorPanel(this))
    , FCaps(indicatorPanel(this))
    , FCaret(indicatorPanel(this))
{
    FMessage->setAutoFillBackground(true);
    FMessage->setMinimumWidth(1);
    addWidget(FMessage, 1);
    addPermanentWidget(FNum);
    addPermanentWidget(FCaps);
    addPermanentWidget(FCaret);
    // A panel shows only while it has something to say: Num and Caps Lock cannot be read portably, and the
    // caret panel appears while an editable field has the focus.
    FNum->hide();
    FCaps->hide();
    FCaret->hide();
    connect(&FTimer, &QTimer::timeout, this, &TvnxStatusBar::tick);
    FTimer.start(kTickMs);
    qApp->installEventFilter(this);
}

TvnxStatusBar::~TvnxStatusBar() { qApp->removeEventFilter(this); }

void TvnxStatusBar::showText(const QString& text, Kind kind)
{
    FKind = kind;
    QFont font = FMessage->font();
    font.setBold(kind != Kind::Hint);
    FMessage->setFont(font);
    applyColours();
    FMessage->setText(text);
}

void TvnxStatusBar::applyColours()
{
    // Colours come from the bar's current palette, so the message stays readable under a dark desktop
    // theme and follows a change of theme: information in the link colour, errors white on a dark red.
    const QPalette& own = palette();
    QPalette colours = own;
    if (FKind == Kind::Error) {
        colours.setColor(QPalette::Window, QColor(0xc0, 0x1c, 0x28));
        colours.setColor(QPalette::WindowText, Qt::white);
    } else if (FKind == Kind::Information) {
        colours.setColor(QPalette::WindowText, own.color(QPalette::Link));
    }
    FMessage->setPalette(colours);
}

void TvnxStatusBar::changeEvent(QEvent* event)
{
    QStatusBar::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyColours();
}

void TvnxStatusBar::setHint(const QString& hint)
{
    QString shown = hint.startsWith(QLatin1Char('@')) ? QString() : hint;
    shown.replace(QLatin1String("\r\n"), QLatin1String(" | "))
        .replace(QLatin1Char('\n'), QLatin1String(" | "));
    FHint = shown.isEmpty() ? QString() : QLatin1Char(' ') + shown;
    if (FMessageTicks >= 0 && FMessageTicks < kProtectedTicks)
        return;
    FMessageTicks = -1;
    showText(FHint, Kind::Hint);
}

void TvnxStatusBar::informationMessage(const QString& text)
{
    FMessageTicks = 0;
    showText(text, Kind::Information);
}

void TvnxStatusBar::errorMessage(const QString& text)
{
    FMessageTicks = 0;
    showText(text, Kind::Error);
    QApplication::beep();
}

void TvnxStatusBar::progressText(const QString& text)
{
    FMessageTicks = -1;
    showText(text, Kind::Hint);
    FMessage->repaint();
}

QString TvnxStatusBar::messageText() const { return FMessage->text(); }
QString TvnxStatusBar::numIndicator() const { return FNum->text(); }
QString TvnxStatusBar::capsIndicator() const { return FCaps->text(); }
QString TvnxStatusBar::caretIndicator() const { return FCaret->text(); }

void TvnxStatusBar::endMessage()
{
    FMessageTicks = -1;
    showText(FHint, Kind::Hint);
}

void TvnxStatusBar::tick()
{
    if (FMessageTicks >= 0 && ++FMessageTicks >= kMessageTicks)
        endMessage();
    refreshIndicators();
}

void TvnxStatusBar::refreshIndicators()
{
    // Qt offers no portable way to read the Num Lock and Caps Lock states, so these panels stay empty.
    FCaret->setText(caretPosition(QApplication::focusWidget()));
    FCaret->setVisible(!FCaret->text().isEmpty());
}

bool TvnxStatusBar::eventFilter(QObject* watched, QEvent* event)
{
    if (FMessageTicks >= 0 &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress))
        endMessage();
    return QStatusBar::eventFilter(watched, event);
}

} // namespace lanescope::ui
