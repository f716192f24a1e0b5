#pragma once

#include "browser/PersonalBestMarks.h"
#include "chart/ProgressionChart.h"
#include "lenex/Lenex.h"
#include "library/LibraryReport.h"
#include "library/LibraryTables.h"

#include <QWidget>
#include <atomic>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QThread;
class QTreeWidget;

namespace lanescope::base {
class CustomIniFile;
}

namespace lanescope::ui {

class ChartView;
class ElidedLabel;

/**
 * The "Library" page of the main window: the season library of many meets. Athletes are found by name on
 * the left; on the right an athlete's history with the progression picture of a chosen event and course
 * above it, the personal bests, and club best lists with their filters. Files and folders are added in a
 * worker thread with a progress bar and cancel. The shown list is copied, printed and exported (PDF, HTML,
 * CSV) as the core lays it out: printing, preview, PDF and HTML through the report engine, as every other
 * list; a shown progression prints as its picture with the swims as a table below.
 */
class LibraryPage : public QWidget
{
    Q_OBJECT

public:
    enum Tab
    {
        HistoryTab = 0,
        BestsTab = 1,
        BestListTab = 2,
    };

    /** The library file comes from the settings ("Library"/"Path"), which must outlive the page. */
    explicit LibraryPage(base::CustomIniFile& settings, QWidget* parent = nullptr);
    ~LibraryPage() override;

    /** Puts the texts of the loaded language on every control. */
    void retranslate();
    /**
     * The library file, opened on first use; made only when create is set, so that looking at the page leaves
     * no file behind. nullptr when there is none or it cannot be opened (the page shows why).
     */
    library::SeasonLibrary* library(bool create = false);
    /** The results of the document's current competition that are personal bests by the library. */
    browser::PersonalBestMarks personalBests(lenex::TLenex& document);
    /** Prints the shown list on a printer the user chooses. */
    void print();
    const std::string& libraryFile() const { return FFile; }

    /** Adds files and folders in the worker thread; the page shows the progress. */
    void addPaths(const std::vector<std::string>& paths);
    bool adding() const { return FWorker != nullptr; }
    /** Searches athletes (as the search field does) and shows the first found. */
    void findAthletes(const QString& text);
    void showAthlete(std::int64_t id);
    void showBestList(const library::BestListFilter& filter);
    void showTab(Tab tab);

    /** The list shown on the current tab, as the core lays it out. */
    library::LibraryTable currentTable() const;
    /** Which list the current tab shows (its print layout). */
    library::LibraryList currentList() const;
    /** Tab-separated text of the shown list, as the copy command puts it on the clipboard. */
    QString copyText() const;

    QLineEdit* searchField() const { return FSearch; }
    QTreeWidget* athleteList() const { return FAthletes; }
    QTabWidget* tabs() const { return FTabs; }
    /** The event and course of the progression picture above the history. */
    QComboBox* progressionEvent() const { return FProgressionEvent; }
    ChartView* progressionView() const { return FProgression; }
    QProgressBar* progressBar() const { return FProgress; }
    QPushButton* cancelButton() const { return FCancel; }
    QPushButton* exportButton() const { return FExport; }

signals:
    /** Adding finished (or was cancelled): the library changed. */
    void libraryChanged();

private:
    QWidget* createAthletePane();
    QWidget* createBestListPane();
    QTreeWidget* createList();
    void fillList(QTreeWidget* list, const library::LibraryTable& table);
    void athleteChosen();
    /** Draws the progression picture of the event and course chosen above the history. */
    void showProgression();
    /** The progression picture's title, drawing and table of swims; an empty title when none is chosen. */
    struct Progression
    {
        std::string title;
        std::shared_ptr<const chart::ProgressionData> data;
    };
    Progression currentProgression() const;
    void addFilesClicked();
    void addFolderClicked();
    void exportClicked();
    /** Writes the shown list as PDF or HTML through the report engine; false when it was not written. */
    bool writeReport(const QString& fileName, bool pdf);
    void mergeClicked();
    void athleteMenu(const QPoint& position);
    void showMessage(const QString& text);
    void addingFinished();
    library::BestListFilter bestListFilter() const;

    base::CustomIniFile& FSettings;
    std::string FFile;
    std::unique_ptr<library::SeasonLibrary> FLibrary;
    std::int64_t FAthlete = 0;
    library::LibraryTable FHistory;
    library::LibraryTable FBests;
    library::LibraryTable FBestList;

    QLabel* FSearchLabel;
    QLineEdit* FSearch;
    QPushButton* FAddFiles;
    QPushButton* FAddFolder;
    QProgressBar* FProgress;
    QPushButton* FCancel;
    QStackedWidget* FAthleteStack;
    QTreeWidget* FAthletes;
    QLabel* FAthletesEmpty;
    QPushButton* FMerge;
    QTabWidget* FTabs;
    ElidedLabel* FAthleteTitle;
    QWidget* FProgressionPane;
    QLabel* FProgressionLabel;
    QComboBox* FProgressionEvent;
    ChartView* FProgression;
    QTreeWidget* FHistoryList;
    QTreeWidget* FBestsList;
    QLabel* FClubLabel;
    QLineEdit* FClub;
    QLabel* FGenderLabel;
    QComboBox* FGender;
    QLabel* FCourseLabel;
    QComboBox* FCourse;
    QLabel* FFromLabel;
    QLineEdit* FFrom;
    QLabel* FToLabel;
    QLineEdit* FTo;
    QLabel* FBirthYearLabel;
    QSpinBox* FBirthYear;
    QPushButton* FShowBestList;
    QTreeWidget* FBestListView;
    QPushButton* FPrint;
    QPushButton* FExport;
    QLabel* FMessage;

    QThread* FWorker = nullptr;
    std::atomic<bool> FCancelled = false;
    int FAdded = 0;
    int FUnchanged = 0;
    int FFailed = 0;
};

} // namespace lanescope::ui
