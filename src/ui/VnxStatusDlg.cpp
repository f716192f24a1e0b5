#include "ui/VnxStatusDlg.h"

#include "base/LanguageTexts.h"
#include "base/ProductVersion.h"
#include "ui/DialogHooks.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <exception>

namespace lanescope::ui {

TVnxStatusDlg::TVnxStatusDlg(QWidget* parent, int lineCount, bool withProgressBar, bool abortButton)
    : QDialog(parent)
    , FActiveForm(QApplication::activeWindow())
{
    setWindowTitle(QString::fromUtf8(base::applicationTitle));
    const int n = std::clamp(lineCount, 1, 3);
    int height = n * 20 + (withProgressBar ? 90 : 57);
    if (abortButton)
        height += 50;
    setFixedSize(320, height);
    for (int k = 0; k < 3; ++k) {
        lines[static_cast<std::size_t>(k)] = new QLabel(this);
        QLabel* label = lines[static_cast<std::size_t>(k)];
        label->setGeometry(20, 20 + k * 20, 280, 18);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        label->setVisible(k < n);
    }
    if (withProgressBar) {
        progressBar = new QProgressBar(this);
        progressBar->setRange(0, 100);
        progressBar->setGeometry(20, n * 20 + 30, 280, 18);
    }
    if (abortButton) {
        btnAbort = new QPushButton(QStringLiteral("Abbrechen"), this);
        btnAbort->setGeometry(120, height - 70, 80, 25);
        connect(btnAbort, &QPushButton::clicked, this, &TVnxStatusDlg::abortClick);
    }
}

TVnxStatusDlg::~TVnxStatusDlg()
{
    QWidget* front = FActiveForm && FActiveForm->isVisible() ? FActiveForm : parentWidget();
    if (front) {
        front->raise();
        front->activateWindow();
    }
}

bool TVnxStatusDlg::execute(Job job)
{
    FJob = std::move(job);
    FSucceeded = false;
    QTimer::singleShot(100, this, &TVnxStatusDlg::runJob);
    exec();
    return FSucceeded && !FAborted;
}

void TVnxStatusDlg::runJob()
{
    try {
        FSucceeded = FJob && FJob(*this);
    } catch (const std::exception& error) {
        FSucceeded = false;
        dialogHooks().message(this, QString::fromUtf8(error.what()));
    }
    if (!FWarnings.isEmpty())
        dialogHooks().message(this, FWarnings.join(QLatin1Char('\n')));
    FWarnings.clear();
    accept();
}

void TVnxStatusDlg::warning(const std::string& text) { FWarnings.append(QString::fromStdString(text)); }

void TVnxStatusDlg::setLine(int index, const std::string& text)
{
    if (index < 0 || index > 2)
        return;
    lines[static_cast<std::size_t>(index)]->setText(QString::fromStdString(text));
    repaint();
}

bool TVnxStatusDlg::aborted()
{
    QCoreApplication::processEvents();
    return FAborted;
}

void TVnxStatusDlg::abortClick()
{
    if (!FAborted && dialogHooks().question(this, QString::fromStdString(base::languageText('G', 68))))
        FAborted = true;
}

} // namespace lanescope::ui
