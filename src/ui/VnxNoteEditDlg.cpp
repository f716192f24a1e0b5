#include "ui/VnxNoteEditDlg.h"

#include "base/LanguageTexts.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace lanescope::ui {

namespace {

QString viewerText(int number) { return QString::fromStdString(base::languageText('V', number)); }

/** The font choice stays for the rest of the program run. */
bool& fixedFontChosen()
{
    static bool fixed = false;
    return fixed;
}

} // namespace

TvnxNoteEditDlg::TvnxNoteEditDlg(int columns, int lines, const QString& caption, const QString& text,
                                 QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    Memo = new QPlainTextEdit(this);
    Memo->setPlainText(text);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    rbVariable = new QRadioButton(viewerText(109), this);
    rbVariable->setObjectName(QStringLiteral("rbVariable"));
    rbFixed = new QRadioButton(viewerText(110), this);
    rbFixed->setObjectName(QStringLiteral("rbFixed"));
    (fixedFontChosen() ? rbFixed : rbVariable)->setChecked(true);
    lblCaret = new QLabel(this);
    lblCaret->setObjectName(QStringLiteral("lblCaret"));
    auto* close = new QPushButton(viewerText(111), this);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(rbFixed, &QRadioButton::toggled, this, [this](bool fixed) {
        fixedFontChosen() = fixed;
        applyFont();
    });
    connect(Memo, &QPlainTextEdit::cursorPositionChanged, this, &TvnxNoteEditDlg::showCaret);

    auto* panel = new QHBoxLayout;
    panel->addWidget(rbVariable);
    panel->addWidget(rbFixed);
    panel->addWidget(lblCaret, 1);
    panel->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo, 1);
    layout->addLayout(panel);
    applyFont();
    showCaret();

    const double scale = logicalDpiX() / 96.0;
    const int panelHeight = panel->sizeHint().height() + layout->contentsMargins().bottom();
    resize(qRound((columns * 7.1 + 16) * scale), qRound(lines * 14.6 * scale) + panelHeight);
}

QString TvnxNoteEditDlg::text() const { return Memo->toPlainText(); }

void TvnxNoteEditDlg::applyFont()
{
    Memo->setFont(fixedFontChosen() ? QFont(QStringLiteral("Courier New")) : font());
}

void TvnxNoteEditDlg::showCaret()
{
    const QTextCursor cursor = Memo->textCursor();
    lblCaret->setText(
        QStringLiteral("%1: %2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
}

} // namespace lanescope::ui
