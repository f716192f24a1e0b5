#include "app/DesktopFiles.h"
#include "app/FileTypeRegistration.h"
#include "app/ProgramFiles.h"
#include "app/SettingsLocation.h"
#include "base/LanguageTexts.h"
#include "browser/AthleteListDrawing.h"
#include "browser/ClipboardTexts.h"
#include "ui/BrowserPage.h"
#include "ui/CompetitionInfoDialog.h"
#include "ui/DialogHooks.h"
#include "ui/DownloadDialog.h"
#include "ui/FindDialog.h"
#include "ui/FrmView.h"
#include "ui/LanguageDialog.h"
#include "ui/LibraryPage.h"
#include "ui/ListSurface.h"
#include "ui/ReportDialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTabWidget>
#include <QTreeWidget>
#include <algorithm>

namespace lanescope::ui {

namespace {

template <typename Node> const Node* nodeOf(const QTreeWidgetItem* item)
{
    return item ? reinterpret_cast<const Node*>(item->data(0, Qt::UserRole).value<quintptr>()) : nullptr;
}

template <std::size_t N>
void takeWidths(std::array<browser::HeaderSection, N>& header,
                const std::vector<browser::HeaderSection>& shown)
{
    for (std::size_t k = 0; k < N && k < shown.size(); ++k)
        header[k].width = shown[k].width;
}

} // namespace

const browser::EventTreeNode* TfrmView::selectedEventNode() const
{
    return nodeOf<browser::EventTreeNode>(shtEvents->tree()->currentItem());
}

const browser::ClubTreeNode* TfrmView::selectedClubNode() const
{
    return nodeOf<browser::ClubTreeNode>(shtTeilnehmer->tree()->currentItem());
}

void TfrmView::TrvEventsChange()
{
    ListSurface* surface = shtEvents->surface();
    takeWidths(FEventHeader, shtEvents->sections());
    const browser::EventTreeNode* node = selectedEventNode();
    if (node != FShownEventNode) {
        // A newly chosen list starts unselected, with name and club fitted to its texts.
        FSelectedItems.clear();
        FCurrentItem = nullptr;
        fitEventColumns(node);
        FShownEventNode = node;
    }
    // The drawing is shown at the surface's scale; the found row's position is in drawing pixels.
    const int scale = std::max(1, surface->paintBox().scale());
    browser::EventPageOptions options{
        shtEvents->splits()->isChecked(),
        shtEvents->onlyValids()->isChecked(),
        FSearch.FFoundRow,
        surface->clientHeight() * 100 / scale,
        [this](const std::string& caption) { return shtEvents->captionWidth(caption); },
        &FChanges,
        &FPersonalBests};
    options.heatLaneColumn = ActHeatLane->isChecked();
    options.reactionColumn = ActReaction->isChecked();
    options.order = FEventOrder;
    options.selected = FSelectedItems;
    setUpdatesEnabled(false);
    const browser::EventPageDrawing drawing =
        browser::drawEventsPage(surface->paintBox(), FEventHeader, node, FDocument, FModels.lists, options);
    FHasResults = drawing.hasResults;
    shtEvents->setTitle(drawing.title);
    shtEvents->setSections(FEventHeader);
    shtEvents->setHeaderShown(drawing.headerVisible);
    surface->finished();
    // The rows as drawn, with the selection and current row found again after a new order or filter.
    FDrawnRows = drawing.rows;
    std::vector<std::pair<int, int>> rows;
    std::set<int> selected;
    int current = -1;
    for (std::size_t k = 0; k < FDrawnRows.size(); ++k) {
        const browser::DrawnRow& row = FDrawnRows[k];
        rows.emplace_back(row.top, row.bottom);
        if (FSelectedItems.count(row.item) > 0)
            selected.insert(static_cast<int>(k));
        if (row.item == FCurrentItem)
            current = static_cast<int>(k);
    }
    surface->setRows(std::move(rows), std::move(selected), current);
    if (shtEvents->pictureShown())
        showRacePicture(node);
    PgcMainChange();
    setUpdatesEnabled(true);
    if (drawing.scrollTop >= 0)
        surface->scrollToY(drawing.scrollTop * scale / 100);
    FSearch.FFoundRow = -1;
}

void TfrmView::trvClubsChange()
{
    ListSurface* surface = shtTeilnehmer->surface();
    takeWidths(FClubHeader, shtTeilnehmer->sections());
    if (const browser::ClubTreeNode* node = selectedClubNode(); node != FShownClubNode) {
        // A newly chosen athlete or relay shows its events and age groups whole where the pane has room.
        const int scale = std::max(1, surface->paintBox().scale());
        shtTeilnehmer->keepCaptionRoom(FClubHeader);
        browser::fitAthleteColumns(FClubHeader, surface->paintBox().measure(), node, FDocument,
                                   surface->viewport()->width() * 100 / scale);
        shtTeilnehmer->keepCaptionRoom(FClubHeader);
        FShownClubNode = node;
    }
    const browser::ClubPageOptions options{
        shtTeilnehmer->splits()->isChecked(), shtTeilnehmer->onlyValids()->isChecked(),
        [this](const std::string& caption) { return shtTeilnehmer->captionWidth(caption); }, &FChanges,
        &FPersonalBests};
    setUpdatesEnabled(false);
    const browser::ClubPageDrawing drawing =
        browser::drawClubsPage(surface->paintBox(), FClubHeader, selectedClubNode(), FDocument, options);
    if (drawing.headerVisible)
        FHasResults = drawing.hasResults;
    shtTeilnehmer->setTitle(drawing.title);
    shtTeilnehmer->setSections(FClubHeader);
    shtTeilnehmer->setHeaderShown(drawing.headerVisible);
    surface->finished();
    PgcMainChange();
    setUpdatesEnabled(true);
}

void TfrmView::ActLoadFileExecute()
{
    QFileDialog dialog(
        this, QStringLiteral("Load"), FOpenPath,
        QStringLiteral("Supported result files (*.lef *.lxf *.lxb *.stf *.fxl *.snf *.cl2 *.sd3 "
                       "*.dsv *.dsv6 *.dsv7 *.dsv8 *.zip);;"
                       "All Files (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString file = dialog.selectedFiles().first();
    FOpenPath = QFileInfo(file).absolutePath();
    FOpenDialogUsed = true;
    OpenFile(file, true);
}

void TfrmView::ActDownloadExecute()
{
    if (!FDownloadDialog)
        FDownloadDialog = new TFDownload(
            FSettings, [this](const QString& message) { showWarning(message); },
            [this] { ActOpenUrlExecute(); }, this);
    if (FDownloadDialog->Execute())
        OpenFile(FDownloadDialog->DownloadedFile(), false);
}

void TfrmView::ActFileInfoExecute()
{
    showInformation(QString::fromStdString(FDocument.fileInformationText()));
}

void TfrmView::ActCompetitionInfoExecute()
{
    if (lenex::TLnxObject* competition = FDocument.currentCompetition())
        ShowCompetitionInfo(this, competition, true);
}

void TfrmView::ActOpenInEditorExecute()
{
    const std::filesystem::path folder = app::programFolder();
    std::filesystem::path editor = app::programDataFile(folder, "inscriba");
    if (!QFileInfo(QString::fromStdString(editor.string())).isExecutable())
        editor = app::programDataFile(folder, "inscriba.exe");
    if (QProcess::startDetached(QString::fromStdString(editor.string()), {FFileName}))
        close();
}

// The message follows whatever the registration's outcome: the desktop may still pick the files up.
void TfrmView::ActRegisterExtExecute()
{
    app::RegisterFileTypes(app::documentExtensions(), "LanescopeId",
                           QCoreApplication::applicationFilePath().toStdString(), "VORNIX File");
    showInformation(QString::fromStdString(base::languageText('V', 8)));
}

void TfrmView::ActSelectLanguageExecute() { ShowLanguageDialog(FSettings, true, false, this); }

void TfrmView::actSearchExecute()
{
    for (QTreeWidget* tree : {shtEvents->tree(), shtTeilnehmer->tree()}) {
        tree->clearSelection();
        tree->setCurrentItem(nullptr);
    }
    if (!FFindDialog) {
        FFindDialog = new FindDialog(this);
        if (FFindDialogLeft >= 0 && FFindDialogTop >= 0)
            FFindDialog->move(FFindDialogLeft, FFindDialogTop);
        connect(FFindDialog, &FindDialog::findNext, this, &TfrmView::FindDialog1Find);
        connect(FFindDialog, &FindDialog::closed, this, &TfrmView::FindDialog1Close);
    }
    FFindDialog->setSearchDown(true);
    FFindDialog->show();
    FFindDialog->raise();
    FFindDialog->activateWindow();
}

void TfrmView::selectItem(QTreeWidgetItem* item)
{
    QTreeWidget* tree = item->treeWidget();
    tree->scrollToItem(item);
    const QSignalBlocker block(tree);
    tree->setCurrentItem(item);
}

void TfrmView::FindDialog1Find()
{
    if (!FFindDialog)
        return;
    const std::string text = FFindDialog->findText().toStdString();
    const browser::SearchDirection direction =
        FFindDialog->searchDown() ? browser::SearchDirection::Down : browser::SearchDirection::Up;
    if (PgcMain->currentIndex() == EventsPage) {
        QTreeWidget* tree = shtEvents->tree();
        const auto* top = nodeOf<browser::EventTreeNode>(tree->itemAt(0, 0));
        const browser::EventTreeNode* hit = browser::searchEventsStep(
            FModels.events, FModels.lists, selectedEventNode(), top, direction, text, FSearch);
        if (QTreeWidgetItem* item = hit ? itemOf(hit) : nullptr) {
            // The drawing highlights the found row and scrolls it into view, also when the node was selected.
            selectItem(item);
            TrvEventsChange();
            return;
        }
    } else {
        QTreeWidget* tree = shtTeilnehmer->tree();
        const auto* top = nodeOf<browser::ClubTreeNode>(tree->itemAt(0, 0));
        const browser::ClubTreeNode* hit =
            browser::searchClubsStep(FModels.clubs, selectedClubNode(), top, direction, text);
        if (QTreeWidgetItem* item = hit ? itemOf(hit) : nullptr) {
            selectItem(item);
            trvClubsChange();
            return;
        }
    }
    FSearch.FFoundRow = -1;
    // The dialog says it itself, so the user can change the text at once.
    FFindDialog->showNotFound(QString::fromStdString(base::languageText('V', 27)));
}

void TfrmView::FindDialog1Close()
{
    FSearch = {};
    focusActiveTree();
}

void TfrmView::actCopyExecute()
{
    std::string text;
    if (PgcMain->currentIndex() == EventsPage) {
        // The selected rows, or all rows when none is selected, in the order and filter shown.
        const browser::CopyOptions options{shtEvents->splits()->isChecked(),
                                           shtEvents->onlyValids()->isChecked(),
                                           FEventOrder,
                                           FSelectedItems.empty() ? nullptr : &FSelectedItems,
                                           ActHeatLane->isChecked(),
                                           ActReaction->isChecked()};
        if (const browser::EventTreeNode* node = selectedEventNode())
            text = browser::CopyEventList(FDocument, FModels.lists, *node, options);
    } else if (PgcMain->currentIndex() == ParticipantsPage) {
        const browser::CopyOptions options{shtTeilnehmer->splits()->isChecked(),
                                           shtTeilnehmer->onlyValids()->isChecked()};
        if (const browser::ClubTreeNode* node = selectedClubNode())
            text = browser::CopyAthleteList(FDocument, *node, options);
    } else if (PgcMain->currentIndex() == SeasonLibraryPage) {
        text = shtLibrary->copyText().toStdString();
    }
    if (!text.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

std::shared_ptr<swim::IBSLenexMeet> TfrmView::GetMeet()
{
    lenex::TLnxObject* competition = FDocument.currentCompetition();
    return competition ? swim::lenexView<swim::IBSLenexMeet>(*competition) : nullptr;
}

report::PrintSelection TfrmView::printSelection() const
{
    report::PrintSelection selection;
    selection.activePage = PgcMain->currentIndex() == ParticipantsPage
                               ? report::PrintSelection::Page::Participants
                               : report::PrintSelection::Page::Events;
    selection.eventNode = selectedEventNode();
    selection.participantNode = selectedClubNode();
    selection.resultLists = &FModels.lists;
    selection.events = {shtEvents->onlyValids()->isChecked(), shtEvents->splits()->isChecked()};
    selection.participants = {shtTeilnehmer->onlyValids()->isChecked(), shtTeilnehmer->splits()->isChecked()};
    return selection;
}

void TfrmView::ActPrintExecute()
{
    if (PgcMain->currentIndex() == SeasonLibraryPage) {
        shtLibrary->print();
        return;
    }
    if (PgcMain->currentIndex() == EventsPage && shtEvents->pictureShown()) {
        auto [title, drawing] = racePicture(selectedEventNode());
        TChartPrintDlg dialog(FSettings, GetMeet(), title, std::move(drawing), this);
        dialog.setWindowTitle(QString::fromStdString(base::languageText('V', 232)));
        dialog.SuggestedName = suggestedFileName();
        dialog.DefaultFolder = FOpenPath;
        dialogHooks().exec(dialog);
        reportSavedFile(dialog);
        return;
    }
    TdlgDrucken dialog(FSettings, GetMeet(), FDocument, printSelection(), FHasResults, this);
    dialog.SuggestedName = suggestedFileName();
    dialog.DefaultFolder = FOpenPath;
    dialogHooks().exec(dialog);
    reportSavedFile(dialog);
}

void TfrmView::ActClubStatsExecute()
{
    TFClubStatsDlg dialog(FSettings, GetMeet(), this);
    dialog.DefaultFolder = FOpenPath;
    dialogHooks().exec(dialog);
    reportSavedFile(dialog);
}

void TfrmView::ActResultBookExecute()
{
    // The book takes the splits as the events page shows them.
    TFResultBookDlg dialog(FSettings, GetMeet(), FDocument, FModels, shtEvents->splits()->isChecked(), this);
    dialogHooks().exec(dialog);
}

} // namespace lanescope::ui
