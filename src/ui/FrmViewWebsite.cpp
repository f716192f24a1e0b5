#include "base/LanguageTexts.h"
#include "report/MeetSite.h"
#include "report/SiteFolder.h"
#include "swim/TextFormat.h"
#include "ui/BrowserPage.h"
#include "ui/FrmView.h"
#include "ui/ListSurface.h"
#include "ui/VnxStatusBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>

namespace lanescope::ui {

namespace {

constexpr const char* kPrinter = "Printer";
constexpr const char* kSiteFolderKey = "SiteDir";

QString text(char section, int number) { return QString::fromStdString(base::languageText(section, number)); }

} // namespace

void TfrmView::ActWebsiteExecute()
{
    const QString last = QString::fromStdString(FSettings.ReadString(kPrinter, kSiteFolderKey, ""));
    const QString folder = QFileDialog::getExistingDirectory(
        this, text('V', 166), !last.isEmpty() && QDir(last).exists() ? last : QDir::homePath());
    if (folder.isEmpty())
        return;
    FSettings.WriteString(kPrinter, kSiteFolderKey, folder.toStdString());

    // The lists take the events page's check boxes, as the printed lists do.
    const report::ListPrintOptions options{shtEvents->onlyValids()->isChecked(), shtEvents->splits()->isChecked()};
    statusBarView->progressText(text('V', 167));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    report::SilentStatus status;
    const std::vector<report::SitePage> pages = report::buildMeetSite(FDocument, options, status);
    const report::SiteWriteResult result = report::writeSitePages(folder.toStdString(), pages);
    QApplication::restoreOverrideCursor();
    statusBarView->progressText({});
    const std::string shown = QDir::toNativeSeparators(folder).toStdString();
    if (result.ok)
        showInformation(QString::fromStdString(
            swim::formatText(base::languageText('V', 168),
                             {std::string_view(shown), static_cast<int>(pages.size()), result.written})));
    else
        showWarning(QString::fromStdString(
            swim::formatText(base::languageText('V', 169), {std::string_view(result.error)})));
}

} // namespace lanescope::ui
