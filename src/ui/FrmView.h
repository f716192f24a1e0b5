#pragma once

#include "browser/AthleteListDrawing.h"
#include "browser/BrowserModels.h"
#include "browser/EventListDrawing.h"
#include "browser/PersonalBestMarks.h"
#include "browser/ResultChanges.h"
#include "browser/Search.h"
#include "chart/ChartReport.h"
#include "download/VnxHTTP.h"
#include "lenex/Lenex.h"
#include "report/LanescopeDrucken.h"

#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <set>
#include <unordered_map>
#include <vector>

class QAction;
class QFileSystemWatcher;
class QLineEdit;
class QMenu;
class QTabWidget;
class QTreeWidgetItem;

namespace lanescope::base {
class CustomIniFile;
}

namespace lanescope::ui {

class BrowserPage;
class FindDialog;
class TFDownload;
class HelpView;
class LibraryPage;
class TVnxComboBox;
class TVnxPrintDlg;
class TvnxStatusBar;

/**
 * `TfrmView`: the program's main window. Owns the one Lenex document, opens result files through the
 * converters, lets the user choose a competition and shows it on the events and participants pages; every
 * command of the program is one of its actions. The browser logic lives in the core: this window fills its
 * trees from the core's tree nodes and shows the drawings the core records.
 */
class TfrmView : public QMainWindow
{
    Q_OBJECT

public:
    /** Tags of the actions: 1 needs an opened file, 2 a shown list. */
    enum ActionTag
    {
        NeedsFile = 1,
        NeedsList = 2,
    };
    enum Page
    {
        EventsPage = 0,
        ParticipantsPage = 1,
        HelpPage = 2,
        SeasonLibraryPage = 3,
    };

    /**
     * Reads its settings from the settings file, which must outlive the window, and registers with the
     * language manager (which must exist). parameters: the command-line parameters without the program.
     */
    explicit TfrmView(base::CustomIniFile& settings, QStringList parameters = {}, QWidget* parent = nullptr);
    /** Writes its settings. */
    ~TfrmView() override;

    /** Opens a result file; the caption names the file when showFileName is set. */
    void OpenFile(const QString& path, bool showFileName);
    /** Fetches the result file of an http(s) link and opens it; the link is kept for Reload and Live. */
    void OpenUrl(const QString& url);
    /**
     * Reads the open file or link again, keeping the competition, the selected nodes, the page and the scroll
     * positions. An unchanged link (answered 304), a failed fetch and a file that is not whole or does not
     * load keep the shown data; the status bar says "Updated hh:mm:ss" or why. True when it reloaded.
     */
    bool Reload();
    /** The results marked as new or changed since the previous load. */
    const browser::ResultChanges& resultChanges() const { return FChanges; }
    /** The link the open document came from; empty for a local file. */
    const QString& sourceUrl() const { return FSourceUrl; }
    /** Links opened last, newest first (at most ten). */
    QStringList recentUrls() const;
    /** Seconds between two looks at a link while Live is on ("Live"/"Interval", 5 to 3600, default 30). */
    int liveInterval() const;
    void LanguageChanged();

    lenex::TLenex& document() { return FDocument; }
    const browser::BrowserModels& models() const { return FModels; }
    const browser::EventTreeNode* selectedEventNode() const;
    const browser::ClubTreeNode* selectedClubNode() const;
    /** Whether the list shown last holds results (for printing). */
    bool hasResults() const { return FHasResults; }
    const browser::SearchState& searchState() const { return FSearch; }
    /** The domain view of the current competition for the reports; nullptr without one. */
    std::shared_ptr<swim::IBSLenexMeet> GetMeet();
    /** What the print command prints: the active page, the selected nodes, the lists and the check boxes. */
    report::PrintSelection printSelection() const;

