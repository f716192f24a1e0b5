#include "base/LanguageTexts.h"
#include "convert/ConverterChoice.h"
#include "swim/LenexTexts.h"
#include "ui/BrowserPage.h"
#include "ui/FindDialog.h"
#include "ui/FrmView.h"
#include "ui/ImageList.h"
#include "ui/LibraryPage.h"
#include "ui/StartScreen.h"
#include "ui/VnxComboBox.h"
#include "ui/VnxStatusBar.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QTabWidget>
#include <QTreeWidget>

namespace lanescope::ui {

namespace {

using lenex::TLnxObject;
namespace tag = lenex::tag;

/** The wait cursor for the time of an operation, on every way out. */
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString languageText(char section, int number)
{
    return QString::fromStdString(base::languageText(section, number));
}

// "NAME,  PLACE   ( PL PM )", pool length 50 and unit "m" when missing.
QString competitionItem(const TLnxObject& competition)
{
    const int length = competition.getInteger(tag::PL);
    const std::string& unit = competition.getText(tag::PM);
    return QString::asprintf("%s,  %s   ( %d %s )", competition.getText(tag::NAME).c_str(),
                             competition.getText(tag::PLACE).c_str(), length > 0 ? length : 50,
                             unit.empty() ? "m" : unit.c_str());
}

// Each item carries its core node, which the window reads back on selection.
template <typename Node> QTreeWidgetItem* newItem(const Node& node, QTreeWidgetItem* parent)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem;
    item->setText(0, QString::fromStdString(node.text));
    item->setIcon(0, QIcon(treeImage(node.imageIndex)));
    item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(&node)));
    return item;
}

template <typename Node>
void addItems(QTreeWidgetItem* parent, const Node& node,
              std::unordered_map<const void*, QTreeWidgetItem*>& items)
{
    for (const auto& child : node.children) {
        QTreeWidgetItem* item = newItem(*child, parent);
        items.emplace(child.get(), item);
        addItems(item, *child, items);
    }
}

template <typename Node>
void addTopItems(QTreeWidget* tree, const std::vector<std::unique_ptr<Node>>& nodes,
                 std::unordered_map<const void*, QTreeWidgetItem*>& items)
{
    QList<QTreeWidgetItem*> top;
    for (const auto& node : nodes) {
        QTreeWidgetItem* item = newItem(*node, nullptr);
        items.emplace(node.get(), item);
        addItems(item, *node, items);
        top.append(item);
    }
    tree->addTopLevelItems(top);
}

} // namespace

void TfrmView::reportProgress(const std::string& text)
{
    if (FLoadingFromCommandLine)
        Progress(text); // the start screen, and the status bar through the progress sink
    else
        statusBarView->progressText(QString::fromStdString(text));
}

void TfrmView::OpenFile(const QString& path, bool showFileName)
{
    const WaitCursor wait;
    ActCloseExecute();
    const std::string fileName = path.toStdString();
    const convert::ConverterKind kind = convert::chooseConverter(fileName);
    const auto converter = convert::createConverter(kind, FDocument);
    if (!converter) {
        showWarning(languageText('V', 32));
        return;
    }
    FFileName = path;
    FLoadedStamp = fileStamp(path);
    converter->Load(fileName);
    if (converter->errorCount() > 0) {
        FDocument.clear();
        showWarning(languageText('V', 9) + QStringLiteral("\r\n") +
                    QString::fromStdString(converter->errorMessage()));
        return;
    }
    reportProgress("Searching events and persons...");
    FDocument.buildIndexes();
    reportProgress("");
    if (!FDocument.errors().empty()) {
        QString text = languageText('V', 9);
        for (const std::string& line : FDocument.errors())
            text += QStringLiteral("\r\n") + QString::fromStdString(line);
        FDocument.clear();
        showWarning(text);
        return;
    }
    if (!FDocument.hasCompetitions()) {
        // Record lists and time standards hold no competition: the message says what the file does hold.
        const QString contents = QString::fromStdString(swim::contentsText(FDocument));
        FDocument.clear();
        showWarning(contents);
        return;
    }
    resetCaption(showFileName ? QFileInfo(path).fileName() : QString());
    if (showFileName)
        rememberFile(path);
    setActionsEnabled(NeedsFile, true);
    {
        const QSignalBlocker block(CbxCompetitions);
        const lenex::TLnxCollection* competitions = FDocument.root()->findCollection(tag::COMPETITIONS);
        for (int i = 0; i < competitions->childCount(); ++i) {
            const TLnxObject* competition = competitions->itemAt(i);
            if (!competition)
                continue;
            // The editor only edits entries: a file with results is not for it.
            if (competition->flags() & lenex::lofHasResults)
                ActOpenInEditor->setEnabled(false);
            CbxCompetitions->addItem(competitionItem(*competition));
        }
        CbxCompetitions->setCurrentIndex(-1);
    }
    if (CbxCompetitions->count() > 0)
        CbxCompetitions->setCurrentIndex(0); // runs CbxCompetitionsChange
    CbxCompetitions->setReadOnly(CbxCompetitions->count() < 2);
    if (CbxCompetitions->isReadOnly())
        focusActiveTree();
    else
        CbxCompetitions->setFocus();
    // A format converter warns of what the file holds but the lists leave out, or of a file that may be cut
    // off: the user learns of it once the file is shown.
    if (kind != convert::ConverterKind::Lenex && !FDocument.warnings().empty()) {
        QStringList lines;
        for (const std::string& line : FDocument.warnings())
            lines.append(QString::fromStdString(line));
        showWarning(lines.join(QStringLiteral("\r\n")));
    }
}

