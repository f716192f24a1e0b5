#include "base/LanguageTexts.h"
#include "base/TempFolder.h"
#include "base/VnxIniFiles.h"
#include "convert/CompleteFile.h"
#include "convert/ConverterChoice.h"
#include "download/MeetsFactory.h"
#include "download/ResultFetch.h"
#include "swim/LenexTexts.h"
#include "swim/TextFormat.h"
#include "ui/BrowserPage.h"
#include "ui/DialogHooks.h"
#include "ui/FrmView.h"
#include "ui/ListSurface.h"
#include "ui/OpenUrlDialog.h"
#include "ui/TransferReason.h"
#include "ui/VnxComboBox.h"
#include "ui/VnxStatusBar.h"

#include <QAction>
#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QInputDialog>
#include <QTabWidget>
#include <QTime>
#include <QTreeWidget>
#include <algorithm>

namespace lanescope::ui {

namespace {

constexpr const char* kRecentSection = "RecentURLs";
constexpr const char* kLiveSection = "Live";
constexpr int kRecentCount = 10;
constexpr int kDefaultIntervalSeconds = 30;
// A link is asked at most every few seconds, so a live window never floods the server, and at least hourly.
constexpr int kMinIntervalSeconds = 5;
constexpr int kMaxIntervalSeconds = 3600;
constexpr int kQuietMilliseconds = 1000;

QString viewerText(int number) { return QString::fromStdString(base::languageText('V', number)); }

// A command's caption as a dialog title: without its accelerator mark and the dots of "...".
QString commandTitle(const QAction* action)
{
    return action->text().remove(QLatin1Char('&')).remove(QStringLiteral("...")).trimmed();
}

// "Updated hh:mm:ss" in the screen language.
QString updatedText()
{
    const std::string time = QTime::currentTime().toString(QStringLiteral("hh:mm:ss")).toStdString();
    return QString::fromStdString(swim::formatText(base::languageText('V', 39), {time}));
}

// The rows from the top level down to the item, so the same place can be found in a rebuilt tree.
std::vector<int> rowPath(QTreeWidgetItem* item)
{
    std::vector<int> path;
    for (; item; item = item->parent())
        path.insert(path.begin(), item->parent() ? item->parent()->indexOfChild(item)
                                                 : item->treeWidget()->indexOfTopLevelItem(item));
    return path;
}

QTreeWidgetItem* itemAt(QTreeWidget* tree, const std::vector<int>& path)
{
    QTreeWidgetItem* item = nullptr;
    for (const int row : path) {
        QTreeWidgetItem* next = item ? item->child(row) : tree->topLevelItem(row);
        if (!next)
            break;
        item = next;
    }
    return item;
}

// Why the file cannot be shown yet, or nothing when it loads without errors. It is read into a document of
// its own, so a file caught while its writer is at work never replaces the shown one.
std::optional<QString> loadProblem(const std::string& fileName)
{
    if (!convert::isCompleteFile(fileName))
        return viewerText(48);
    lenex::TLenex trial;
    const auto converter = convert::createConverter(convert::chooseConverter(fileName), trial);
    if (!converter)
        return QString::fromStdString(base::languageText('V', 32));
    converter->Load(fileName);
    if (converter->errorCount() > 0)
        return QString::fromStdString(converter->errorMessage());
    if (!trial.hasCompetitions())
        return QString::fromStdString(swim::contentsText(trial));
    return std::nullopt;
}

} // namespace

QString TfrmView::fileStamp(const QString& path)
{
    const QFileInfo info(path);
    return QString::number(info.lastModified().toMSecsSinceEpoch()) + QLatin1Char('/') +
           QString::number(info.size()) + QLatin1Char('/') +
           QString::number(info.birthTime().toMSecsSinceEpoch());
}

TfrmView::ViewPlace TfrmView::viewPlace() const
{
    return {CbxCompetitions->currentIndex(),           PgcMain->currentIndex(),
            rowPath(shtEvents->tree()->currentItem()), rowPath(shtTeilnehmer->tree()->currentItem()),
            shtEvents->surface()->scrollY(),           shtTeilnehmer->surface()->scrollY()};
}

void TfrmView::restoreViewPlace(const ViewPlace& place)
{
    if (place.competition >= 0 && place.competition < CbxCompetitions->count() &&
        place.competition != CbxCompetitions->currentIndex())
        CbxCompetitions->setCurrentIndex(place.competition); // rebuilds the trees
    for (const auto& [tree, path] :
         {std::pair(shtEvents->tree(), place.eventPath), std::pair(shtTeilnehmer->tree(), place.clubPath)})
        if (QTreeWidgetItem* item = path.empty() ? nullptr : itemAt(tree, path)) {
            for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
                parent->setExpanded(true);
            tree->setCurrentItem(item);
        }
    if (PgcMain->currentIndex() != place.page)
        PgcMain->setCurrentIndex(place.page);
    shtEvents->surface()->scrollToY(place.eventScroll);
    shtTeilnehmer->surface()->scrollToY(place.clubScroll);
}

QStringList TfrmView::recentUrls() const
{
    QStringList urls;
    for (int i = 1; i <= kRecentCount; ++i) {
        const std::string url = FSettings.ReadString(kRecentSection, std::to_string(i), "");
        if (!url.empty())
            urls.append(QString::fromStdString(url));
    }
    return urls;
}

void TfrmView::rememberUrl(const QString& url)
{
    QStringList urls = recentUrls();
    urls.removeAll(url);
    urls.prepend(url);
    FSettings.EraseSection(kRecentSection);
    for (int i = 0; i < std::min<int>(kRecentCount, static_cast<int>(urls.size())); ++i)
        FSettings.WriteString(kRecentSection, std::to_string(i + 1), urls[i].toStdString());
}

int TfrmView::liveInterval() const
{
    return std::clamp(FSettings.ReadInteger(kLiveSection, "Interval", kDefaultIntervalSeconds),
                      kMinIntervalSeconds, kMaxIntervalSeconds);
}

void TfrmView::ActLiveIntervalExecute()
{
    QInputDialog dialog(this);
    dialog.setWindowTitle(commandTitle(ActLiveInterval));
    dialog.setLabelText(viewerText(50));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(kMinIntervalSeconds, kMaxIntervalSeconds);
    dialog.setIntValue(liveInterval());
    if (dialogHooks().exec(dialog) != QDialog::Accepted)
        return;
    FSettings.WriteInteger(kLiveSection, "Interval", dialog.intValue());
    if (FLinkTimer.isActive())
        FLinkTimer.start(liveInterval() * 1000);
}

void TfrmView::ActOpenUrlExecute()
{
    TvnxOpenUrlDlg dialog(commandTitle(ActOpenUrl), recentUrls(), this);
    if (dialogHooks().exec(dialog) == QDialog::Accepted && !dialog.url().isEmpty())
        OpenUrl(dialog.url());
}

void TfrmView::OpenUrl(const QString& url)
{
    download::TVnxHTTP http(&FSettings);
    const download::FetchedResult fetched = download::fetchResultFile(
        http, url.toStdString(), base::privateTempFolder(), std::string(download::kDownloadStem));
    if (!fetched.ok()) {
        showWarning(QString::fromStdString(base::languageText('G', 140)) + QStringLiteral("\r\n") +
                    transferReason(fetched.transfer));
        return;
    }
    rememberUrl(url);
    OpenFile(QString::fromStdString(fetched.localFile), false);
    if (!FDocument.hasCompetitions())
        return;
    FSourceUrl = url;
    FValidators = fetched.transfer.validators;
    resetCaption(QString::fromStdString(fetched.fileName));
    ActReload->setEnabled(true);
    ActLive->setEnabled(true);
}

bool TfrmView::Reload()
{
    if (FFileName.isEmpty())
        return false;
    const QString url = FSourceUrl;
    QString file = FFileName;
    download::Validators validators = FValidators;
    QString shownName = windowTitle();
    if (!url.isEmpty()) {
        download::TVnxHTTP http(&FSettings);
        const download::FetchedResult fetched =
            download::fetchResultFile(http, url.toStdString(), base::privateTempFolder(),
                                      std::string(download::kDownloadStem), FValidators);
        if (fetched.transfer.error == download::TransferError::NotModified) {
            statusBarView->informationMessage(updatedText());
            return false;
        }
        if (!fetched.ok()) {
            statusBarView->errorMessage(transferReason(fetched.transfer));
            return false;
        }
        file = QString::fromStdString(fetched.localFile);
        validators = fetched.transfer.validators;
    }
    if (const std::optional<QString> problem = loadProblem(file.toStdString())) {
        statusBarView->errorMessage(*problem);
        return false;
    }
    const ViewPlace place = viewPlace();
    const bool live = ActLive->isChecked();
    // Opening the file forgets the marks, and the old document is freed: take both along.
    browser::ResultChanges changes = std::move(FChanges);
    changes.remember(FDocument, FModels.lists);
    OpenFile(file, false);
    setWindowTitle(shownName);
    FSourceUrl = url;
    FValidators = validators;
    ActLive->setChecked(live);
    if (live)
        startLive();
    restoreViewPlace(place);
    changes.update(FDocument, FModels.lists);
    FChanges = std::move(changes);
    TrvEventsChange();
    trvClubsChange();
    shtEvents->surface()->scrollToY(place.eventScroll);
    shtTeilnehmer->surface()->scrollToY(place.clubScroll);
    statusBarView->informationMessage(updatedText());
    return true;
}

void TfrmView::ActReloadExecute() { Reload(); }

void TfrmView::ActLiveExecute()
{
    if (ActLive->isChecked())
        startLive();
    else
        stopLive();
}

void TfrmView::startLive()
{
    if (!FSourceUrl.isEmpty()) {
        FLinkTimer.start(liveInterval() * 1000);
        return;
    }
    if (!FFileWatcher) {
        FFileWatcher = new QFileSystemWatcher(this);
        connect(FFileWatcher, &QFileSystemWatcher::fileChanged, this, &TfrmView::fileChangedOnDisk);
        connect(FFileWatcher, &QFileSystemWatcher::directoryChanged, this, &TfrmView::fileChangedOnDisk);
    }
    // The folder is watched too: a writer that renames a new file over the old one ends the file watch.
    FFileWatcher->addPath(FFileName);
    FFileWatcher->addPath(QFileInfo(FFileName).absolutePath());
}

void TfrmView::stopLive()
{
    FLinkTimer.stop();
    FQuietTimer.stop();
    if (FFileWatcher && !FFileWatcher->files().isEmpty())
        FFileWatcher->removePaths(FFileWatcher->files());
    if (FFileWatcher && !FFileWatcher->directories().isEmpty())
        FFileWatcher->removePaths(FFileWatcher->directories());
}

void TfrmView::fileChangedOnDisk()
{
    if (!ActLive->isChecked())
        return;
    // A replaced file is a new one to the watcher: watch it again under its name.
    if (FFileWatcher && !FFileWatcher->files().contains(FFileName) && QFileInfo::exists(FFileName))
        FFileWatcher->addPath(FFileName);
    FQuietTimer.start(kQuietMilliseconds);
}

} // namespace lanescope::ui
