#include "base/LanguageTexts.h"
#include "base/VnxIniFiles.h"
#include "swim/TextFormat.h"
#include "ui/BrowserPage.h"
#include "ui/DialogHooks.h"
#include "ui/ElidedTexts.h"
#include "ui/FrmView.h"
#include "ui/ReportDialogs.h"
#include "ui/VnxStatusBar.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTabWidget>
#include <algorithm>

namespace lanescope::ui {

namespace {

constexpr const char* kRecentFilesSection = "RecentFiles";
constexpr int kRecentFileCount = 10;

} // namespace

QStringList TfrmView::recentFiles()
{
    QStringList files;
    bool missing = false;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file =
            QString::fromStdString(FSettings.ReadString(kRecentFilesSection, std::to_string(i), ""));
        if (file.isEmpty())
            continue;
        if (QFileInfo::exists(file) && !files.contains(file))
            files.append(file);
        else
            missing = true;
    }
    // Files that were moved or deleted leave the list for good.
    if (missing) {
        FSettings.EraseSection(kRecentFilesSection);
        for (int i = 0; i < static_cast<int>(files.size()); ++i)
            FSettings.WriteString(kRecentFilesSection, std::to_string(i + 1), files[i].toStdString());
    }
    return files;
}

void TfrmView::rememberFile(const QString& path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(file);
    files.prepend(file);
    FSettings.EraseSection(kRecentFilesSection);
    for (int i = 0; i < std::min<int>(kRecentFileCount, static_cast<int>(files.size())); ++i)
        FSettings.WriteString(kRecentFilesSection, std::to_string(i + 1), files[i].toStdString());
    mnuRecentFiles->setEnabled(true);
    // The open dialog starts in the folder of the file opened last, however it was opened.
    FOpenPath = QFileInfo(file).absolutePath();
    FOpenDialogUsed = true;
}

void TfrmView::fillRecentFilesMenu()
{
    mnuRecentFiles->clear();
    const QStringList files = recentFiles();
    for (int i = 0; i < static_cast<int>(files.size()); ++i) {
        // "&1" to "1&0": the number selects the entry from the keyboard.
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QStringLiteral("1&0");
        QAction* entry = mnuRecentFiles->addAction(
            number + QLatin1Char(' ') + QFileInfo(files[i]).fileName().replace(QLatin1Char('&'), "&&"));
        entry->setStatusTip(QDir::toNativeSeparators(files[i]));
        entry->setToolTip(entry->statusTip());
        const QString file = files[i];
        connect(entry, &QAction::triggered, this, [this, file] { OpenFile(file, true); });
    }
    mnuRecentFiles->setEnabled(!files.isEmpty());
}

QString TfrmView::suggestedFileName() const
{
    const BrowserPage* page = PgcMain->currentIndex() == ParticipantsPage ? shtTeilnehmer : shtEvents;
    QString name = page->title()->text();
    if (name.isEmpty())
        name = QFileInfo(FFileName).completeBaseName();
    return TVnxPrintDlg::fileNameOf(name);
}

void TfrmView::reportSavedFile(const TVnxPrintDlg& dialog)
{
    if (dialog.savedFile().empty())
        return;
    const std::string path =
        QDir::toNativeSeparators(QString::fromStdString(dialog.savedFile().string())).toStdString();
    statusBarView->informationMessage(
        QString::fromStdString(swim::formatText(base::languageText('V', 114), {path})));
}

void TfrmView::exportShownList(bool pdf)
{
    TdlgDrucken dialog(FSettings, GetMeet(), FDocument, printSelection(), FHasResults, this);
    dialog.SuggestedName = suggestedFileName();
    dialog.DefaultFolder = FOpenPath;
    if (pdf)
        dialog.BPdfClick();
    else
        dialog.btnHtmlClick();
    reportSavedFile(dialog);
}

void TfrmView::ActExportPdfExecute() { exportShownList(true); }

void TfrmView::ActExportHtmlExecute() { exportShownList(false); }

} // namespace lanescope::ui