    // Components, named as in the form.
    QAction* ActLoadFile;
    QAction* ActDownload;
    QAction* ActOpenUrl;
    QAction* ActReload;
    QAction* ActLive;
    QAction* ActLiveInterval;
    QAction* ActClose;
    QAction* ActCompetitionInfo;
    QAction* ActFileInfo;
    QAction* ActPrint;
    QAction* ActOpenInEditor;
    QAction* ActSelectLanguage;
    QAction* ActRegisterExt;
    QAction* ActTerminate;
    QAction* actSearch;
    QAction* actCopy;
    QAction* ActClubStats;
    QAction* ActResultBook;
    QAction* ActWebsite;
    QAction* ActInfo;
    QAction* ActShowHelp;
    QAction* ActExportPdf;
    QAction* ActExportHtml;
    QMenu* mnuExport;
    QMenu* mnuRecentFiles;
    QAction* ActFilter;    // Ctrl+L: to the filter field
    QAction* ActExportCsv; // File > Export > List as CSV
    QAction* ActHeatLane;  // View: the heat/lane section of result lists
    QAction* ActReaction;  // View: the reaction-time section
    QLineEdit* EdtFilter; // the list filter in the toolbar
    TVnxComboBox* CbxCompetitions;
    QTabWidget* PgcMain;
    BrowserPage* shtEvents;
    BrowserPage* shtTeilnehmer;
    HelpView* helpView;
    LibraryPage* shtLibrary;
    TvnxStatusBar* statusBarView;

    /** The find dialog; created when the search command first runs. */
    FindDialog* findDialog() const { return FFindDialog; }

    // Commands and events, named as in the form.
    void ActLoadFileExecute();
    /** Shows the download dialog (made on first use, then kept) and opens the downloaded file. */
    void ActDownloadExecute();
    /** Asks for a link (recent ones offered) and opens it. */
    void ActOpenUrlExecute();
    void ActReloadExecute();
    /** Turns Live on or off: reload on every change of the file, or every liveInterval seconds for a link. */
    void ActLiveExecute();
    /** Asks for the seconds between two looks at a link while Live is on and keeps them in the settings. */
    void ActLiveIntervalExecute();
    void ActCloseExecute();
    void ActFileInfoExecute();
    void ActCompetitionInfoExecute();
    void ActOpenInEditorExecute();
    void ActRegisterExtExecute();
    void ActSelectLanguageExecute();
    void actSearchExecute();
    void FindDialog1Find();
    void FindDialog1Close();
    void actCopyExecute();
    void ActPrintExecute();
    void ActClubStatsExecute();
    /** Writes the list shown to a PDF or HTML file, suggesting a name made from its title. */
    void ActExportPdfExecute();
    void ActExportHtmlExecute();
    /** Files opened last, newest first (at most ten); files that no longer exist are dropped. */
    QStringList recentFiles();
    /** Asks for a file name and writes the shown event list as CSV; the status bar names the file. */
    void ActExportCsvExecute();
    /** Writes the shown event list (order, filter and check boxes as shown) as CSV; false when it fails. */
    bool exportCsv(const QString& path);
    /** The order and filter of the event list. */
    const browser::ListOrder& eventOrder() const { return FEventOrder; }
    /** Sorts the event list by a header section (place, name, club, time, points); again: reversed. */
    void sortEventsBy(int section);
    void ActResultBookExecute();
    /** Reports > Website...: writes the meet as a website into a folder the user chooses. */
    void ActWebsiteExecute();
    void CbxCompetitionsChange();
    void PgcMainChange();
    void TrvEventsChange();
    /** Draws the race picture of the shown list: its selected rows (up to 16), else its first 8 swims. */
    void showRacePicture(const browser::EventTreeNode* node);
    /** The race picture's title and drawing of the shown list. */
    std::pair<std::string, chart::PictureDrawing> racePicture(const browser::EventTreeNode* node) const;
    void trvClubsChange();
    void BtnGermanClick();
    void BtnEnglishClick();

protected:
    /** Message boxes with the application title; tests replace them to read the texts. */
    virtual void showWarning(const QString& text);
    virtual void showInformation(const QString& text);
    virtual bool askQuestion(const QString& text);

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    /** After a language change with form refresh: builds the trees again, so their texts follow. */
    void customEvent(QEvent* event) override;

private:
    QAction* newAction(const char* caption, const char* hint, const QKeySequence& shortcut, int tag,
                       int image, void (TfrmView::*handler)());
    void createActions();
    void createMenusAndToolBar();
    void createListActions();
    void filterChanged(const QString& text);
    /** Hides the participants whose name, club and nation do not hold the filter text. */
    void filterClubTree();
    /** The user selected rows on the events page: draws them selected, keeping the scroll position. */
    void eventSelectionChanged();
    /** Fits the name and club sections to a newly shown list, or takes the widths the user set for its kind.
     */
    void fitEventColumns(const browser::EventTreeNode* node);
    void sectionDragged(int section, int width);
    /** Selects the first event that shows a row, so the page never starts empty. */
    void selectFirstList();
    /** Greys the age groups that hold no result or entry. */
    void greyEmptyAgeGroups();
    /** Gives the components the names that the form sections of the language files use. */
    void nameComponents();
    QWidget* createHelpPage();
    void readSettings();
    void writeSettings();
    void restoreWindowGeometry();
    void FormShow();

