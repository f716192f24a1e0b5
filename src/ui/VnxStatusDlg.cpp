#include "ui/VnxStatusDlg.h"

#include "base/LanguageTexts.h"
#include "base/ProductVersion.h"
#include "ui/DialogHooks.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

namespace lanescope::ui {

TVnxStatusDlg::TVnxStatusDlg(QWidget* parent, int lineCount, bool withProgressBar, bool abortButton)
    : QDialog(parent)
    , FActiveForm(QApplication::activeWindow())
{
    setWindowTitle(QString::fromUtf8(base::applicationTitle));
    const int n = std::clamp(lineCount, 1, 3);
    // A layout sizes the dialog to its lines and its translated button; the lines keep a width of 280
    // pixels at least, so texts that change while the job runs do not make the window jump.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    for (int k = 0; k < 3; ++k) {
        lines[static_cast<std::size_t>(k)] = new QLabel(this);
        QLabel* label = lines[static_cast<std::size_t>(k)];
        label->setObjectName(QStringLiteral("lblLine%1").arg(k + 1));
        label->setMinimumWidth(280);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        label->setVisible(k < n);
        layout->addWidget(label);
    }
    if (withProgressBar) {
        progressBar = new QProgressBar(this);
        progressBar->setRange(0, 100);
        layout->addWidget(progressBar);
    }
    if (abortButton) {
        btnAbort = new QPushButton(QString::fromStdString(base::languageText('V', 96)), this);
        btnAbort->setObjectName(QStringLiteral("btnAbort"));
        layout->addSpacing(8);
        layout->addWidget(btnAbort, 0, Qt::AlignHCenter);
        connect(btnAbort, &QPushButton::clicked, this, &TVnxStatusDlg::abortClick);
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
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