void TfrmView::ActCloseExecute()
{
    stopLive();
    ActLive->setChecked(false);
    FSourceUrl.clear();
    FValidators = {};
    FChanges.clear();
    FPersonalBests.clear();
    if (FFindDialog && FFindDialog->isVisible())
        FFindDialog->close();
    resetCaption();
    {
        const QSignalBlocker block(CbxCompetitions);
        CbxCompetitions->clear();
        CbxCompetitions->setReadOnly(false);
    }
    clearTrees();
    FShownEventNode = nullptr;
    FShownClubNode = nullptr;
    TrvEventsChange();
    trvClubsChange();
    FModels.clear();
    FDocument.clear();
    setActionsEnabled(NeedsFile, false);
    setActionsEnabled(NeedsList, false);
    ActCompetitionInfo->setEnabled(false);
    QCoreApplication::processEvents();
}

void TfrmView::CbxCompetitionsChange()
{
    const int index = CbxCompetitions->currentIndex();
    ActCompetitionInfo->setEnabled(index >= 0);
    if (index < 0)
        return;
    clearTrees();
    FModels.build(FDocument, index, [this](const std::string& text) { reportProgress(text); });
    FShownEventNode = nullptr;
    FShownClubNode = nullptr;
    FPersonalBests = shtLibrary->personalBests(FDocument);
    fillEventTree();
    fillClubTree();
    filterClubTree();
    selectFirstList();
    TrvEventsChange();
    trvClubsChange();
    reportProgress("");
}

void TfrmView::clearTrees()
{
    for (QTreeWidget* tree : {shtEvents->tree(), shtTeilnehmer->tree()}) {
        const QSignalBlocker block(tree);
        tree->clear();
    }
    FTreeItems.clear();
}

void TfrmView::fillEventTree()
{
    QTreeWidget* tree = shtEvents->tree();
    const QSignalBlocker block(tree);
    tree->setUpdatesEnabled(false);
    addTopItems(tree, FModels.events.sessions(), FTreeItems);
    greyEmptyAgeGroups();
    tree->expandAll();
    tree->setUpdatesEnabled(true);
}

void TfrmView::fillClubTree()
{
    QTreeWidget* tree = shtTeilnehmer->tree();
    const QSignalBlocker block(tree);
    tree->setUpdatesEnabled(false);
    addTopItems(tree, FModels.clubs.nations(), FTreeItems);
    tree->setUpdatesEnabled(true);
}

QTreeWidgetItem* TfrmView::itemOf(const void* node) const
{
    const auto found = FTreeItems.find(node);
    return found == FTreeItems.end() ? nullptr : found->second;
}

void TfrmView::focusActiveTree()
{
    if (PgcMain->currentIndex() == ParticipantsPage)
        shtTeilnehmer->tree()->setFocus();
    else if (PgcMain->currentIndex() == EventsPage)
        shtEvents->tree()->setFocus();
}

} // namespace lanescope::ui