    void setActionsEnabled(int tag, bool enabled);
    void resetCaption(const QString& fileName = {});
    void reportProgress(const std::string& text);
    void showPage(int page);
    void stepPage(int step);
    void loadHelp(const char* code, bool asked);
    void fillEventTree();
    void fillClubTree();
    void clearTrees();
    QTreeWidgetItem* itemOf(const void* node) const;
    void selectItem(QTreeWidgetItem* item);
    void focusActiveTree();

    /** Where the user is in the document, to come back to after a reload. */
    struct ViewPlace
    {
        int competition = -1;
        int page = 0;
        std::vector<int> eventPath;
        std::vector<int> clubPath;
        int eventScroll = 0;
        int clubScroll = 0;
    };
    ViewPlace viewPlace() const;
    void restoreViewPlace(const ViewPlace& place);
    void rememberUrl(const QString& url);
    void rememberFile(const QString& path);
    void fillRecentFilesMenu();
    /** The file name a save dialog suggests for the list shown: its title, without characters that no
     * file name may hold. */
    QString suggestedFileName() const;
    /** Runs the print dialog's PDF or HTML output without showing the dialog. */
    void exportShownList(bool pdf);
    /** Says in the status bar where the dialog's output was saved, when it saved one. */
    void reportSavedFile(const TVnxPrintDlg& dialog);
    void startLive();
    void stopLive();
    void fileChangedOnDisk();
    /** Time and size of a file, to tell whether it changed since it was loaded. */
    static QString fileStamp(const QString& path);

    base::CustomIniFile& FSettings;
    QStringList FParameters;
    lenex::TLenex FDocument;
    browser::BrowserModels FModels;
    browser::SearchState FSearch;
    /** Results new or changed at the last reload that changed something; marked in the lists. */
    browser::ResultChanges FChanges;
    /** Results of the shown competition faster than every earlier time in the season library. */
    browser::PersonalBestMarks FPersonalBests;
    browser::EventHeader FEventHeader;
    browser::ListOrder FEventOrder;
    const browser::EventTreeNode* FShownEventNode = nullptr;
    const browser::ClubTreeNode* FShownClubNode = nullptr;
    std::vector<browser::DrawnRow> FDrawnRows;
    std::set<const lenex::TLnxObject*> FSelectedItems;
    const lenex::TLnxObject* FCurrentItem = nullptr;
    browser::ClubHeader FClubHeader;
    std::vector<std::pair<QAction*, int>> FTaggedActions;
    std::unordered_map<const void*, QTreeWidgetItem*> FTreeItems;
    FindDialog* FFindDialog = nullptr;
    TFDownload* FDownloadDialog = nullptr;
    QString FFileName;
    QString FSourceUrl;
    download::Validators FValidators;
    QFileSystemWatcher* FFileWatcher = nullptr;
    /** Runs once the file has been quiet for a second after a change. */
    QTimer FQuietTimer;
    /** Asks the link again every liveInterval seconds. */
    QTimer FLinkTimer;
    QString FLoadedStamp;
    QString FOpenPath;
    bool FOpenDialogUsed = false;
    bool FHasResults = false;
    bool FLoadingFromCommandLine = false;
    bool FShown = false;
    int FFindDialogLeft = -1;
    int FFindDialogTop = -1;
};

} // namespace lanescope::ui
